// SPDX-License-Identifier: GPL-3.0-or-later
// Diaries with a known truth, to show what the test finds in them: people born on a
// Monday whose ratings follow a weekly rhythm, carry over from day to day and, when asked,
// follow their emotional cycle. Also the naive test that the weekly rhythm fools.
#pragma once

#include "diary/analysis.h"

#include <cstdint>

namespace cykl::diary {

// All sizes in standard deviations of the day-to-day noise.
struct Scenario {
    int Days = 120;
    double Effect = 0; // the mood's swing with the emotional cycle (amplitude)
    double MondayDip = 1; // every scale is this much lower on Mondays
    double WeekendLift = 0.5; // and this much higher on Saturdays and Sundays
    double CarryOver = 0.5; // AR(1) coefficient of the noise
};

struct SimulatedDiary {
    diary::Plan Registered; // the default plan, its minimum no longer than the diary
    std::vector<Entry> Entries;
};

// One diary: the birth a Monday between 1990 and 1999, the diary from 6 January 2025 on
// consecutive days, ratings the latent value rounded to whole steps around 3, within 1 to 5.
SimulatedDiary SimulateDiary(const Scenario &scenario, std::uint64_t seed);

// The naive test: each hypothesis's rating on the cycle's critical days against the other
// days, no weekday adjustment, no correction, two-sided at 0.05. True when any is "linked".
bool NaiveLinkFound(const Plan &plan, const Sample &sample);

struct Rates {
    double Any = 0; // diaries with any hypothesis significant
    double Emotional = 0; // diaries with the emotional hypothesis significant
    double Naive = 0; // diaries where the naive test finds a link
};

// The shares over `diaries` diaries simulated from seeds seed, seed + 1, ...
Rates Simulate(const Scenario &scenario, int diaries, std::uint64_t seed);

} // namespace cykl::diary
