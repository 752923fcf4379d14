// SPDX-License-Identifier: GPL-3.0-or-later
// critical (kriticke): the days with a message from one day to another, as a table, CSV,
// JSON or a calendar.
#include "calendar/texts.h"
#include "companion/commands/person_run.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

constexpr int DefaultSpanDays = 365;

// The codes of a day that the selection keeps.
Verdicts Selected(const Verdicts &codes, const QList<MessageCode> &kept)
{
    Verdicts selected;
    for (const MessageCode code : codes) {
        if (kept.isEmpty() || kept.contains(code))
            selected.Codes[static_cast<std::size_t>(selected.Count++)] = code;
    }
    return selected;
}

// From..to as the window counts it: a span that starts before the birth starts at the
// birth day (SpanStart), a start the window refuses is refused before any day is counted.
std::variant<CriticalSpan, int> SpanOf(PersonRun &run, Date from, const Date &to,
                                       const QList<MessageCode> &kept)
{
    // A year alone ("10000") is checked here; dates written out were checked already.
    for (const Date &end : { from, to }) {
        if (const auto refused = run.CheckDay(QString(), end, false))
            return *refused;
    }
    CriticalSpan span { { from, to }, from, {} };
    const Date &birth = run.Who.Birth;
    if (const Date start = SpanStart(birth, from, to); start != from) {
        Note(run.Env,
             QString::fromStdString(
                 SpanStartNote(start, run.Several ? run.Who.Name.toStdString() : std::string(),
                               run.Env.Language())));
        span.From = start;
    }
    if (const Confirmation start = Confirm(birth, span.From); start.Refusal != 0)
        return run.Refuse(start.Refusal, birth, span.From);
    span.List = FindCriticalDays(birth, span.From, to);
    if (span.List.Refusal != 0)
        return run.Refuse(span.List.Refusal, birth, span.List.RefusedDay);
    std::erase_if(span.List.Days, [&kept](CriticalDay &day) {
        day.Codes = Selected(day.Codes, kept);
        return day.Codes.empty();
    });
    return span;
}

int EmitCalendar(PersonRun &run, const Selection &select, const std::vector<CalendarPerson> &family,
                 const CriticalList &list)
{
    const CalendarOptions options {
        StampOf(run.Env.Now()), select.RemindMinutes, run.Who.Name.toStdString(),
        select.Merge,           std::nullopt,         run.Env.Language()
    };
    const CalendarResult calendar = family.empty() ? CriticalCalendar(run.Who.Birth, list, options)
                                                   : FamilyCalendar(family, options);
    for (const Date &day : calendar.LeftOut)
        Note(run.Env, QString::fromStdString(LeftOutNote(day, run.Env.Language())));
    return run.Emit(QByteArray::fromStdString(calendar.Text));
}

int RunCritical(const PersonCall &call, Environment &environment)
{
    PersonRun run(environment, call.Out);
    std::vector<CalendarPerson> family; // of several people in one calendar
    const int status = ForEachPerson(call.People, run, [&] {
        auto span = CriticalDaysOf(run, call.Rest, call.Select.Codes);
        if (const int *refused = std::get_if<int>(&span))
            return *refused;
        auto &[asked, from, list] = std::get<CriticalSpan>(span);
        if (call.Out.Kind != Format::Ics)
            return run.Emit(
                CriticalReport(call.Out.Kind, run.Who.Birth, from, asked.second, list,
                               { run.Who.Name, call.Out.Excel, environment.Language() }));
        if (!run.Several)
            return EmitCalendar(run, call.Select, family, list);
        family.push_back({ run.Who.Name.toStdString(), run.Who.Birth, std::move(list) });
        return int(ExitOk);
    });
    if (status != ExitOk || !run.Several)
        return status;
    if (call.Out.Kind != Format::Ics)
        return run.EmitGathered();
    run.Several = false;
    return EmitCalendar(run, call.Select, family, {});
}

Parsed ParseCritical(const CommandLine &line)
{
    PersonCall call;
    if (auto problem = ReadPersonCall(line, 2, true, call))
        return *problem;
    return [call](Environment &environment) { return RunCritical(call, environment); };
}

} // namespace

UtcTime StampOf(const QDateTime &moment)
{
    const QDateTime now = moment.toUTC();
    return { now.date().year(), now.date().month(),  now.date().day(),
             now.time().hour(), now.time().minute(), now.time().second() };
}

std::variant<CriticalSpan, int> CriticalDaysOf(PersonRun &run, const QStringList &rest,
                                               const QList<MessageCode> &kept)
{
    QString error;
    if (const auto year = rest.size() == 1 ? YearArgument(rest.first()) : std::nullopt)
        return SpanOf(run, { 1, 1, *year }, { 31, 12, *year }, kept);
    const auto from = FirstDateOrToday(run.Env, rest, false, error);
    if (!from)
        return UsageError(run.Env, error);
    // A start that is no day is refused before any day is counted from it.
    if (const auto refused = run.CheckDay(rest.value(0), *from, false))
        return *refused;
    auto to = rest.size() < 2 ? std::optional(AddDays(*from, DefaultSpanDays))
                              : DateArgument(rest[1], false, error, run.Env.Language());
    if (rest.size() < 2 && to->Year > LastYear && from->Year <= LastYear) {
        to = Date { 31, 12, LastYear };
        Note(run.Env,
             Said("report.span.last.year", run.Env.Language(), { std::to_string(LastYear) }));
    }
    if (!to)
        return UsageError(run.Env, error);
    if (*to < *from)
        return UsageError(
            run.Env,
            Worded("usage.span.backwards", run.Env.Language(), rest.value(1), rest.value(0)));
    if (const auto refused = run.CheckDay(rest.value(1), *to, false))
        return *refused;
    return SpanOf(run, *from, *to, kept);
}

CommandUnit CriticalUnit()
{
    return { { "critical", "kriticke", "kritické" },
             { "format", "output", "excel", "name", "all", "only-critical", "codes", "merge",
               "remind" },
             PersonRefusals(),
             ParseCritical,
             { "help.list.critical", "help.list.critical.year" },
             "help.critical",
             { 0 } };
}

} // namespace cykl::companion
