// SPDX-License-Identifier: GPL-3.0-or-later
#include "diary/stats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace cykl::diary {

std::vector<double> WeekdayAdjusted(std::span<const double> values, std::span<const int> weekdays)
{
    std::array<double, 7> sums {};
    std::array<int, 7> counts {};
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto day = static_cast<std::size_t>(weekdays[k]);
        sums.at(day) += values[k];
        ++counts.at(day);
    }
    std::vector<double> adjusted(values.size());
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto day = static_cast<std::size_t>(weekdays[k]);
        adjusted[k] = values[k] - sums.at(day) / counts.at(day);
    }
    return adjusted;
}

double CentredCorrelation(std::span<const double> x, std::span<const double> y)
{
    double xy = 0;
    double xx = 0;
    double yy = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        xy += x[k] * y[k];
        xx += x[k] * x[k];
        yy += y[k] * y[k];
    }
    // Below this the series is constant but for rounding.
    constexpr double Tiny = 1e-12;
    if (xx < Tiny || yy < Tiny)
        return 0;
    return xy / std::sqrt(xx * yy);
}

double Autocorrelation(std::span<const double> values, int lag)
{
    const auto shift = static_cast<std::size_t>(lag);
    if (shift >= values.size())
        return 0;
    return CentredCorrelation(values.first(values.size() - shift), values.subspan(shift));
}

std::vector<double> Whitened(std::span<const double> values, std::span<const long> dayNumbers,
                             double phi)
{
    std::vector<double> whitened(values.begin(), values.end());
    for (std::size_t d = 1; d < values.size(); ++d) {
        if (dayNumbers[d] - dayNumbers[d - 1] == 1)
            whitened[d] -= phi * values[d - 1];
    }
    const double mean = std::accumulate(whitened.begin(), whitened.end(), 0.0)
        / static_cast<double>(std::max<std::size_t>(whitened.size(), 1));
    for (double &value : whitened)
        value -= mean;
    return whitened;
}

double CarryOver(std::span<const double> ratings)
{
    constexpr double Most = 0.9;
    // The lag-1 autocorrelation of a short series falls short of the true one by about
    // (1 + 3 phi) / n (Kendall); a shortfall would leave carry-over in the whitened series.
    const double n = std::max(static_cast<double>(ratings.size()), 1.0);
    const double phi = Autocorrelation(ratings, 1);
    return std::clamp(phi + (1 + 3 * phi) / n, 0.0, Most);
}

double EffectiveDays(std::span<const double> curve, std::span<const double> ratings)
{
    const auto n = static_cast<double>(curve.size());
    const double phi = CarryOver(ratings);
    double sum = 0;
    double weight = phi;
    for (int lag = 1; weight > 1e-3 && lag < static_cast<int>(curve.size()) / 4; ++lag) {
        sum += Autocorrelation(curve, lag) * weight;
        weight *= phi;
    }
    return std::clamp(n / (1 + 2 * sum), 1.0, std::max(n, 1.0));
}

Interval FisherInterval(double r, double effectiveDays, int fitted)
{
    constexpr double Z95 = 1.959963984540054;
    const double z = std::atanh(std::clamp(r, -0.999999, 0.999999));
    const double spread = Z95 / std::sqrt(std::max(effectiveDays - 3 - fitted, 1.0));
    return { std::tanh(z - spread), std::tanh(z + spread) };
}

std::vector<bool> Holm(std::span<const double> p, double alpha)
{
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<bool> significant(p.size(), false);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        if (p[order[rank]] > alpha / static_cast<double>(p.size() - rank))
            break;
        significant[order[rank]] = true;
    }
    return significant;
}

double TwoSidedNormalP(double z)
{
    return std::erfc(std::abs(z) / std::sqrt(2.0));
}

} // namespace cykl::diary
