// SPDX-License-Identifier: GPL-3.0-or-later
// The month chart's plot in character cells: the three curves as box-drawing strokes or
// braille dots, each cell remembering the curve whose colour it takes.
#pragma once

#include "calc/port.h"

#include <vector>

namespace cykl::companion {

inline constexpr int NoSet = -1; // a cell of no curve
inline constexpr int MutedSet = -2; // a cell of the grid: the zero line, the chosen day

struct TextCell {
    char32_t Glyph = U' ';
    int Set = NoSet;
    bool Level = false; // a curve's value on its day, which no other curve's turn covers
};

using TextGrid = std::vector<std::vector<TextCell>>; // rows of cells

// The first column of day (zero-based) of `days` over `width` columns; days itself gives
// the end of the last.
int SlotStart(int day, int days, int width);

// The plot of `rows` by `width` cells, the curves' values on their days' columns, the zero
// line and the chosen day's column (zero-based) in the cells the curves leave free.
TextGrid PlotMonth(const MonthValues &month, int rows, int width, bool braille, int chosenDay);

// The value of set (0 physical, 1 emotional, 2 intellectual) on day (zero-based).
double SetValue(const MonthValues &month, int set, int day);

} // namespace cykl::companion
