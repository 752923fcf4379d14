// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/people_of.h"

#include "calendar/texts.h"
#include "companion/commands/command_unit.h"
#include "companion/io/date_arguments.h"
#include "companion/io/report_parts.h"
#include "lang/qt/said.h"

#include <algorithm>

namespace cykl::companion {

namespace {

bool HasLetters(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// The people of the file among the items, in their places; the dates stay as they are.
// The exit status where the file cannot give them.
std::optional<int> FillNames(const Who &who, Environment &environment,
                             QList<std::optional<Person>> &people)
{
    Who named;
    for (qsizetype i = 0; i < people.size(); ++i) {
        if (!people[i])
            named.Names.append(who.Names[i]);
    }
    if (named.Names.isEmpty())
        return std::nullopt;
    const auto found = PeopleOf(named, environment);
    if (const int *status = std::get_if<int>(&found))
        return *status;
    qsizetype next = 0;
    for (std::optional<Person> &person : people) {
        if (!person)
            person = std::get<QList<Person>>(found).at(next++);
    }
    return std::nullopt;
}

std::optional<QString> Duplicate(const QList<Person> &people, Lang language)
{
    for (qsizetype i = 0; i < people.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (people[i].Name.compare(people[j].Name, Qt::CaseInsensitive) == 0)
                return Worded("people.twice", language, Shortened(people[i].Name));
        }
    }
    return std::nullopt;
}

// Every name of every command, which no person of the file may have.
QStringList CommandNames()
{
    QStringList names;
    for (const CommandUnit &command : Commands())
        names += command.Names;
    return names;
}

} // namespace

QString NameProblem(const QString &name, Lang language)
{
    QString problem = NameFormProblem(name, language);
    if (problem.isEmpty() && FindCommand(name) != nullptr)
        return ReservedNameProblem(name, language);
    return problem;
}

void NoteLooseName(Environment &environment, const QString &asked, const QString &name)
{
    if (asked.trimmed().compare(name, Qt::CaseInsensitive) != 0)
        Note(environment, Worded("people.loosely", environment.Language(), Shortened(asked), name));
}

int PeopleFileFailure(Environment &environment, const QString &error)
{
    Note(environment, error);
    return ExitOutputFailed;
}

std::optional<PeopleFile> LoadPeople(Environment &environment, QString &error)
{
    const Lang language = environment.Language();
    QByteArray text;
    if (!environment.ReadPeopleFile(text, error)) {
        error = Worded("people.cannot.read", language, environment.PeoplePath(), error);
        return std::nullopt;
    }
    if (text.size() > MaxPeopleFileSize) {
        error = Worded("people.too.large", language, environment.PeoplePath(),
                       QString::number(MaxPeopleFileSize / (qsizetype(1024) * 1024)));
        return std::nullopt;
    }
    // UTF-16 and UTF-32 start with FF FE or FE FF: a line added in UTF-8 would spoil the file.
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
        error = Worded("people.utf16", language, environment.PeoplePath());
        return std::nullopt;
    }
    PeopleFile file = ReadPeople(text, CommandNames(), language);
    for (const QString &problem : file.Problems)
        environment.Err(QStringLiteral("cyklometrika: %1: %2\n")
                            .arg(environment.PeoplePath(), problem)
                            .toUtf8());
    return file;
}

std::variant<QList<Person>, int> PeopleOf(const Who &who, Environment &environment, Nobody nobody)
{
    if (!who.Everyone && who.Names.isEmpty())
        return QList<Person> { { who.Person, who.Birth } };
    QString error;
    const auto loaded = LoadPeople(environment, error);
    if (!loaded)
        return PeopleFileFailure(environment, error);
    const PeopleFile &file = *loaded;
    if (who.Everyone) {
        if (file.People.isEmpty() && nobody == Nobody::Refused)
            return UsageError(
                environment,
                Worded("people.nobody", environment.Language(), environment.PeoplePath()));
        return file.People;
    }
    QList<Person> people;
    for (const QString &name : who.Names) {
        const auto person = FindPersonLoosely(file, name.trimmed());
        if (person)
            NoteLooseName(environment, name, person->Name);
        if (!person) {
            // The same words on every system: the file's place is for people list to tell.
            return UsageError(environment,
                              Worded("people.not.a.name", environment.Language(), Shortened(name)));
        }
        people.append(*person);
    }
    return people;
}

std::variant<QList<Person>, int> GroupOf(const Who &who, const QString &command,
                                         Environment &environment)
{
    QString error;
    if (who.Everyone) {
        auto everyone = PeopleOf(who, environment);
        const auto *people = std::get_if<QList<Person>>(&everyone);
        if (people != nullptr && people->size() < 2)
            return UsageError(environment,
                              Worded("people.one.only", environment.Language(), command));
        return everyone;
    }
    QList<std::optional<Person>> items;
    for (const QString &item : who.Names) {
        const auto birth = DateArgument(item, false, error, environment.Language());
        if (!birth && !HasLetters(item))
            return UsageError(environment, error);
        if (!birth) {
            items.append(std::nullopt);
            continue;
        }
        if (const QString why = NoSuchDay(*birth, false, environment.Language()); !why.isEmpty()) {
            Note(environment,
                 Worded("people.not.a.day", environment.Language(), item.trimmed(), why));
            environment.Err(
                (Utf8(MessageText(1, *birth, *birth, environment.Language())) + QLatin1Char('\n'))
                    .toUtf8());
            return ExitRefused;
        }
        items.append(Person { Utf8(CzechDate(*birth)), *birth });
    }
    if (const auto status = FillNames(who, environment, items))
        return *status;
    QList<Person> people;
    for (const std::optional<Person> &person : items)
        people.append(*person);
    if (const auto problem = Duplicate(people, environment.Language()))
        return UsageError(environment, *problem);
    return people;
}

} // namespace cykl::companion
