// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the two charts and their legend in plain values: colours as RGB, the cycles'
// names and legend captions, the font families, the value range and the sizes. The window,
// the pictures and the web edition all take their look from here and turn it into the
// types of their toolkit.
#pragma once

#include "lang/catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cykl::look {

struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend constexpr bool operator==(const Rgb &, const Rgb &) = default;
};

// One data set's colours. Sets 1 to 3 are the cycles in the colours of the window's
// legend: physical blue, emotional green, intellectual cyan. Pure green is hard to see as
// a thin line on white, so the curve takes a darker shade of it; the bars are filled
// areas and keep the pure colour.
struct SeriesColours {
    Rgb Legend; // the legend's line
    Rgb Line; // the month curve
    Rgb Fill; // the day bar
    Rgb Text; // a value written on the bar
};

// The colours of set index (zero-based): the three cycles, then three more, in turn.
const SeriesColours &ColoursOf(int index);

inline constexpr Rgb Background { 255, 255, 255 }; // the plot and the pictures
inline constexpr Rgb Ink { 0, 0, 0 }; // labels, and a value beside a short bar
inline constexpr Rgb AxisLine { 128, 128, 128 };
inline constexpr Rgb GridLine { 224, 224, 224 };
inline constexpr Rgb ZeroLine { 96, 96, 96 };

// The cycles in their order: the window's legend frames, their tooltips and the pictures'
// legend rows.
struct Cycle {
    std::string_view Caption; // "Fyzická kondice"
    std::string_view Period; // the tooltip: " 23 denní perioda"
    int Days; // 23
};
const std::array<Cycle, 3> &Cycles(Lang lang = Lang::Cs);

// A picture's legend row for cycle index: "Fyzická kondice (23 dní)".
std::string LegendRow(int index, Lang lang = Lang::Cs);

// The name of a data set by its zero-based index, as the descriptions read it: the three
// cycles ("fyzická kondice"...), then "řada 4", "řada 5"...
std::string SeriesName(int index, Lang lang = Lang::Cs);

// The window's font: the design family first, then the installed families closest to it
// in metrics; 11 pixels (8.25 points at 96 dots per inch), bold. The axes and the values
// on the bars take the same family at AxisFontPixels.
const std::array<std::string_view, 5> &FontFamilies();
inline constexpr int WindowFontPixels = 11;
inline constexpr int AxisFontPixels = 9;

// The value axis: -100 to 100, labelled every 50.
inline constexpr double ValueMin = -100;
inline constexpr double ValueMax = 100;
inline constexpr double ValueStep = 50;

// Sizes in device-independent pixels.
inline constexpr double CurveWidth = 1.6;
inline constexpr double BarWidth = 0.9; // of a bar's slot
inline constexpr int LabelPadding = 6; // at least between two day labels
inline constexpr double ShortestLabelledBar
    = 20; // in value units: a shorter bar has its value beside it

} // namespace cykl::look
