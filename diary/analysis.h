// SPDX-License-Identifier: GPL-3.0-or-later
// The diary's test: for each hypothesis of the plan, how the cycle's value on each day
// goes with that day's rating once the weekly rhythm is taken out, with a p-value that
// holds under the weekly rhythm and under day-to-day carry-over.
#pragma once

#include "diary/plan.h"

#include <array>
#include <span>
#include <vector>

namespace cykl::diary {

// One day of the diary: three whole ratings from 1 to 5 in scale order (energy, mood,
// focus). Shown: the curves had been shown for that day before it was written, so it
// is left out. Imported: written outside the program, so it counts but could not be
// kept blind.
struct Entry {
    Date Day;
    std::array<int, 3> Ratings {};
    bool Shown = false;
    bool Imported = false;
};

// The days the test reads, as series: the civil day number, the weekday (0 Sunday), the
// three cycle values the window shows for the day, and the three ratings.
struct Sample {
    std::vector<long> DayNumbers;
    std::vector<int> Weekdays;
    std::array<std::vector<double>, 3> Curves; // in Cycle order
    std::array<std::vector<double>, 3> Ratings; // in Scale order
    int Imported = 0; // of the days read, those written outside the program
    int LeftOut = 0; // entries not read: shown before, a rating out of range, before birth
};

// The entries the test may read, in the order given (one entry per day, earlier first).
Sample ReadSample(const Date &birth, std::span<const Entry> entries);

struct HypothesisResult {
    Hypothesis Tested;
    double R = 0; // weekday-adjusted correlation
    double CiLow = 0; // its 95 % interval
    double CiHigh = 0;
    double P = 1; // one-sided: "higher curve, better day"
    bool Significant = false; // after Holm's correction at the plan's level
};

struct TestResult {
    int Days = 0; // days read
    int Imported = 0; // of them, days that could not be kept blind
    int LeftOut = 0;
    bool Enough = false; // Days reached the plan's minimum; else no hypothesis is tested
    std::vector<HypothesisResult> Hypotheses;
    bool SignificantAny = false;
};

// The placebo sines each observed correlation is ranked among.
inline constexpr int PlaceboCount = 999;

// The test of a plan on a diary. The same diary and plan always give the same result.
TestResult RunTest(const Plan &plan, std::span<const Entry> entries);
TestResult RunTest(const Plan &plan, const Sample &sample);

} // namespace cykl::diary
