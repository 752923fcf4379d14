// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/critical.h"

#include "companion/calendar/engine.h"
#include "companion/calendar/texts.h"
#include "web/json.h"

#include <algorithm>

namespace cykl::web {

namespace {

// The days of a year that a birth date has lived: all of them, or those from the birth day.
companion::Date FirstDayOf(const companion::Date &birth, int year)
{
    return std::max(companion::Date { 1, 1, year }, birth);
}

} // namespace

std::string CriticalDaysJson(const companion::Date &birth, const companion::Date &from,
                             const companion::Date &to)
{
    const companion::CriticalList list = companion::FindCriticalDays(birth, from, to);
    JsonWriter json;
    json.Open('{').Key("refusal");
    if (list.Refusal != 0)
        json.String(companion::MessageText(list.Refusal, birth, list.RefusedDay));
    else
        json.Number(std::nullopt);
    json.Key("days").Open('[');
    for (const companion::CriticalDay &day : list.Days) {
        json.Open('{').Key("day").Number(day.Day.Day);
        json.Key("month").Number(day.Day.Month).Key("year").Number(day.Day.Year);
        json.Key("date").String(companion::CzechDate(day.Day));
        json.Key("weekday").String(companion::WeekdayName(day.Day));
        json.Key("values").Open('[').Number(day.Values.Physical);
        json.Number(day.Values.Emotional).Number(day.Values.Intellectual).Close(']');
        json.Key("verdicts").Open('[');
        for (const MessageCode code : day.Codes)
            json.String(companion::VerdictName(code));
        json.Close(']').Close('}');
    }
    json.Close(']').Close('}');
    return json.Text();
}

std::string CriticalDaysOfYearJson(const companion::Date &birth, int year)
{
    return CriticalDaysJson(birth, FirstDayOf(birth, year), { 31, 12, year });
}

std::string YearCalendar(const companion::Date &birth, int year, const companion::UtcTime &stamp)
{
    const companion::CriticalList list
        = companion::FindCriticalDays(birth, FirstDayOf(birth, year), { 31, 12, year });
    if (list.Refusal != 0)
        return {};
    companion::CalendarOptions options;
    options.Stamp = stamp;
    return companion::CriticalCalendar(birth, list, options).Text;
}

} // namespace cykl::web
