// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/people.h"

#include "calendar/texts.h"
#include "companion/io/date_arguments.h"
#include "companion/io/text_table.h"

#include <functional>

namespace cykl::companion {

namespace {

// The file as it stands, its unreadable lines noted; none, with the reason, where the file
// itself cannot be read or is too large to be a people file.
std::optional<PeopleFile> LoadPeople(Environment &environment, QString &error)
{
    QByteArray text;
    if (!environment.ReadPeopleFile(text, error)) {
        error = QStringLiteral("soubor lidí „%1“ nelze přečíst: %2")
                    .arg(environment.PeoplePath(), error);
        return std::nullopt;
    }
    if (text.size() > MaxPeopleFileSize) {
        error = QStringLiteral("soubor lidí „%1“ je větší než %2 MiB, takový program nečte")
                    .arg(environment.PeoplePath())
                    .arg(MaxPeopleFileSize / (qsizetype(1024) * 1024));
        return std::nullopt;
    }
    PeopleFile file = ReadPeople(text);
    for (const QString &problem : file.Problems)
        environment.Err(QStringLiteral("cyklometrika: %1: %2\n")
                            .arg(environment.PeoplePath(), problem)
                            .toUtf8());
    return file;
}

int Failure(Environment &environment, const QString &error)
{
    environment.Err(QStringLiteral("cyklometrika: %1\n").arg(error).toUtf8());
    return ExitOutputFailed;
}

bool IsAction(const QString &action, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (action.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int ListPeople(Environment &environment)
{
    QString error;
    const auto loaded = LoadPeople(environment, error);
    if (!loaded)
        return Failure(environment, error);
    const PeopleFile &file = *loaded;
    if (file.People.isEmpty()) {
        environment.Out(QStringLiteral("V souboru lidí %1 zatím nikdo není.\n"
                                       "Přidat: cyklometrika people add JMÉNO D.M.RRRR\n")
                            .arg(environment.PeoplePath())
                            .toUtf8());
        return ExitOk;
    }
    QList<QStringList> rows;
    for (const Person &person : file.People)
        rows.append({ person.Name, QString::fromStdString(CzechDate(person.Birth)) });
    const QStringList lines = LayOutTable(
        { { QStringLiteral("Jméno"), false }, { QStringLiteral("Narození"), false } }, rows);
    environment.Out((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return ExitOk;
}

// Reads, changes and replaces the file, with no other run changing it meanwhile, so that
// what one run reports done stays done. `change` says why it cannot be made.
int ChangePeople(Environment &environment,
                 const std::function<bool(PeopleFile &, QString &)> &change)
{
    QString error;
    const std::shared_ptr<void> lock = environment.LockPeopleFile(error);
    if (!lock)
        return Failure(environment,
                       QStringLiteral("soubor lidí „%1“ nelze zamknout: %2")
                           .arg(environment.PeoplePath(), error));
    auto file = LoadPeople(environment, error);
    if (!file)
        return Failure(environment, error);
    if (!change(*file, error))
        return UsageError(environment, error);
    if (environment.WritePeopleFile(PeopleText(*file), error))
        return ExitOk;
    return Failure(
        environment,
        QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(environment.PeoplePath(), error));
}

int AddToPeople(const Invocation &call, Environment &environment)
{
    if (call.Rest.size() != 3)
        return UsageError(environment, QStringLiteral("people add chce JMÉNO a datum narození"));
    QString error;
    const auto birth = DateArgument(call.Rest[2], false, error);
    if (!birth)
        return UsageError(environment, error);
    if (const QString why = NoSuchDay(*birth, false); !why.isEmpty())
        return UsageError(environment,
                          QStringLiteral("„%1“ není den: %2").arg(Shortened(call.Rest[2]), why));
    const Person person { call.Rest[1].trimmed(), *birth };
    if (const QString why = NameProblem(person.Name); !why.isEmpty())
        return UsageError(environment, why);
    return ChangePeople(environment, [&](PeopleFile &file, QString &why) {
        return AddPerson(file, person, call.Replace, why);
    });
}

int RemoveFromPeople(const Invocation &call, Environment &environment)
{
    if (call.Rest.size() != 2)
        return UsageError(environment, QStringLiteral("people remove chce JMÉNO"));
    return ChangePeople(environment, [&](PeopleFile &file, QString &why) {
        if (RemovePerson(file, call.Rest[1]))
            return true;
        why = QStringLiteral("„%1“ v souboru lidí není").arg(Shortened(call.Rest[1]));
        return false;
    });
}

} // namespace

int RunPeople(const Invocation &call, Environment &environment)
{
    const QString action = call.Rest.value(0);
    if (action.isEmpty() || IsAction(action, { "list", "seznam" }))
        return call.Rest.size() <= 1
            ? ListPeople(environment)
            : UsageError(environment, QStringLiteral("people list nebere další argumenty"));
    if (IsAction(action, { "add", "pridat", "přidat" }))
        return AddToPeople(call, environment);
    if (IsAction(action, { "remove", "odebrat" }))
        return RemoveFromPeople(call, environment);
    return UsageError(environment,
                      QStringLiteral("people zná jen list, add a remove (seznam, "
                                     "pridat, odebrat), ne „%1“")
                          .arg(Shortened(action)));
}

std::optional<QList<Person>> PeopleOf(const Invocation &call, Environment &environment,
                                      QString &error)
{
    if (!call.Everyone && call.Names.isEmpty())
        return QList<Person> { { call.Person, call.Birth } };
    const auto loaded = LoadPeople(environment, error);
    if (!loaded)
        return std::nullopt;
    const PeopleFile &file = *loaded;
    if (call.Everyone) {
        if (file.People.isEmpty())
            error = QStringLiteral("v souboru lidí %1 nikdo není").arg(environment.PeoplePath());
        return file.People.isEmpty() ? std::nullopt : std::optional(file.People);
    }
    QList<Person> people;
    for (const QString &name : call.Names) {
        const auto person = FindPerson(file, name.trimmed());
        if (!person) {
            // The same words on every system: the file's place is for people list to tell.
            error = QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD) ani jméno ze "
                                   "souboru lidí")
                        .arg(Shortened(name));
            return std::nullopt;
        }
        people.append(*person);
    }
    return people;
}

} // namespace cykl::companion
