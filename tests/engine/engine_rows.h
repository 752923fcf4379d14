// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's tables of cases and their checks, in standard C++: the Qt Test suites and
// the Qt-free runner (engine_rows_main.cpp) take their rows from here. Every check returns
// "" when the row holds, otherwise what went wrong.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cykl::test {

// The three cycle values at day t.
struct CycleRow {
    std::string Name;
    double T, Physical, Emotional, Intellectual;
};
const std::vector<CycleRow> &CycleRows();
std::string Check(const CycleRow &row);

// The message codes of the target day evaluated at t.
struct VerdictRow {
    std::string Name;
    double T;
    std::vector<int> Codes;
};
const std::vector<VerdictRow> &VerdictRows();
std::string Check(const VerdictRow &row);

struct LeapRow {
    std::string Name;
    double Year;
    bool Leap;
};
const std::vector<LeapRow> &LeapRows();
std::string Check(const LeapRow &row);

// A field text and the number read from it; NaN: not a number, refused by the range check.
struct ReadNumberRow {
    std::string Name;
    std::string Text;
    double Expected;
};
const std::vector<ReadNumberRow> &ReadNumberRows();
std::string Check(const ReadNumberRow &row);

// Text1 to Text6 as "birth day|month|year|target day|month|year", the code 1 to 3 of
// ConfirmInput or 0, and whether CountDays ran.
struct ConfirmRow {
    std::string Name;
    std::string Fields;
    int Refusal;
    bool Counted;
};
const std::vector<ConfirmRow> &ConfirmRows();
std::string Check(const ConfirmRow &row);

// A birth date "day|month|year", a target month, the steps R, T and Y of the count (Y -1:
// same year; only their sum, DaysLived, can be seen) and DaysLived.
struct DaysLivedRow {
    std::string Name;
    std::string Birth;
    int TargetMonth, TargetYear, R, T, Y, DaysLived;
};
const std::vector<DaysLivedRow> &DaysLivedRows();
std::string Check(const DaysLivedRow &row);

// Six fields and the day count N of the month drawn, or 0 when message 1 refuses.
struct TargetDayRow {
    std::string Name;
    std::string Fields;
    int Days;
};
const std::vector<TargetDayRow> &TargetDayRows();
std::string Check(const TargetDayRow &row);

// Random date pairs (fixed seed) whose day count is compared with a closed-form day number.
struct DayCountRow {
    std::string Name;
    int FirstYear, LastYear, MaxSpan, Pairs;
};
const std::vector<DayCountRow> &DayCountRows();
std::string Check(const DayCountRow &row);

// A record of cycle_golden.txt, the cycle values every build must give: the hash of the
// whole table, or a line of the days where the sine is zero in exact arithmetic.
struct GoldenRow {
    std::string Name;
    std::string Record;
};
const std::vector<GoldenRow> &GoldenRows();
std::string Check(const GoldenRow &row);

// A count and the plural form it takes in Czech and in English: "one", "few" or "other".
struct PluralRow {
    std::string Name;
    long long Count;
    std::string Czech, English;
};
const std::vector<PluralRow> &PluralRows();
std::string Check(const PluralRow &row);

// The parts of a "|"-separated field text.
std::vector<std::string> SplitFields(const std::string &text);

} // namespace cykl::test
