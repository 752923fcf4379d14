// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendar/json.h"
#include "calendar/texts.h"
#include "companion/commands/arguments.h"
#include "companion/commands/people_of.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"
#include "companion/io/text_table.h"
#include "lang/qt/said.h"

#include <functional>

namespace cykl::companion {

namespace {

// people [list], people add NAME DATE [--replace], people remove NAME
struct PeopleCall {
    QStringList Rest; // the action and its arguments
    bool Replace = false; // people add: change the birth of a name that is there
    Output Listing; // people list: its format and where it goes
};

// The actions by their names, English first.
const QStringList ListAction { "list", "seznam" };
const QStringList AddAction { "add", "pridat", "přidat" };
const QStringList RemoveAction { "remove", "odebrat" };

bool IsAction(const QString &action, const QStringList &names)
{
    return names.contains(action, Qt::CaseInsensitive);
}

// The people for a program: name, the birth as an ISO date and as the file writes it.
QByteArray PeopleData(Format format, const QList<Person> &people)
{
    if (format == Format::Csv) {
        QString text = QStringLiteral("name,birth,written\r\n");
        for (const Person &person : people)
            text += CsvField(person.Name) + QLatin1Char(',')
                + QString::fromStdString(IsoDate(person.Birth)) + QLatin1Char(',')
                + CsvField(person.Written) + QStringLiteral("\r\n");
        return text.toUtf8();
    }
    JsonWriter json(JsonWriter::Layout::Indented);
    json.Open('[');
    for (const Person &person : people) {
        json.Open('{').Key("name").String(person.Name.toStdString());
        json.Key("birth").String(IsoDate(person.Birth));
        json.Key("written").String(person.Written.toStdString()).Close('}');
    }
    return QByteArray::fromStdString(json.Close(']').Text());
}

QByteArray PeopleTable(const PeopleFile &file, const QString &path, Lang language)
{
    if (file.People.isEmpty())
        return Worded("people.none", language, path).toUtf8();
    QList<QStringList> rows;
    for (const Person &person : file.People)
        rows.append({ person.Name, QString::fromStdString(CzechDate(person.Birth)) });
    const QStringList lines = LayOutTable({ { Said("people.heading.name", language), false },
                                            { Said("people.heading.birth", language), false } },
                                          rows);
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

int ListPeople(const Output &output, Environment &environment)
{
    QString error;
    const auto loaded = LoadPeople(environment, error);
    if (!loaded)
        return PeopleFileFailure(environment, error);
    return WriteOutput(environment, output.Path,
                       output.Kind == Format::Table
                           ? PeopleTable(*loaded, environment.PeoplePath(), environment.Language())
                           : PeopleData(output.Kind, loaded->People));
}

// Reads, changes and replaces the file, with no other run changing it meanwhile, so that
// what one run reports done stays done. `change` says why it cannot be made.
int ChangePeople(Environment &environment,
                 const std::function<bool(PeopleFile &, QString &)> &change)
{
    const Lang language = environment.Language();
    QString error;
    const std::shared_ptr<void> lock = environment.LockPeopleFile(error);
    if (!lock)
        return PeopleFileFailure(
            environment, Worded("people.cannot.lock", language, environment.PeoplePath(), error));
    auto file = LoadPeople(environment, error);
    if (!file)
        return PeopleFileFailure(environment, error);
    if (!change(*file, error))
        return UsageError(environment, error);
    const QByteArray text = PeopleText(*file);
    if (text.size() > MaxPeopleFileSize)
        return PeopleFileFailure(
            environment,
            Worded("people.would.be.too.large", language, environment.PeoplePath(),
                   QString::number(MaxPeopleFileSize / (qsizetype(1024) * 1024))));
    if (environment.WritePeopleFile(text, error))
        return ExitOk;
    return PeopleFileFailure(
        environment, Worded("output.file.failed", language, environment.PeoplePath(), error));
}

// What people add did, in one line.
QString AddedLine(const std::optional<Person> &before, const Person &person, const QString &path,
                  Lang language)
{
    const std::string line
        = (person.Name + QStringLiteral(" = ")).toStdString() + CzechDate(person.Birth);
    if (!before)
        return Said("people.added", language, { line, path.toStdString() });
    if (before->Birth == person.Birth)
        return Said("people.unchanged", language, { line, path.toStdString() });
    return Said("people.changed", language, { line, CzechDate(before->Birth), path.toStdString() });
}

int AddToPeople(const PeopleCall &call, Environment &environment)
{
    if (call.Rest.size() != 3)
        return UsageError(environment, Said("people.add.arguments", environment.Language()));
    QString error;
    const auto birth = DateArgument(call.Rest[2], false, error, environment.Language());
    if (!birth)
        return UsageError(environment, error);
    if (const QString why = NoSuchDay(*birth, false, environment.Language()); !why.isEmpty())
        return UsageError(
            environment,
            Worded("people.not.a.day", environment.Language(), Shortened(call.Rest[2]), why));
    const Person person { call.Rest[1].trimmed(), *birth };
    if (const QString why = NameProblem(person.Name, environment.Language()); !why.isEmpty())
        return UsageError(environment, why);
    std::optional<Person> before;
    const int status = ChangePeople(environment, [&](PeopleFile &file, QString &why) {
        before = FindPerson(file, person.Name);
        return AddPerson(file, person, call.Replace, why, environment.Language());
    });
    if (status != ExitOk)
        return status;
    environment.Out(
        AddedLine(before, person, environment.PeoplePath(), environment.Language()).toUtf8());
    return ExitOk;
}

int RemoveFromPeople(const PeopleCall &call, Environment &environment)
{
    if (call.Rest.size() != 2)
        return UsageError(environment, Said("people.remove.arguments", environment.Language()));
    // Only the name as written goes: one that differs in its marks is offered, not removed.
    return ChangePeople(environment, [&](PeopleFile &file, QString &why) {
        if (RemovePerson(file, call.Rest[1]))
            return true;
        const Lang language = environment.Language();
        const auto person = FindPersonLoosely(file, call.Rest[1]);
        why = person
            ? Worded("people.missing.near", language, Shortened(call.Rest[1]), person->Name)
            : Worded("people.missing", language, Shortened(call.Rest[1]));
        return false;
    });
}

int RunPeople(const PeopleCall &call, Environment &environment)
{
    const QString action = call.Rest.value(0);
    if (action.isEmpty() || IsAction(action, ListAction))
        return call.Rest.size() <= 1
            ? ListPeople(call.Listing, environment)
            : UsageError(environment, Said("people.list.arguments", environment.Language()));
    if (IsAction(action, AddAction))
        return AddToPeople(call, environment);
    if (IsAction(action, RemoveAction))
        return RemoveFromPeople(call, environment);
    return UsageError(environment,
                      Worded("people.unknown.action", environment.Language(), Shortened(action)));
}

Parsed ParsePeople(const CommandLine &line)
{
    PeopleCall call { line.Arguments, line.IsSet("replace"), {} };
    if (auto problem = ReadOutput(line, false, call.Listing))
        return *problem;
    const bool listing = call.Rest.isEmpty() || IsAction(call.Rest.first(), ListAction);
    if (!listing && (line.IsSet("format") || line.IsSet("output")))
        return line.Text("people.output.list.only");
    return [call](Environment &environment) { return RunPeople(call, environment); };
}

} // namespace

CommandUnit PeopleUnit()
{
    return { { "people", "lide", "lidé" },
             { "replace", "format", "output" },
             {},
             ParsePeople,
             { "help.list.people.list", "help.list.people.add", "help.list.people.remove" },
             "help.people",
             { 1 },
             ListAction + AddAction + RemoveAction };
}

} // namespace cykl::companion
