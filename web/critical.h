// SPDX-License-Identifier: GPL-3.0-or-later
// Beyond the window: the critical days of a span for a birth date, as JSON for the page's
// list, and a year's critical days as an iCalendar file. Both come from the engine's
// critical-day finder and calendar writer, which run the window's own confirmation chain.
#pragma once

#include "calendar/dates.h"
#include "calendar/ical.h"

#include <string>

namespace cykl::web {

// {"refusal": the window's text when it refuses a day of the span, else null,
//  "days": [{"day", "month", "year", "date": "5.3.1996", "weekday": "út",
//            "values": [P, E, I], "verdicts": ["kritická fyzická kondice", ...]}]}
std::string CriticalDaysJson(const Date &birth, const Date &from, const Date &to);

// The same for a year: from its first day, or from the birth day in the year of birth.
std::string CriticalDaysOfYearJson(const Date &birth, int year);

// The critical days of the year (from the birth day in the year of birth) as an
// iCalendar object; empty when the window refuses a day of the year for this birth date.
std::string YearCalendar(const Date &birth, int year, const UtcTime &stamp);

} // namespace cykl::web
