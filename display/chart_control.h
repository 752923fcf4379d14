// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control as the program sees it: numbered properties written one after
// another, the point count read back, and the control shown or hidden.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace cykl {

enum class ChartProperty : std::int16_t {
    RewindPositions = 1, // 1: the next label and value go to the first point of the first set
    DrawRequest = 7, // DrawNow: show what has been written
    DataValue = 16, // each write fills the next value position
    ChartType = 19, // ChartTypeBar or ChartTypeLine
    AutoAdvance = 24, // 1: each label or value write moves on to the next position
    PointLabel = 25, // each write labels the next point
    PointCount = 30, // points per set; also read back
    SetCount = 31, // number of data sets
    ResetRequest = 38, // 1: clear the chart's data
};

inline constexpr std::int16_t ChartTypeBar = 4;
inline constexpr std::int16_t ChartTypeLine = 6;
inline constexpr std::int16_t DrawNow = 2;

// A property value: a 16-bit integer, a double, a text (UTF-8) or a boolean.
using ChartValue = std::variant<std::int16_t, double, std::string, bool>;

class ChartControl {
public:
    virtual ~ChartControl() = default;
    virtual void Write(ChartProperty property, const ChartValue &value) = 0;
    virtual double Read(ChartProperty property) const = 0;
    virtual void SetVisible(bool visible) = 0;
};

} // namespace cykl
