// SPDX-License-Identifier: GPL-3.0-or-later
// The write sequences the display sends to the two charts on a confirmation, for any
// target with Write and Read of chart properties (the model or the widget).
#pragma once

#include "display/chart_control.h"
#include "display/chart_model.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace cykl::test {

using Property = ChartProperty;

inline std::int16_t I16(int value)
{
    return static_cast<std::int16_t>(value);
}

// Three sets of one value per day: physical, emotional, intellectual.
using MonthSets = std::array<std::vector<double>, 3>;

// The cycle values of the month that starts at the given day count.
inline MonthSets CycleMonth(double firstDay, int days)
{
    const double pi = 4 * std::atan(1.0);
    const std::array<double, 3> periods { 23, 28, 33 };
    MonthSets sets;
    for (std::size_t set = 0; set < sets.size(); ++set) {
        for (int day = 0; day < days; ++day) {
            const double t = firstDay + day;
            sets[set].push_back(std::floor(100 * std::sin(((2 * pi) * t) / periods[set])));
        }
    }
    return sets;
}

// Set-up, day labels and fill of the monthly chart; the day chart only gets its
// AutoAdvance write, as in the set-up step.
template<typename Chart, typename DayChart>
void WriteMonth(Chart &month, DayChart &day, const MonthSets &sets)
{
    const int days = static_cast<int>(sets[0].size());
    month.Write(Property::PointCount, I16(days));
    month.Write(Property::SetCount, I16(3));
    month.Write(Property::RewindPositions, I16(1));
    month.Write(Property::AutoAdvance, I16(1));
    day.Write(Property::AutoAdvance, I16(1));
    for (int label = 1; label <= days; ++label) {
        month.Write(Property::PointLabel, I16(label));
    }
    for (const auto &values : sets) {
        const auto count = static_cast<std::int16_t>(month.Read(Property::PointCount));
        for (int point = 0; point < count; ++point) {
            month.Write(Property::DataValue, values[static_cast<std::size_t>(point)]);
        }
    }
    month.Write(Property::ChartType, I16(ChartTypeLine));
}

// The fill of the day chart: its label goes in before its counts and the rewind.
template<typename Chart>
void WriteDay(Chart &day, const std::string &label, const std::array<double, 3> &values)
{
    day.Write(Property::PointLabel, label);
    day.Write(Property::PointCount, I16(3));
    day.Write(Property::SetCount, I16(1));
    day.Write(Property::RewindPositions, I16(1));
    for (const double value : values) {
        day.Write(Property::DataValue, value);
    }
    day.Write(Property::ChartType, I16(ChartTypeBar));
}

// The models a confirmation leaves: the month of CycleMonth(firstDay, days), and the day
// " 5/3" with its three values.
inline ChartModel FilledMonth(double firstDay, int days)
{
    ChartModel month(ChartTypeLine, 31, 3);
    ChartModel day(ChartTypeBar, 3, 1);
    WriteMonth(month, day, CycleMonth(firstDay, days));
    return month;
}

inline ChartModel FilledDay(const std::array<double, 3> &values)
{
    ChartModel day(ChartTypeBar, 3, 1);
    day.Write(Property::AutoAdvance, I16(1));
    WriteDay(day, " 5/3", values);
    return day;
}

template<typename Chart> void Draw(Chart &chart)
{
    chart.Write(Property::DrawRequest, I16(DrawNow));
}

template<typename Chart> void Reset(Chart &chart)
{
    chart.Write(Property::ResetRequest, I16(1));
}

} // namespace cykl::test
