// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control's data, without any drawing: type, point and set counts, one label
// per point, one value per set and point, and the two write positions.
//
// Labels and values are written one after another and keep separate positions. With
// AutoAdvance = 1 every label or value write moves its own position on by one; with
// AutoAdvance = 0 the next write goes to the same place again. RewindPositions = 1, and
// every write of the point count or the set count, put both positions back to the first
// point of the first set. A resize keeps the labels and values of the points and sets
// that still exist, so a label written just before the counts stays on its point.
//
// ResetRequest = 1 drops every label and value and rewinds; type and counts stay, so the
// next draw shows the empty grid of the chart type. Writes past the last position are
// dropped, unknown properties and values of a type a property cannot take are ignored,
// and counts outside 1..MaxPoints or 1..MaxSets leave the chart as it is.
#pragma once

#include "display/chart_control.h"
#include "lang/language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace cykl {

class ChartModel {
public:
    static constexpr int MaxPoints = 4096;
    static constexpr int MaxSets = 64;

    // What a write asks of the picture.
    enum class Effect {
        None,
        Draw, // a draw request: show the data as they stand now
        Cleared, // a reset request has dropped every label and value
    };

    ChartModel(std::int16_t type, std::int16_t points, std::int16_t sets);

    Effect Write(ChartProperty property, const ChartValue &value);
    // The point count, set count, type code or AutoAdvance flag; 0 for anything else.
    double Read(ChartProperty property) const;

    std::int16_t Type() const { return type_; }
    int Points() const { return points_; }
    int Sets() const { return sets_; }
    bool AutoAdvance() const { return autoAdvance_; }

    // Zero-based point and set; an empty text where no label has been written.
    const std::string &Label(int point) const;
    // The value of a set at a point, if one has been written there.
    std::optional<double> Value(int set, int point) const;
    // True when no label and no value is held.
    bool Empty() const;

    // The zero-based positions of the next label and value writes (the value position
    // counts through set 1, then set 2, and so on); equal to the capacity when full.
    int LabelPosition() const { return labelPosition_; }
    int ValuePosition() const { return valuePosition_; }

private:
    void Resize(int points, int sets);
    void Rewind();
    void Clear();
    void PutLabel(std::string label);
    void PutValue(double value);
    Effect WriteCount(ChartProperty property, const ChartValue &value);
    Effect WriteFlag(ChartProperty property, const ChartValue &value);

    std::int16_t type_;
    int points_ = 0;
    int sets_ = 0;
    bool autoAdvance_ = false;
    int labelPosition_ = 0;
    int valuePosition_ = 0;
    std::vector<std::string> labels_; // one per point
    std::vector<std::optional<double>> values_; // set-major: set * points_ + point
};

// The chart in words, in Czech, for users of assistive technology. A bar chart names its
// day by the first label and reads its points in cycle order ("Den 5/3: fyzická kondice
// 63 %, citová vnímavost -23 %, síla intelektu -87 %"); a line chart reads every labelled
// day with the values of its sets in cycle order. Without data: "Údaje nejsou potvrzeny."
std::string DescribeChart(const ChartModel &model, Lang lang = Lang::Cs);

} // namespace cykl
