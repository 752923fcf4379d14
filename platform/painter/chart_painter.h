// SPDX-License-Identifier: GPL-3.0-or-later
// The month chart and the day chart painted from the chart model into a rectangle, as the
// charts' layout (display/chart_layout.h) places them, in the look's colours. Everything is
// in device-independent pixels: the same call paints a widget, an image at any pixel
// ratio, an SVG or a PDF page.
#pragma once

#include "display/chart_layout.h"
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
    int FirstPoint = 0; // a line chart's curves start at this point (layout::Options)
};

void PaintChart(QPainter &painter, const QRectF &area, const ChartModel &model,
                const PaintOptions &options);

// A chart laid out already, painted at the painter's origin with the painter's font in
// the colours of its elements' roles; options give the ink and the background.
void PaintLayout(QPainter &painter, const layout::Chart &chart, const PaintOptions &options);

// The font of the labels: the family and weight of font at the look's axis size.
QFont AxisFont(const QFont &font);

} // namespace cykl::chart
