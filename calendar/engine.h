// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers beyond the window, all from the window's own confirmation chain: one
// confirmation of the six numbers gives the month's curves, the day's bars and the verdict
// codes, or a refusal with the code the window would show.
#pragma once

#include "calc/chain.h"
#include "calc/port.h"
#include "calendar/dates.h"
#include "display/held_window.h"
#include "lang/language.h"

#include <array>
#include <string>
#include <vector>

namespace cykl {

// Birth and target as the six numbers typed into the fields.
InputDateRecord Typed(const Date &birth, const Date &target);

// One confirmation of birth and target, as if typed into the six fields, in a window
// without a window (numbers only). A year beyond LastYear is refused with code 1.
Confirmation Confirm(const Date &birth, const Date &target);

// The text of a refusal (1 to 3) or verdict (4 to 12), as its box shows it, in UTF-8.
std::string MessageText(MessageCode code, const Date &birth, const Date &target,
                        Lang lang = Lang::Cs);

// The target day that confirms a whole month: its first day, or the birth day when the
// month is the birth month, so that the window shows it.
Date MonthTarget(const Date &birth, const Date &month);

struct CriticalDay {
    Date Day;
    DayValues3 Values;
    Verdicts Codes;
};

struct CriticalList {
    MessageCode Refusal = 0; // the refusal of the first refused day
    Date RefusedDay; // that day
    std::vector<CriticalDay> Days;
};

// Every day from..to (both included, from <= to) that raises at least one verdict. One
// confirmation per month gives the month's values; each day's values then go through the
// chain's own verdict tests. A range that reaches a day the window refuses is refused.
CriticalList FindCriticalDays(const Date &birth, const Date &from, const Date &to);

// The first day of a span from..to for a birth date: from, or the birth day when the
// span starts before the birth and reaches it, as the window counts no day before it.
Date SpanStart(const Date &birth, const Date &from, const Date &to);

// The number of verdicts 4 to 6 (critical cycles) among the codes.
int CriticalCycles(const Verdicts &codes);

} // namespace cykl
