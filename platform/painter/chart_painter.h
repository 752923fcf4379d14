// SPDX-License-Identifier: GPL-3.0-or-later
// The month chart and the day chart painted from the chart model into a rectangle. Type 4
// paints a bar chart with one bar per point, the first label under the bars; any other type
// a line chart of all sets over the points, their labels under the points. Both have the
// value axis -100 to 100 with its grid and a zero line. Everything is in device-independent
// pixels: the same call paints a widget, an image at any pixel ratio, an SVG or a PDF page.
#pragma once

#include "display/chart_model.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace cykl::chart {

struct PaintOptions {
    QFont Font; // the labels' family and weight; their size is the look's axis size
    QColor Ink = Qt::black; // the labels
    QColor Background = Qt::white; // the whole rectangle; none when transparent
    // For a printed chart: a bar at 0 shows a hairline and its value, and the point
    // MarkedPoint (zero-based; -1: none) is marked on every curve.
    bool ShowZeroBars = false;
    int MarkedPoint = -1;
    // For a second person's curves over the first's: the line of the curves, and a line
    // chart's curves alone (no axes, grid or zero line).
    Qt::PenStyle CurveStyle = Qt::SolidLine;
    bool CurvesOnly = false;
};

void PaintChart(QPainter &painter, const QRectF &area, const ChartModel &model,
                const PaintOptions &options);

// The font of the labels: the family and weight of font at the look's axis size.
QFont AxisFont(const QFont &font);

// The window's font at a pixel size: the first of the look's families that is installed,
// bold. Naming an installed family leaves the font matching nothing to search for, and a
// picture's SVG names the family its PNG was drawn with.
QFont LookFont(int pixelSize);

} // namespace cykl::chart
