// SPDX-License-Identifier: GPL-3.0-or-later
// Two people on the page: how alike their rhythms run, and the days they share a verdict,
// as the companion's match and together give them (calendar/together.h): the agreement's
// numbers, the shared days as its JSON, a year's shared days as its iCalendar file.
#pragma once

#include "calendar/ical.h"
#include "calendar/together.h"
#include "lang/language.h"

#include <string>
#include <vector>

namespace cykl::web {

// How alike the rhythms of two people run and their values of the day: {"captions" (the
// three cycles' and the mean's), "heading" naming them (the unnamed by the birth date),
// "match" (calendar/report_json.h, as the companion's match writes it), "meaning"}, or
// {"refusal"} with the window's refusal of a birth date that is no day; the cycles'
// captions in lang.
std::string AgreementJson(std::vector<SharedPerson> people, const Date &day, Lang lang);

// The shared days from..to as the companion writes them, each person's days from their own
// birth where the span starts before it; {"refusal"} with the window's refusal of a day
// of the span for one of them, after their name. A person without a name is named by the birth
// date.
std::string SharedDaysJson(std::vector<SharedPerson> people, const Date &from, const Date &to,
                           Lang lang);

// The notes on the shared days from..to, as a JSON list of texts: whose span starts at
// their birth, and with calendar the days a calendar file of them leaves out.
std::string SharedNotesJson(std::vector<SharedPerson> people, const Date &from, const Date &to,
                            bool calendar, Lang lang);

// The shared days of the year as an iCalendar object; empty when the window refuses a day
// of the year for one of the people.
std::string SharedYearCalendar(std::vector<SharedPerson> people, int year, const UtcTime &stamp,
                               Lang lang);

} // namespace cykl::web
