// SPDX-License-Identifier: GPL-3.0-or-later
// match (shoda) and together (spolecne): who they are for, and their run.
#include "companion/commands/together.h"

#include "companion/commands/person_run.h"
#include "companion/commands/units.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

struct GroupCall {
    QString Name; // the command as written
    Who People;
    QStringList Rest;
    Output Out;
    Selection Select; // --remind alone
};

// The people of match (two: "A B" or "A,B", then an optional day) or together (a comma
// list, or --all, then a span as for critical) as written.
Problem ReadGroup(const CommandLine &line, bool match, GroupCall &call)
{
    call.Name = line.Name;
    const bool everyone = line.IsSet("all");
    const QStringList &arguments = line.Arguments;
    call.People.Everyone = everyone;
    qsizetype first = 0; // the first argument after the people
    if (!everyone)
        call.People.Names = NameList(arguments, first);
    if (match && call.People.Names.size() == 1 && arguments.size() > first) {
        call.People.Names.append(arguments[first]);
        first += 1;
    }
    const qsizetype count = call.People.Names.size();
    if (!everyone && (match ? count != 2 : count < 2))
        return line.Text(match ? TextKey("usage.match.two") : TextKey("usage.together.two"),
                         line.Name);
    if (arguments.size() > first + (match ? 1 : 2))
        return line.Text("usage.too.many.plain", line.Name);
    call.Rest = arguments.mid(first);
    if (auto problem = ReadOutput(line, !match, call.Out))
        return problem;
    if (match && call.Out.Kind != Format::Table && call.Out.Kind != Format::Json)
        return line.Text("usage.match.formats", line.Name);
    return ReadRemind(line, call.Out, call.Select);
}

// A person the window refuses on the day has no values of it: a note says why.
void NoteMissingValues(Environment &environment, const Person &person, const Date &day,
                       MessageCode refusal)
{
    const Lang lang = environment.Language();
    QString why = RefusalReason(refusal, person.Birth, day, lang);
    if (why.isEmpty())
        why = QString::fromStdString(MessageText(refusal, person.Birth, day, lang)).trimmed();
    Note(environment,
         Said("report.values.missing", lang, { person.Name.toStdString(), why.toStdString() }));
}

// The agreement does not depend on the day: a day outside one person's life leaves out
// only that person's values of it, with a note.
int RunMatch(const GroupCall &call, Environment &environment)
{
    const auto group = GroupOf(call.People, call.Name, environment);
    if (const int *status = std::get_if<int>(&group))
        return *status;
    const auto &people = std::get<QList<Person>>(group);
    PersonRun run(environment, call.Out);
    run.Who = people[0];
    QString error;
    const auto day = FirstDateOrToday(environment, call.Rest, false, error);
    if (!day)
        return UsageError(environment, error);
    if (const auto refused = run.CheckDay(call.Rest.value(0), *day, false))
        return *refused;
    const std::array<Confirmation, 2> days { Confirm(people[0].Birth, *day),
                                             Confirm(people[1].Birth, *day) };
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i].Refusal != 0)
            NoteMissingValues(environment, people[static_cast<qsizetype>(i)], *day,
                              days[i].Refusal);
    }
    return run.Emit(MatchReport(call.Out.Kind, people, *day, days, environment.Language()));
}

// The people's own critical days first, then the days they share.
int RunTogether(const GroupCall &call, Environment &environment)
{
    const auto group = GroupOf(call.People, call.Name, environment);
    if (const int *status = std::get_if<int>(&group))
        return *status;
    PersonRun run(environment, call.Out);
    run.Several = true;
    QList<Person> kept; // as for critical, one whose birth the window refuses is left out
    std::vector<CriticalList> lists;
    std::pair<Date, Date> asked;
    for (const Person &person : std::get<QList<Person>>(group)) {
        run.Who = person;
        auto span = CriticalDaysOf(run, call.Rest, {});
        if (const int *status = std::get_if<int>(&span); status && *status != LeftOut)
            return *status;
        if (auto *days = std::get_if<CriticalSpan>(&span)) {
            kept.append(person);
            lists.push_back(std::move(days->List));
            asked = days->Asked;
        }
    }
    if (kept.size() < 2) {
        Note(environment, Said("report.shared.too.few", environment.Language()));
        return ExitRefused;
    }
    std::vector<Date> leftOut;
    const QByteArray report
        = SharedReport(call.Out, call.Select.RemindMinutes, environment.Now(), kept, lists,
                       asked.first, asked.second, leftOut, environment.Language());
    for (const Date &day : leftOut)
        Note(environment, QString::fromStdString(LeftOutNote(day, environment.Language())));
    return WriteOutput(environment, call.Out.Path, report);
}

template<int (*Run)(const GroupCall &, Environment &), bool Match>
Parsed ParseGroup(const CommandLine &line)
{
    GroupCall call;
    if (auto problem = ReadGroup(line, Match, call))
        return *problem;
    return [call](Environment &environment) { return Run(call, environment); };
}

QList<Refusal> GroupRefusals()
{
    auto refusals = PersonRefusals();
    refusals.append(Refusal { "name", "usage.group.name" });
    return refusals;
}

} // namespace

CommandUnit MatchUnit()
{
    auto refusals = GroupRefusals();
    refusals.append(Refusal { "all", "usage.two.people" });
    return { { "match", "shoda" },  { "format", "output" }, refusals, ParseGroup<RunMatch, true>,
             { "help.list.match" }, "help.match",           { 0, 1 } };
}

CommandUnit TogetherUnit()
{
    return { { "together", "spolecne", "společné" },
             { "format", "output", "excel", "all", "remind" },
             GroupRefusals(),
             ParseGroup<RunTogether, false>,
             { "help.list.together" },
             "help.together",
             { 0 } };
}

} // namespace cykl::companion
