// SPDX-License-Identifier: GPL-3.0-or-later
// The diary's plan, fixed before the first entry: which cycle is tested against which
// rating, the family-wise significance level and how many days the test waits for. Its
// canonical text and that text's checksum let a stored plan be checked for later changes.
#pragma once

#include "calendar/dates.h"
#include "calendar/fnv1a.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cykl::diary {

enum class Cycle { Physical, Emotional, Intellectual };
enum class Scale { Energy, Mood, Focus };

// Each hypothesis says "higher curve, better day": the test is one-sided.
struct Hypothesis {
    Cycle Curve = Cycle::Physical;
    Scale Rating = Scale::Energy;
    friend bool operator==(const Hypothesis &, const Hypothesis &) = default;
};

// The family-wise level is held by Holm's step-down correction over the plan's hypotheses
// (as strict as Bonferroni on the smallest p-value, never stricter on the others).
struct Plan {
    Date Birth;
    Date Registered; // the day the plan was fixed
    std::vector<Hypothesis> Hypotheses;
    int AlphaPerTenThousand = 500; // 0.05, written exactly
    int MinimumDays = 90;
    friend bool operator==(const Plan &, const Plan &) = default;

    double Alpha() const { return AlphaPerTenThousand / 10000.0; }
};

// Physical with energy, emotional with mood, intellectual with focus; 0.05; 90 days.
Plan DefaultPlan(const Date &birth, const Date &registered);

std::string_view CycleName(Cycle cycle); // "physical", "emotional", "intellectual"
std::string_view ScaleName(Scale scale); // "energy", "mood", "focus"

// One line per field, in a fixed order, ISO dates, ending in a newline.
std::string PlanText(const Plan &plan);

// The canonical text read back; nothing for any other text (PlanText(*ParsePlan(t)) == t).
std::optional<Plan> ParsePlan(std::string_view text);

// The plan's checksum: the FNV-1a of its text (calendar/fnv1a.h) as 16 hex digits.
std::string PlanChecksum(const Plan &plan);

} // namespace cykl::diary
