// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/chart_text_plot.h"

#include "display/chart_look.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>

namespace cykl::companion {

namespace {

constexpr int Sets = 3;

// A curve's strokes: along a day, between two days, and the corners where it turns up
// (from the old row, to the new) or down.
struct Strokes {
    char32_t Across;
    char32_t Along;
    char32_t RiseFrom;
    char32_t RiseTo;
    char32_t FallFrom;
    char32_t FallTo;
};

// Physical light, emotional heavy, intellectual double.
constexpr std::array<Strokes, Sets> CurveStrokes { {
    { U'─', U'│', U'╯', U'╭', U'╮', U'╰' },
    { U'━', U'┃', U'┛', U'┏', U'┓', U'┗' },
    { U'═', U'║', U'╝', U'╔', U'╗', U'╚' },
} };

// A braille cell's dots: two columns of four, as the characters from U+2800 number them.
constexpr std::array<std::array<int, 4>, 2> DotBits { {
    { 0x01, 0x02, 0x04, 0x40 },
    { 0x08, 0x10, 0x20, 0x80 },
} };
constexpr char32_t BrailleBlank = U'\u2800';

// The row of a value, from 0 (ValueMax) to rows - 1 (ValueMin), not rounded.
double RowOf(double value, int rows)
{
    const double row = (look::ValueMax - value) * (rows - 1) / (look::ValueMax - look::ValueMin);
    return std::clamp(row, 0.0, double(rows - 1));
}

// A level stroke takes the cell; a turn keeps out of another curve's level.
void Put(TextGrid &grid, int row, int column, char32_t glyph, int set, bool level)
{
    TextCell &cell = grid[std::size_t(row)][std::size_t(column)];
    if (level || !cell.Level)
        cell = { glyph, set, level };
}

void DrawStrokes(TextGrid &grid, const MonthValues &month, int set, int width)
{
    const Strokes &stroke = CurveStrokes.at(std::size_t(set));
    const int rows = int(grid.size());
    int before = -1;
    for (int day = 0; day < month.Days; ++day) {
        const int row = int(std::lround(RowOf(SetValue(month, set, day), rows)));
        const int first = SlotStart(day, month.Days, width);
        for (int x = first; x < SlotStart(day + 1, month.Days, width); ++x)
            Put(grid, row, x, stroke.Across, set, true);
        if (before >= 0 && before != row) {
            const bool rise = row < before;
            for (int r = std::min(row, before) + 1; r < std::max(row, before); ++r)
                Put(grid, r, first, stroke.Along, set, false);
            Put(grid, before, first, rise ? stroke.RiseFrom : stroke.FallFrom, set, false);
            Put(grid, row, first, rise ? stroke.RiseTo : stroke.FallTo, set, true);
        }
        before = row;
    }
}

// Dots per cell and curve.
using DotGrid = std::vector<std::vector<std::array<int, Sets>>>;

void Dot(DotGrid &dots, int x, int y, int set)
{
    auto &cell = dots[std::size_t(y / 4)][std::size_t(x / 2)];
    cell[std::size_t(set)] |= DotBits[std::size_t(x % 2)][std::size_t(y % 4)];
}

// Each day a level run of dots across its columns; the first dot column of a day joins it
// to the day before.
void DrawDots(DotGrid &dots, const MonthValues &month, int set, int width)
{
    const int rows = int(dots.size());
    int before = -1;
    for (int day = 0; day < month.Days; ++day) {
        const double row = RowOf(SetValue(month, set, day), rows);
        const int y = std::min(int(std::floor(4 * row + 2)), 4 * rows - 1);
        const int first = 2 * SlotStart(day, month.Days, width);
        for (int x = first; x < 2 * SlotStart(day + 1, month.Days, width); ++x)
            Dot(dots, x, y, set);
        for (int r = before < 0 ? y : std::min(y, before); r <= std::max(y, before); ++r)
            Dot(dots, first, r, set);
        before = y;
    }
}

// A braille cell takes the colour of the curve with most dots in it.
TextCell BrailleCell(const std::array<int, Sets> &sets)
{
    int bits = 0;
    int most = 0;
    int owner = NoSet;
    for (int set = 0; set < Sets; ++set) {
        const int mask = sets[std::size_t(set)];
        bits |= mask;
        if (const int count = std::popcount(unsigned(mask)); count > most) {
            most = count;
            owner = set;
        }
    }
    return bits == 0 ? TextCell {} : TextCell { BrailleBlank + char32_t(bits), owner, true };
}

void MarkGrid(TextGrid &grid, int width, int days, int chosenDay)
{
    const int rows = int(grid.size());
    const int chosen = SlotStart(chosenDay + 1, days, width) - 1;
    for (int r = 0; r < rows; ++r) {
        for (int x = 0; x < width; ++x) {
            TextCell &cell = grid[std::size_t(r)][std::size_t(x)];
            if (cell.Set != NoSet)
                continue;
            if (x == chosen)
                cell = { U'┊', MutedSet, false };
            else if (2 * r == rows - 1)
                cell = { U'┈', MutedSet, false };
        }
    }
}

} // namespace

int SlotStart(int day, int days, int width)
{
    return day * width / days;
}

double SetValue(const MonthValues &month, int set, int day)
{
    const auto index = std::size_t(day);
    return set == 0 ? month.Physical.at(index)
        : set == 1  ? month.Emotional.at(index)
                    : month.Intellectual.at(index);
}

TextGrid PlotMonth(const MonthValues &month, int rows, int width, bool braille, int chosenDay)
{
    TextGrid grid(std::size_t(rows), std::vector<TextCell>(std::size_t(width), TextCell {}));
    if (month.Days <= 0)
        return grid;
    if (braille) {
        DotGrid dots(std::size_t(rows),
                     std::vector<std::array<int, Sets>>(std::size_t(width), { 0, 0, 0 }));
        for (int set = 0; set < Sets; ++set)
            DrawDots(dots, month, set, width);
        for (int r = 0; r < rows; ++r) {
            for (int x = 0; x < width; ++x)
                grid[std::size_t(r)][std::size_t(x)]
                    = BrailleCell(dots[std::size_t(r)][std::size_t(x)]);
        }
    } else {
        for (int set = 0; set < Sets; ++set)
            DrawStrokes(grid, month, set, width);
    }
    MarkGrid(grid, width, month.Days, chosenDay);
    return grid;
}

} // namespace cykl::companion
