// SPDX-License-Identifier: GPL-3.0-or-later
// The civil calendar: the real Gregorian dates that weekdays and calendar programs know.
// It differs from the calculation's calendar (calendar/dates.h), which holds 29 February
// of every fourth year, 1900 and 2100 included.
#pragma once

#include "calendar/dates.h"

namespace cykl {

// True when the day is one of the civil calendar within the years 1 to 9999.
bool IsCivilDay(const Date &date);

// The next day of the civil calendar; the year may pass 9999. A day that only the
// calculation's calendar holds (29.2.1900) is followed by the first of the next month.
Date NextCivilDay(const Date &date);

// The weekday of a civil day, 0 for Sunday to 6 for Saturday; -1 for a day that only the
// calculation's calendar holds.
int CivilWeekday(const Date &date);

} // namespace cykl
