// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/critical.h"

#include "calendar/engine.h"
#include "calendar/report_json.h"

namespace cykl::web {

std::string CriticalDaysJson(const Date &birth, const Date &from, const Date &to)
{
    const Date start = SpanStart(birth, from, to);
    return CriticalJson(birth, start, to, FindCriticalDays(birth, start, to));
}

std::string YearCalendar(const Date &birth, int year, const UtcTime &stamp)
{
    const Date last { 31, 12, year };
    const CriticalList list = FindCriticalDays(birth, SpanStart(birth, { 1, 1, year }, last), last);
    if (list.Refusal != 0)
        return {};
    CalendarOptions options;
    options.Stamp = stamp;
    return CriticalCalendar(birth, list, options).Text;
}

} // namespace cykl::web
