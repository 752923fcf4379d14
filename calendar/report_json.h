// SPDX-License-Identifier: GPL-3.0-or-later
// The days as JSON for programs: the companion's `--format json` and the web page's list
// of critical days, one shape written here for both. Keys stand in sorted order, as the
// companion has always written them. A day: "codes", "critical_cycles", "date" (ISO),
// "emotional", "intellectual", "messages" ({"code", "text"} each), "physical",
// "verdicts" (the names of its codes) and "weekday" (two Czech letters or three English
// ones, empty for a day that only the calculation's calendar holds). The keys are the same
// in every language; the texts ("messages"' "text", "verdicts", "weekday", "refusal",
// "message", "verdict") are in the language asked for, and the codes, "cycle" and "kind"
// name the same things in a form that does not change with it.
#pragma once

#include "calendar/engine.h"
#include "calendar/json.h"
#include "calendar/together.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace cykl {

// The day's fields and "birth", and "name" where one is given.
std::string DayJson(const Date &birth, const CriticalDay &day, std::string_view name = {},
                    Lang lang = Lang::Cs);

// "birth", "days", "month" (1996-03) and "name" where one is given.
std::string MonthJson(const Date &birth, const Date &month, std::span<const CriticalDay> days,
                      std::string_view name = {}, Lang lang = Lang::Cs);

// "birth", "days", "from", "name" where one is given, "refusal" where the window refuses
// a day of the span (its text; the companion writes no list then) and "to".
std::string CriticalJson(const Date &birth, const Date &from, const Date &to,
                         const CriticalList &list, std::string_view name = {},
                         Lang lang = Lang::Cs);

// The shared days of the people from..to: "days" (each "date" and its "shared" verdicts:
// "code", "cycle", "kind", "message", "people" by name, "verdict"), "from", "people"
// ("birth", "name" each) and "to".
std::string SharedJson(const std::vector<SharedPerson> &people, const Date &from, const Date &to,
                       const std::vector<SharedDay> &days, Lang lang = Lang::Cs);

// How alike two people's rhythms run beside their values of a day: "agreement"
// ("emotional", "intellectual", "overall", "physical", whole percents), "date",
// "day_difference" and "people" (each "birth", "codes", "emotional", "intellectual",
// "name", "physical" of the day), indented for a reader unless told otherwise.
std::string MatchJson(const std::array<SharedPerson, 2> &people, const Agreement &agreement,
                      const Date &day, const std::array<Confirmation, 2> &days,
                      JsonWriter::Layout layout = JsonWriter::Layout::Indented);

} // namespace cykl
