// SPDX-License-Identifier: GPL-3.0-or-later
// day (den): the three values of a day and the texts of its messages; month (mesic): the
// days of a month with their values and codes.
#include "calendar/texts.h"
#include "companion/commands/person_run.h"
#include "companion/commands/units.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

ReportOptions OptionsOf(const PersonRun &run)
{
    return { run.Who.Name, run.Out.Excel, run.Env.Language() };
}

int RunDay(const PersonCall &call, Environment &environment)
{
    PersonRun run(environment, call.Out);
    const int status = ForEachPerson(call.People, run, [&] {
        return run.ConfirmDay(call.Rest, [&](const Date &day, const Confirmation &c) {
            return run.Emit(DayReport(call.Out.Kind, run.Who.Birth, day, c, OptionsOf(run)));
        });
    });
    return status == ExitOk && run.Several ? run.EmitGathered() : status;
}

int MonthOfPerson(const PersonCall &call, PersonRun &run)
{
    QString error;
    const auto month = FirstDateOrToday(run.Env, call.Rest, true, error);
    if (!month)
        return UsageError(run.Env, error);
    if (const auto refused = run.CheckDay(call.Rest.value(0), *month, true))
        return *refused;
    const Date &birth = run.Who.Birth;
    const Date target = MonthTarget(birth, *month);
    const Confirmation c = Confirm(birth, target);
    if (c.Refusal != 0)
        return run.Refuse(c.Refusal, birth, target);
    if (target.Day > 1)
        Note(run.Env,
             Said("report.note.month.birth", run.Env.Language(),
                  { ShownDate(birth, run.Env.Language()) }));
    return run.Emit(MonthReport(call.Out.Kind, birth, target, c.Month, OptionsOf(run)));
}

Parsed ParseDay(const CommandLine &line)
{
    PersonCall call;
    if (auto problem = ReadPersonCall(line, 1, false, call))
        return *problem;
    return [call](Environment &environment) { return RunDay(call, environment); };
}

Parsed ParseMonth(const CommandLine &line)
{
    PersonCall call;
    if (auto problem = ReadPersonCall(line, 1, false, call))
        return *problem;
    if (call.People.Names.size() > 1)
        return line.Text("usage.one.person", line.Name);
    return [call](Environment &environment) {
        PersonRun run(environment, call.Out);
        return ForEachPerson(call.People, run, [&] { return MonthOfPerson(call, run); });
    };
}

} // namespace

CommandUnit DayUnit()
{
    return { { "day", "den" },
             { "format", "output", "excel", "name", "all" },
             PersonRefusals(),
             ParseDay,
             { "help.list.day" },
             "help.day",
             { 0 } };
}

CommandUnit MonthUnit()
{
    auto refusals = PersonRefusals();
    refusals.append(Refusal { "all", "usage.one.person" });
    return { { "month", "mesic", "měsíc" },
             { "format", "output", "excel", "name" },
             refusals,
             ParseMonth,
             { "help.list.month" },
             "help.month",
             { 0 } };
}

} // namespace cykl::companion
