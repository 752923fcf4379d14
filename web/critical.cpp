// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/critical.h"

#include "calendar/engine.h"
#include "calendar/texts.h"
#include "web/json.h"

#include <algorithm>

namespace cykl::web {

namespace {

// The days of a year that a birth date has lived: all of them, or those from the birth day.
Date FirstDayOf(const Date &birth, int year)
{
    return std::max(Date { 1, 1, year }, birth);
}

} // namespace

std::string CriticalDaysJson(const Date &birth, const Date &from, const Date &to)
{
    const CriticalList list = FindCriticalDays(birth, from, to);
    JsonWriter json;
    json.Open('{').Key("refusal");
    if (list.Refusal != 0)
        json.String(MessageText(list.Refusal, birth, list.RefusedDay));
    else
        json.Number(std::nullopt);
    json.Key("days").Open('[');
    for (const CriticalDay &day : list.Days) {
        json.Open('{').Key("day").Number(day.Day.Day);
        json.Key("month").Number(day.Day.Month).Key("year").Number(day.Day.Year);
        json.Key("date").String(CzechDate(day.Day));
        json.Key("weekday").String(WeekdayName(day.Day));
        json.Key("values").Open('[').Number(day.Values.Physical);
        json.Number(day.Values.Emotional).Number(day.Values.Intellectual).Close(']');
        json.Key("verdicts").Open('[');
        for (const MessageCode code : day.Codes)
            json.String(VerdictName(code));
        json.Close(']').Close('}');
    }
    json.Close(']').Close('}');
    return json.Text();
}

std::string CriticalDaysOfYearJson(const Date &birth, int year)
{
    return CriticalDaysJson(birth, FirstDayOf(birth, year), { 31, 12, year });
}

std::string YearCalendar(const Date &birth, int year, const UtcTime &stamp)
{
    const CriticalList list = FindCriticalDays(birth, FirstDayOf(birth, year), { 31, 12, year });
    if (list.Refusal != 0)
        return {};
    CalendarOptions options;
    options.Stamp = stamp;
    return CriticalCalendar(birth, list, options).Text;
}

} // namespace cykl::web
