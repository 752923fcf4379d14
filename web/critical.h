// SPDX-License-Identifier: GPL-3.0-or-later
// Beyond the window: the critical days of a span for a birth date, as the companion's JSON
// for the page's list, and a year's critical days as an iCalendar file. Both come from the
// engine's critical-day finder and writers, which run the window's own confirmation chain.
#pragma once

#include "calendar/dates.h"
#include "calendar/ical.h"

#include <string>

namespace cykl::web {

// The list of calendar/report_json.h for from..to (a span that starts before the birth
// starts at the birth day; "from" says so), with "refusal" where the window refuses a day.
std::string CriticalDaysJson(const Date &birth, const Date &from, const Date &to, Lang lang);

// The notes the companion gives on standard error for the span from..to (the span starts
// at the birth day) and, with calendar, for the days a calendar file of it leaves out, as
// a JSON list of texts.
std::string CriticalNotesJson(const Date &birth, const Date &from, const Date &to, bool calendar,
                              Lang lang);

// The critical days of the year (from the birth day in the year of birth) as an
// iCalendar object; empty when the window refuses a day of the year for this birth date.
std::string YearCalendar(const Date &birth, int year, const UtcTime &stamp, Lang lang);

} // namespace cykl::web
