// SPDX-License-Identifier: GPL-3.0-or-later
// Why the curve is weekday-adjusted as well as the ratings. The emotional cycle lasts
// exactly four weeks, so each of its days falls on one weekday for life: every emotional
// critical day of a person born on a Monday is a Monday. Comparing critical days with the
// others therefore compares Mondays with the rest, and a Monday dip alone reads as a link.
// Taking each weekday's mean out of the ratings removes the weekly rhythm from them. The
// correlation of the curve with those ratings is then the same whether or not the curve's
// weekday means are taken out too (the adjusted ratings sum to zero on every weekday), but
// its scale is not: the partial correlation given the weekday divides by the adjusted
// curve's spread, and the placebos are treated alike. For the emotional cycle this costs
// almost nothing: on a given weekday it visits four phases a quarter turn apart, whose
// sines cancel, so its weekday means are zero over whole four-week spans and only the
// part-span at the diary's end (and the floor of the whole percentages) is taken out. The
// 23- and 33-day cycles drift across the weekdays and their weekday means shrink as the
// diary grows. The adjustment takes six degrees of freedom, which the interval accounts for.
//
// Why whitening, then placebo sines, for the p-value. A curve is smooth and moods carry
// over from day to day, so neighbouring days are far from independent and the textbook
// test of r is too keen. The ratings' carry-over is fitted as AR(1) and taken out of the
// ratings, the curve and every placebo alike; what is left of the ratings is close to
// independent from day to day. Sines of other frequencies over the whole band (not near
// the week's harmonics, a period of whole weeks or any cycle) with random phases, adjusted
// and whitened the same way over the same days, have no link to the diary by construction:
// where the observed statistic ranks among theirs is the p-value. Placebos only near the
// tested period would rest on the few frequencies there and make the test keen; after
// whitening the whole band is a fair reference. The r shown is the plain weekday-adjusted
// correlation; its interval takes the carry-over into account by the effective days.
#include "diary/analysis.h"

#include "calc/chain.h"
#include "calendar/civil_calendar.h"
#include "calendar/engine.h"
#include "diary/stats.h"

#include <chrono>
#include <cmath>
#include <numbers>
#include <random>

namespace cykl::diary {

namespace {

constexpr int WeekdayMeansBeyondOne = 6;

long DayNumber(const Date &day)
{
    const std::chrono::year_month_day civil { std::chrono::year(day.Year),
                                              std::chrono::month(static_cast<unsigned>(day.Month)),
                                              std::chrono::day(static_cast<unsigned>(day.Day)) };
    return static_cast<long>(std::chrono::sys_days(civil).time_since_epoch().count());
}

bool Readable(const Date &birth, const Entry &entry)
{
    for (const int rating : entry.Ratings) {
        if (rating < 1 || rating > 5)
            return false;
    }
    return !entry.Shown && IsCivilDay(entry.Day) && !(entry.Day < birth);
}

// A frequency (cycles a day) of a placebo: uniform between one and a half cycles over the
// diary's span and one cycle in two days, but not within 1.5 cycles over the span of the
// week's harmonics (1/7, 2/7, 3/7), of a period of whole weeks, or of any cycle's period.
double PlaceboFrequency(std::mt19937_64 &random, double span)
{
    const double margin = 1.5 / span;
    const auto near = [&](double f, double other) { return std::abs(f - other) < margin; };
    constexpr double Highest = 0.5;
    for (;;) {
        const double f = margin + (Highest - margin) * UnitUniform(random);
        bool refused = near(f, 1.0 / PhysicalPeriod) || near(f, 1.0 / EmotionalPeriod)
            || near(f, 1.0 / IntellectualPeriod);
        for (int k = 1; k <= 3; ++k)
            refused = refused || near(f, k / 7.0);
        for (int weeks = 2; 1.0 / (7 * weeks) > margin / 2; ++weeks)
            refused = refused || near(f, 1.0 / (7 * weeks));
        if (!refused)
            return f;
    }
}

// The share of placebo statistics at least as high as the observed one, counting it too.
// Each placebo goes through the curve's steps: weekday adjustment, then whitening.
double PlaceboP(std::mt19937_64 &random, const Sample &sample, double phi,
                std::span<const double> ratings, double observed)
{
    const auto &days = sample.DayNumbers;
    const auto span = static_cast<double>(days.back() - days.front() + 1);
    std::vector<double> placebo(days.size());
    int asHigh = 0;
    for (int k = 0; k < PlaceboCount; ++k) {
        const double step = 2 * std::numbers::pi * PlaceboFrequency(random, span);
        const double start = 2 * std::numbers::pi * UnitUniform(random);
        for (std::size_t d = 0; d < placebo.size(); ++d)
            placebo[d] = std::sin(start + step * double(days[d] - days.front()));
        const auto whitened = Whitened(WeekdayAdjusted(placebo, sample.Weekdays), days, phi);
        if (CentredCorrelation(whitened, ratings) >= observed)
            ++asHigh;
    }
    return (asHigh + 1.0) / (PlaceboCount + 1.0);
}

// A seed from the plan and the days read: the same diary, the same placebos.
std::uint64_t SampleSeed(const Plan &plan, const Sample &sample)
{
    std::uint64_t seed = Fnv1a(PlanText(plan));
    for (std::size_t d = 0; d < sample.DayNumbers.size(); ++d) {
        std::string day = std::to_string(sample.DayNumbers[d]);
        for (const auto &scale : sample.Ratings)
            day += char('0' + int(scale[d]));
        seed = Fnv1a(day, seed);
    }
    return seed;
}

HypothesisResult TestOne(std::mt19937_64 &random, const Sample &sample, const Hypothesis &tested)
{
    const auto &curve = sample.Curves.at(static_cast<std::size_t>(tested.Curve));
    const auto &rating = sample.Ratings.at(static_cast<std::size_t>(tested.Rating));
    const std::vector<double> x = WeekdayAdjusted(curve, sample.Weekdays);
    const std::vector<double> y = WeekdayAdjusted(rating, sample.Weekdays);
    HypothesisResult result;
    result.Tested = tested;
    result.R = CentredCorrelation(x, y);
    const Interval interval = FisherInterval(result.R, EffectiveDays(x, y), WeekdayMeansBeyondOne);
    result.CiLow = interval.Low;
    result.CiHigh = interval.High;
    const double phi = CarryOver(y);
    const auto whitenedRatings = Whitened(y, sample.DayNumbers, phi);
    const double observed
        = CentredCorrelation(Whitened(x, sample.DayNumbers, phi), whitenedRatings);
    result.P = PlaceboP(random, sample, phi, whitenedRatings, observed);
    return result;
}

} // namespace

Sample ReadSample(const Date &birth, std::span<const Entry> entries)
{
    Sample sample;
    Confirmation month;
    Date shown; // the month that `month` holds
    for (const Entry &entry : entries) {
        if (!Readable(birth, entry)) {
            ++sample.LeftOut;
            continue;
        }
        const Date first { 1, entry.Day.Month, entry.Day.Year };
        if (!(first == shown)) {
            month = Confirm(birth, MonthTarget(birth, first));
            shown = first;
        }
        if (month.Refusal != 0) {
            ++sample.LeftOut;
            continue;
        }
        const auto k = static_cast<std::size_t>(entry.Day.Day - 1);
        const std::array<double, 3> values
            = { month.Month.Physical.at(k), month.Month.Emotional.at(k),
                month.Month.Intellectual.at(k) };
        sample.DayNumbers.push_back(DayNumber(entry.Day));
        sample.Weekdays.push_back(CivilWeekday(entry.Day));
        for (std::size_t c = 0; c < 3; ++c) {
            sample.Curves.at(c).push_back(values.at(c));
            sample.Ratings.at(c).push_back(entry.Ratings.at(c));
        }
        sample.Imported += entry.Imported ? 1 : 0;
    }
    return sample;
}

TestResult RunTest(const Plan &plan, std::span<const Entry> entries)
{
    return RunTest(plan, ReadSample(plan.Birth, entries));
}

TestResult RunTest(const Plan &plan, const Sample &sample)
{
    TestResult result;
    result.Days = static_cast<int>(sample.DayNumbers.size());
    result.Imported = sample.Imported;
    result.LeftOut = sample.LeftOut;
    result.Enough = result.Days >= plan.MinimumDays && result.Days > 0;
    if (!result.Enough)
        return result;
    std::mt19937_64 random(SampleSeed(plan, sample));
    std::vector<double> p;
    for (const Hypothesis &tested : plan.Hypotheses) {
        result.Hypotheses.push_back(TestOne(random, sample, tested));
        p.push_back(result.Hypotheses.back().P);
    }
    const std::vector<bool> significant = Holm(p, plan.Alpha());
    for (std::size_t k = 0; k < significant.size(); ++k) {
        result.Hypotheses[k].Significant = significant[k];
        result.SignificantAny = result.SignificantAny || significant[k];
    }
    return result;
}

} // namespace cykl::diary
