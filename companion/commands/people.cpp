// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendar/texts.h"
#include "companion/commands/people_of.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"
#include "companion/io/text_table.h"

#include <functional>

namespace cykl::companion {

namespace {

// people [list], people add NAME DATE [--replace], people remove NAME
struct PeopleCall {
    QStringList Rest; // the action and its arguments
    bool Replace = false; // people add: change the birth of a name that is there
};

// The actions by their names, English first.
const QStringList ListAction { "list", "seznam" };
const QStringList AddAction { "add", "pridat", "přidat" };
const QStringList RemoveAction { "remove", "odebrat" };

bool IsAction(const QString &action, const QStringList &names)
{
    return names.contains(action, Qt::CaseInsensitive);
}

int ListPeople(Environment &environment)
{
    QString error;
    const auto loaded = LoadPeople(environment, error);
    if (!loaded)
        return PeopleFileFailure(environment, error);
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
        return PeopleFileFailure(environment,
                                 QStringLiteral("soubor lidí „%1“ nelze zamknout: %2")
                                     .arg(environment.PeoplePath(), error));
    auto file = LoadPeople(environment, error);
    if (!file)
        return PeopleFileFailure(environment, error);
    if (!change(*file, error))
        return UsageError(environment, error);
    const QByteArray text = PeopleText(*file);
    if (text.size() > MaxPeopleFileSize)
        return PeopleFileFailure(
            environment,
            QStringLiteral("soubor lidí „%1“ by byl větší než %2 MiB, takový by "
                           "program nepřečetl; nic se nezměnilo")
                .arg(environment.PeoplePath())
                .arg(MaxPeopleFileSize / (qsizetype(1024) * 1024)));
    if (environment.WritePeopleFile(text, error))
        return ExitOk;
    return PeopleFileFailure(
        environment,
        QStringLiteral("soubor „%1“ nelze zapsat: %2").arg(environment.PeoplePath(), error));
}

int AddToPeople(const PeopleCall &call, Environment &environment)
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

int RemoveFromPeople(const PeopleCall &call, Environment &environment)
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

int RunPeople(const PeopleCall &call, Environment &environment)
{
    const QString action = call.Rest.value(0);
    if (action.isEmpty() || IsAction(action, ListAction))
        return call.Rest.size() <= 1
            ? ListPeople(environment)
            : UsageError(environment, QStringLiteral("people list nebere další argumenty"));
    if (IsAction(action, AddAction))
        return AddToPeople(call, environment);
    if (IsAction(action, RemoveAction))
        return RemoveFromPeople(call, environment);
    return UsageError(environment,
                      QStringLiteral("people zná jen list, add a remove (seznam, "
                                     "pridat, odebrat), ne „%1“")
                          .arg(Shortened(action)));
}

Parsed ParsePeople(const CommandLine &line)
{
    PeopleCall call { line.Arguments, line.IsSet("replace") };
    return [call](Environment &environment) { return RunPeople(call, environment); };
}

} // namespace

CommandUnit PeopleUnit()
{
    return { { "people", "lide", "lidé" },
             { "replace" },
             {},
             ParsePeople,
             { { "people [list]", "(lide [seznam]) jména ze souboru lidí" },
               { "people add JMÉNO NAROZENÍ", "(lide pridat) zapsat jméno a datum narození" },
               { "people remove JMÉNO", "(lide odebrat) jméno ze souboru odebrat" } },
             QStringLiteral(
                 "%1 [list | add JMÉNO NAROZENÍ [--replace] |\n"
                 "%2 remove JMÉNO]\n"
                 "Soubor lidí: JMÉNO pak platí všude, kde smí stát datum narození; critical\n"
                 "a day berou i víc jmen (JANA,PETR) nebo --all. Česky: lide seznam | pridat\n"
                 "[--nahradit] | odebrat. Soubor: $XDG_CONFIG_HOME/cyklometrika/lide (jinak\n"
                 "~/.config/cyklometrika/lide, na Windows %APPDATA%\\cyklometrika\\lide),\n"
                 "řádky „jméno = D.M.RRRR“.\n"),
             { 1 },
             ListAction + AddAction + RemoveAction };
}

} // namespace cykl::companion
