// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics of the diary's test, on plain series of numbers: the weekday adjustment,
// the correlation, its interval for series that carry over from day to day, and Holm's
// correction.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace cykl::diary {

// The values with the mean of their weekday (0 to 6, one per value) taken out. The result
// has mean zero on each weekday, and so overall.
std::vector<double> WeekdayAdjusted(std::span<const double> values, std::span<const int> weekdays);

// Pearson's r of two series that have mean zero already; 0 when either is constant.
double CentredCorrelation(std::span<const double> x, std::span<const double> y);

// The correlation of a mean-zero series with itself `lag` entries later.
double Autocorrelation(std::span<const double> values, int lag);

// The number of independent days two mean-zero series are worth for their correlation
// (Bartlett: n / (1 + 2 sum rho_x(k) rho_y(k))). The ratings' carry-over is fitted as
// AR(1), rho_y(k) = phi^k with phi their lag-1 autocorrelation: on 90 days one fitted
// number is stable where many sample autocorrelations are noise. The curve's own
// autocorrelations are read from it. Never more than n, never less than 1.
double EffectiveDays(std::span<const double> curve, std::span<const double> ratings);

// The series with yesterday's carry-over taken out, v[d] - phi * v[d - 1], where day d
// follows day d - 1 (day numbers one apart; the first day of each run is kept as it is),
// then centred. With phi the ratings' carry-over, the whitened ratings are close to
// independent from day to day.
std::vector<double> Whitened(std::span<const double> values, std::span<const long> dayNumbers,
                             double phi);

// The ratings' carry-over as AR(1): their lag-1 autocorrelation, within 0 and 0.9.
double CarryOver(std::span<const double> ratings);

struct Interval {
    double Low = 0;
    double High = 0;
};

// The 95 % interval of r by Fisher's z on `effectiveDays`, less the degrees of freedom
// that the adjustment took (`fitted`, the six weekday means beyond the overall one).
Interval FisherInterval(double r, double effectiveDays, int fitted);

// Holm's step-down: which p-values are significant at family-wise level alpha.
std::vector<bool> Holm(std::span<const double> p, double alpha);

// A uniform double in [0, 1) from the generator's 53 high bits: unlike the standard
// distributions, the same on every standard library.
inline double UnitUniform(std::mt19937_64 &random)
{
    constexpr double Step = 0x1.0p-53;
    return static_cast<double>(random() >> 11U) * Step;
}

// The two-sided p-value of a standard normal statistic.
double TwoSidedNormalP(double z);

} // namespace cykl::diary
