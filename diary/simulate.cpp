// SPDX-License-Identifier: GPL-3.0-or-later
#include "diary/simulate.h"

#include "diary/stats.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace cykl::diary {

namespace {

constexpr std::chrono::sys_days FirstBirth { std::chrono::year(1990) / 1 / 1 }; // a Monday
constexpr std::chrono::sys_days DiaryStart { std::chrono::year(2025) / 1 / 6 };
constexpr int BirthWeeks = 520;

Date ToDate(std::chrono::sys_days day)
{
    const std::chrono::year_month_day civil { day };
    return { static_cast<int>(static_cast<unsigned>(civil.day())),
             static_cast<int>(static_cast<unsigned>(civil.month())),
             static_cast<int>(civil.year()) };
}

// A standard normal number (Box-Muller).
double Normal(std::mt19937_64 &random)
{
    const double u = 1 - UnitUniform(random); // (0, 1]
    return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * UnitUniform(random));
}

double WeeklyRhythm(const Scenario &scenario, std::chrono::sys_days day)
{
    const unsigned weekday = std::chrono::weekday(day).c_encoding();
    if (weekday == 1)
        return -scenario.MondayDip;
    return weekday == 0 || weekday == 6 ? scenario.WeekendLift : 0;
}

int Rating(double latent)
{
    return static_cast<int>(std::clamp(std::lround(3 + latent), 1L, 5L));
}

} // namespace

SimulatedDiary SimulateDiary(const Scenario &scenario, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    const auto birthDay = FirstBirth + std::chrono::weeks(random() % BirthWeeks);
    SimulatedDiary diary { .Registered = DefaultPlan(ToDate(birthDay), ToDate(DiaryStart)),
                           .Entries = {} };
    diary.Registered.MinimumDays = std::min(diary.Registered.MinimumDays, scenario.Days);
    const double fresh = std::sqrt(1 - scenario.CarryOver * scenario.CarryOver);
    std::array<double, 3> noise = { Normal(random), Normal(random), Normal(random) };
    for (int d = 0; d < scenario.Days; ++d) {
        const auto day = DiaryStart + std::chrono::days(d);
        const double lived = static_cast<double>((day - birthDay).count());
        const double emotional = std::sin(2 * std::numbers::pi * lived / 28);
        Entry entry { .Day = ToDate(day) };
        for (std::size_t s = 0; s < 3; ++s) {
            if (d > 0)
                noise.at(s) = scenario.CarryOver * noise.at(s) + fresh * Normal(random);
            const double effect = s == std::size_t(Scale::Mood) ? scenario.Effect * emotional : 0;
            entry.Ratings.at(s) = Rating(noise.at(s) + WeeklyRhythm(scenario, day) + effect);
        }
        diary.Entries.push_back(entry);
    }
    return diary;
}

bool NaiveLinkFound(const Plan &plan, const Sample &sample)
{
    constexpr double Level = 0.05;
    constexpr double Critical = 3; // as the window's critical-day message
    for (const Hypothesis &h : plan.Hypotheses) {
        const auto &curve = sample.Curves.at(static_cast<std::size_t>(h.Curve));
        const auto &rating = sample.Ratings.at(static_cast<std::size_t>(h.Rating));
        std::array<double, 2> count {}, sum {}, squares {};
        for (std::size_t d = 0; d < curve.size(); ++d) {
            const std::size_t group = std::abs(curve[d]) <= Critical ? 1 : 0;
            count.at(group) += 1;
            sum.at(group) += rating[d];
            squares.at(group) += rating[d] * rating[d];
        }
        if (count[0] < 2 || count[1] < 2)
            continue;
        std::array<double, 2> mean {}, variance {};
        for (std::size_t g = 0; g < 2; ++g) {
            mean.at(g) = sum.at(g) / count.at(g);
            variance.at(g)
                = (squares.at(g) - count.at(g) * mean.at(g) * mean.at(g)) / (count.at(g) - 1);
        }
        const double spread = std::sqrt(variance[0] / count[0] + variance[1] / count[1]);
        if (spread > 0 && TwoSidedNormalP((mean[1] - mean[0]) / spread) < Level)
            return true;
    }
    return false;
}

Rates Simulate(const Scenario &scenario, int diaries, std::uint64_t seed)
{
    Rates rates;
    for (int k = 0; k < diaries; ++k) {
        const SimulatedDiary diary = SimulateDiary(scenario, seed + static_cast<std::uint64_t>(k));
        const Sample sample = ReadSample(diary.Registered.Birth, diary.Entries);
        const TestResult result = RunTest(diary.Registered, sample);
        rates.Any += result.SignificantAny ? 1 : 0;
        rates.Emotional += result.Hypotheses.at(1).Significant ? 1 : 0;
        rates.Naive += NaiveLinkFound(diary.Registered, sample) ? 1 : 0;
    }
    rates.Any /= diaries;
    rates.Emotional /= diaries;
    rates.Naive /= diaries;
    return rates;
}

} // namespace cykl::diary
