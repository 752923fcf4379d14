// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' look (display/chart_look.h) in Qt's types.
#pragma once

#include "display/chart_look.h"

#include <QColor>
#include <QString>
#include <string>

namespace cykl::chart {

using look::ValueMax;
using look::ValueMin;
inline constexpr int AxisFontPixels = look::AxisFontPixels;
inline constexpr int ValueAxisRoom = 32; // pixels left of the plot for the labels -100..100
inline constexpr int LabelPadding = look::LabelPadding;
inline constexpr double ShortestLabelledBar = look::ShortestLabelledBar;

inline QColor Colour(look::Rgb rgb)
{
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

struct SeriesColour {
    QColor Line;
    QColor Fill;
    QColor Text; // a value written on the fill
};
inline SeriesColour ColourOf(int index)
{
    const look::SeriesColours &colours = look::ColoursOf(index);
    return { Colour(colours.Line), Colour(colours.Fill), Colour(colours.Text) };
}

inline QString Text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}
inline QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace cykl::chart
