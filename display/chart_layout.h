// SPDX-License-Identifier: GPL-3.0-or-later
// The two charts laid out once, for every front end: the value axis with its grid, ticks
// and labels, the category axis, the zero line, the curves, the bars with their values and
// the marked day, as positions in device-independent pixels with the chart's corner at
// 0, 0. A back end paints the elements in their order and gives each its colour by its
// role: the Qt painter (the window, PNG, PDF) and the SVG writer (the web page).
//
// Labels are laid out in boxes one pixel wider than their text on every side, measured
// by the back end's font. A back end whose font may differ from the measured one places a
// text by its anchor (the box's right edge or centre) rather than by its left edge.
#pragma once

#include "display/chart_model.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cykl::layout {

struct Point {
    double X = 0;
    double Y = 0;
};

// Left, Top, Right, Bottom as laid out: a bar runs from its value (Top) to 0 (Bottom), so
// a negative bar has its Top below its Bottom.
struct Box {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

// The labels' font as the back end sets it.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double Width(std::string_view utf8) const = 0; // the advance of the text
    virtual double Height() const = 0; // of a line
    virtual double Ascent() const = 0;
};

enum class LineRole {
    Grid, // across the plot at every labelled value
    Tick, // a short mark on an axis
    Axis, // the axis lines left of and under the plot
    Zero, // the zero line
    ZeroBar, // a bar at 0 on a printed chart, in its set's colour
};
enum class Cap { Flat, Square }; // a square cap reaches half the width past the end

struct Line {
    Point From;
    Point To;
    LineRole Role = LineRole::Grid;
    Cap Ends = Cap::Flat;
    int Set = 0; // the colour of a bar at 0
};

enum class TextRole {
    Label, // an axis label
    ValueOnBar, // a bar's value on its fill, in the set's text colour
    ValueBeside, // a bar's value where the bar is too short to hold it, in ink
};
enum class Anchor { Centre, End };

struct Text {
    std::string Content;
    Box Area; // the box; the text starts one pixel inside it, on Baseline
    double Baseline = 0;
    Anchor Stand = Anchor::Centre;
    TextRole Role = TextRole::Label;
    int Set = 0;
};

// A month curve through the days that have a value, clipped to Chart::Clip.
struct Curve {
    std::vector<Point> Points;
    int Set = 0;
};

// A day bar, filled and bordered.
struct Bar {
    Box Area;
    int Set = 0;
};

// The target day on a curve, clipped to Chart::Clip.
struct Mark {
    Point Centre;
    double Radius = 0;
    int Set = 0;
};

using Element = std::variant<Line, Text, Curve, Bar, Mark>;

struct Chart {
    double Width = 0;
    double Height = 0;
    Box Plot;
    Box Clip; // of the curves and marks: the plot and half a pixel round it
    std::vector<Element> Elements; // in the order they are painted
};

struct Options {
    // For a printed chart: a bar at 0 shows a hairline and its value, and the point
    // MarkedPoint (zero-based; -1: none) is marked on every curve.
    bool ShowZeroBars = false;
    int MarkedPoint = -1;
    // A line chart's curves start at this point (zero-based): a person born within the
    // month has none before the birth.
    int FirstPoint = 0;
};

// Type 4 lays out a bar chart with one bar per point, the first label under the bars; any
// other type a line chart of all sets over the points, their labels under the points. Both
// have the value axis -100 to 100 with its grid and a zero line.
Chart LayOut(const ChartModel &model, double width, double height, const TextMeasure &measure,
             const Options &options);

// A sans-serif font at a pixel size measured by typical proportions, for a back end that
// cannot measure the font it is shown in (a browser's): the labels are digits, signs and
// slashes, which such fonts set alike.
class TypicalMeasure final : public TextMeasure {
public:
    explicit TypicalMeasure(double pixels) : pixels_(pixels) { }
    double Width(std::string_view utf8) const override;
    double Height() const override;
    double Ascent() const override;

private:
    double pixels_;
};

} // namespace cykl::layout
