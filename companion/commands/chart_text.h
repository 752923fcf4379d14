// SPDX-License-Identifier: GPL-3.0-or-later
// The charts drawn in characters, for a terminal or a text file: the month's three curves
// with the chosen day marked, the value axis and a legend, then the day's three bars. The
// curves take box-drawing characters (each cycle its own stroke, so they part without
// colour too) or braille dots, finer but missing from some consoles' fonts. A pure
// function of one confirmation's numbers; the rules of where colour goes beside it.
#pragma once

#include "calc/port.h"
#include "calendar/dates.h"
#include "companion/io/environment.h"
#include "display/held_window.h"
#include "lang/language.h"

#include <QString>

namespace cykl::companion {

inline constexpr int MinChartColumns = 40;
inline constexpr int DefaultChartColumns = 80;
inline constexpr int MaxChartColumns = 1000; // wider than any screen, short of memory's end
// The month chart's rows: 100 at the top, -100 at the bottom, 12.5 a row.
inline constexpr int TextChartRows = 17;

// How it is drawn: its width in columns (at least MinChartColumns), braille or box-drawing
// curves, colour escapes or plain text, and the language of its words.
struct TextChartLook {
    int Columns = DefaultChartColumns;
    bool Braille = false;
    bool Colour = false;
    Lang Language = Lang::Cs;
};

// What it shows: one confirmation's month curves and day bars for the birth and the day.
struct TextChartData {
    Date Birth;
    Date Day;
    QString Name; // the person's, or empty
    MonthValues Month;
    DayValues3 Values;
};

// The whole chart as lines, each ended by '\n'.
QString TextChart(const TextChartData &data, const TextChartLook &look);

enum class ColourMode { Auto, Always, Never };

// Whether colour escapes go out: always or never as asked; by default on a terminal that
// takes them, unless NO_COLOR is set to anything or TERM is "dumb".
bool ShowsColour(ColourMode mode, const Terminal &terminal, const QString &noColor,
                 const QString &term);

// The width to draw at: COLUMNS where it holds a number, else the terminal's, else 80; at
// least MinChartColumns, at most MaxChartColumns.
int ChartColumns(const QString &columnsVariable, const Terminal &terminal);

} // namespace cykl::companion
