// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the chart control: its palette, value range and the sizes that keep the
// small charts legible.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <string>

namespace cykl::chart {

// Sets 1 to 3 in the colours of the window's legend: physical blue, emotional green,
// intellectual cyan. Pure green is hard to see as a thin line on white, so the lines
// take a darker shade of it; the bars are filled areas and keep the pure colour.
struct SeriesColour {
    QColor Line;
    QColor Fill;
    QColor Text; // a value written on the fill
};
inline const std::array<SeriesColour, 6> &Palette()
{
    static const std::array<SeriesColour, 6> Colours { {
        { QColor(0, 0, 255), QColor(0, 0, 255), QColor(255, 255, 255) },
        { QColor(0, 190, 0), QColor(0, 255, 0), QColor(0, 0, 0) },
        { QColor(0, 255, 255), QColor(0, 255, 255), QColor(0, 0, 0) },
        { QColor(220, 0, 0), QColor(255, 0, 0), QColor(255, 255, 255) },
        { QColor(200, 0, 200), QColor(255, 0, 255), QColor(255, 255, 255) },
        { QColor(128, 128, 0), QColor(192, 192, 0), QColor(0, 0, 0) },
    } };
    return Colours;
}
inline const SeriesColour &ColourOf(int index)
{
    return Palette()[static_cast<std::size_t>(index) % Palette().size()];
}

inline constexpr double ValueMin = -100;
inline constexpr double ValueMax = 100;
inline constexpr int AxisFontPixels = 9;
inline constexpr int ValueAxisRoom = 32; // pixels left of the plot for the labels -100..100
inline constexpr int LabelPadding = 6;
inline constexpr double ShortestLabelledBar = 20; // in value units, at the day chart's height

inline QString Text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace cykl::chart
