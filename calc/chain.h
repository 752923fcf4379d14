// SPDX-License-Identifier: GPL-3.0-or-later
// The confirmation chain ConfirmInput -> CountDays -> CheckTargetDay -> DrawCycles.
// Each link calls the next as its last act.
#pragma once

#include "calc/main_module.h"
#include "calc/port.h"

#include <array>
#include <string_view>

namespace cykl {

inline constexpr int PhysicalPeriod = 23;
inline constexpr int EmotionalPeriod = 28;
inline constexpr int IntellectualPeriod = 33;

// Leap rule of the calculation: divisible by 4, century years included (1900, 2100 leap).
bool IsLeap(double year);

// floor(100 * sin(((2 * pi) * t) / period)) in exactly this order of operations.
double CycleValue(double t, int period);

// A field text read as its leading decimal number; no number gives 0. Leading blanks are
// skipped; the number is the longest prefix of the form [sign] digits [. digits]
// [e [sign] digits], with at least one digit before the exponent, read independently of
// the locale. A number beyond the range of a double reads as not-a-number.
double ReadNumber(std::string_view text);

// The days from the birth date to the first day of the target month (negative or zero when
// that month is the birth month), counted on the calculation's calendar. Needs the month
// table built and days, months and years as ConfirmInput lets them through.
double CountDaysLived(const InputDateRecord &dates, const MonthLengthTable &monthLength);

// The verdict codes of a day's three values, in the order their boxes appear: the
// critical-day codes 4 to 6 first, then the highs and lows 7 to 12. Each cycle yields at
// most one code, so a day has zero to three.
struct Verdicts {
    std::array<MessageCode, 3> Codes {};
    int Count = 0;

    const MessageCode *begin() const { return Codes.data(); }
    const MessageCode *end() const { return Codes.data() + Count; }
    bool empty() const { return Count == 0; }
};
Verdicts DailyVerdicts(double P, double E, double I);

void ConfirmInput(Main &main, Port &port);
// The same confirmation for a caller that holds the six numbers already (the companion
// command, the web edition): typed's six fields as ConfirmInput would have read them from
// Text1 to Text6 (its ChosenDay is not read). The port's fields are never asked.
void ConfirmNumbers(Main &main, Port &port, const InputDateRecord &typed);
void CountDays(Main &main, Port &port);
void CheckTargetDay(Main &main, Port &port, double &DaysLived);
void DrawCycles(Main &main, Port &port, double &DaysLived);

} // namespace cykl
