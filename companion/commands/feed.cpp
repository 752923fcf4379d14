// SPDX-License-Identifier: GPL-3.0-or-later
// kalendar: one calendar of the people file's critical days from a week ago to 400 days
// ahead, for a calendar program that reads it again every day.
#include "calendar/civil_calendar.h"
#include "calendar/engine.h"
#include "calendar/ical.h"
#include "calendar/texts.h"
#include "companion/commands/daily.h"
#include "companion/commands/person_run.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

Date FromQDate(const QDate &date)
{
    return { date.day(), date.month(), date.year() };
}

// The part of from..to the window shows for this birth: not before the birth, and not
// past the last year it counts (150 years after the birth year, and 9999).
std::optional<std::pair<Date, Date>> ShownSpan(const Date &birth, Date from, Date to)
{
    from = std::max(from, birth);
    to = std::min(to, Date { 31, 12, std::min(birth.Year + 150, LastYear) });
    if (to < from)
        return std::nullopt;
    return std::pair { from, to };
}

// The feed's span around today, within the years a calendar program holds.
std::pair<Date, Date> FeedSpan(const QDate &today)
{
    const QDate first(FirstYear, 1, 1);
    const QDate last(LastYear, 12, 31);
    return { FromQDate(std::max(today.addDays(-FeedDaysBefore), first)),
             FromQDate(std::min(today.addDays(FeedDaysAfter), last)) };
}

// The day of the daily run: --den or today; nullopt after telling why it is refused.
std::optional<QDate> RunDay(const DailyCall &call, Environment &environment, int &status)
{
    if (!call.OnDay)
        return environment.Today();
    const Date day = *call.OnDay;
    const Lang lang = environment.Language();
    QString why = NoSuchDay(day, false, lang);
    if (why.isEmpty() && !IsCivilDay(day))
        why = Said("report.day.calculation.only", lang);
    if (why.isEmpty())
        return QDate(day.Year, day.Month, day.Day);
    Note(environment,
         Said("report.not.day", lang,
              { call.OnDayText.trimmed().toStdString(), why.toStdString() }));
    environment.Err(QByteArray::fromStdString(MessageText(1, day, day, lang) + '\n'));
    status = ExitRefused;
    return std::nullopt;
}

} // namespace

std::optional<DailyRun> StartDailyRun(const DailyCall &call, Environment &environment, int &status)
{
    const auto today = RunDay(call, environment, status);
    if (!today)
        return std::nullopt;
    auto people = PeopleOf(call.People, environment, Nobody::Allowed);
    if (const int *refused = std::get_if<int>(&people)) {
        status = *refused;
        return std::nullopt;
    }
    return DailyRun { *today, std::move(std::get<QList<Person>>(people)) };
}

QByteArray FeedText(const QList<Person> &people, const QDate &today, Environment &environment)
{
    const auto [from, to] = FeedSpan(today);
    const Lang lang = environment.Language();
    std::vector<CalendarPerson> family;
    for (const Person &person : people) {
        const auto span = ShownSpan(person.Birth, from, to);
        CriticalList list;
        if (span)
            list = FindCriticalDays(person.Birth, span->first, span->second);
        if (!span || list.Refusal != 0) {
            Note(environment,
                 Said("report.feed.left.out", lang,
                      { person.Name.toStdString(), ShownDate(person.Birth, lang),
                        ShownDate(from, lang), ShownDate(to, lang) }));
            continue;
        }
        if (span->second < to)
            Note(environment,
                 Said("report.feed.cut", lang,
                      { person.Name.toStdString(), ShownDate(person.Birth, lang),
                        ShownDate(span->second, lang) }));
        family.push_back({ person.Name.toStdString(), person.Birth, std::move(list) });
    }
    CalendarOptions options;
    options.Stamp = StampOf(environment.Now());
    options.FeedSequence = FeedRevision;
    options.Language = lang;
    const CalendarResult calendar = FamilyCalendar(family, options);
    for (const Date &day : calendar.LeftOut)
        Note(environment, QString::fromStdString(LeftOutNote(day, lang)));
    return QByteArray::fromStdString(calendar.Text);
}

int RunFeed(const DailyCall &call, Environment &environment)
{
    int status = ExitOk;
    const auto run = StartDailyRun(call, environment, status);
    if (!run)
        return status;
    return WriteOutput(environment, call.Output, FeedText(run->People, run->Today, environment));
}

} // namespace cykl::companion
