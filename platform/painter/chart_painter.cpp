// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/painter/chart_painter.h"

#include "display/chart_layout.h"
#include "platform/painter/chart_style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <variant>

namespace cykl::chart {

namespace {

// The labels' font on the painter's device.
class FontMeasure final : public layout::TextMeasure {
public:
    FontMeasure(const QFont &font, QPaintDevice *device) : metrics_(font, device) { }
    double Width(std::string_view utf8) const override
    {
        return metrics_.horizontalAdvance(Text(utf8));
    }
    double Height() const override { return metrics_.height(); }
    double Ascent() const override { return metrics_.ascent(); }

private:
    QFontMetricsF metrics_;
};

QPointF At(layout::Point point)
{
    return { point.X, point.Y };
}

// Paints each element in the colour of its role.
class Painter {
public:
    Painter(QPainter &painter, const layout::Chart &chart, const PaintOptions &options)
        : painter_(painter), options_(options), clip_(QPointF(chart.Clip.Left, chart.Clip.Top),
                                                      QPointF(chart.Clip.Right, chart.Clip.Bottom))
    {
    }

    void operator()(const layout::Line &line) const
    {
        const Qt::PenCapStyle cap = line.Ends == layout::Cap::Square ? Qt::SquareCap : Qt::FlatCap;
        painter_.setPen(QPen(LineColour(line), 1, Qt::SolidLine, cap));
        painter_.drawLine(At(line.From), At(line.To));
    }
    void operator()(const layout::Text &text) const
    {
        QColor colour = options_.Ink;
        if (text.Role == layout::TextRole::ValueOnBar)
            colour = Colour(look::ColoursOf(text.Set).Text);
        else if (text.Role == layout::TextRole::ValueBeside)
            colour = Colour(look::Ink);
        painter_.setPen(colour);
        painter_.drawText(QPointF(text.Area.Left + 1, text.Baseline), Text(text.Content));
    }
    // A curve is painted a day at a time, each piece with its own ends.
    void operator()(const layout::Curve &curve) const
    {
        painter_.save();
        painter_.setClipRect(clip_);
        painter_.setPen(
            QPen(Colour(look::ColoursOf(curve.Set).Line), look::CurveWidth, options_.CurveStyle));
        if (options_.CurveStyle != Qt::SolidLine) {
            // one dash pattern along the whole curve
            QPolygonF line;
            for (const layout::Point &point : curve.Points)
                line.append(At(point));
            painter_.drawPolyline(line);
        }
        for (std::size_t point = 1;
             point < curve.Points.size() && options_.CurveStyle == Qt::SolidLine; ++point)
            painter_.drawLine(At(curve.Points[point - 1]), At(curve.Points[point]));
        painter_.restore();
    }
    void operator()(const layout::Bar &bar) const
    {
        const look::SeriesColours &colours = look::ColoursOf(bar.Set);
        painter_.setPen(QPen(Colour(colours.Line).darker(130), 1));
        painter_.setBrush(Colour(colours.Fill));
        painter_.drawRect(
            QRectF(QPointF(bar.Area.Left, bar.Area.Top), QPointF(bar.Area.Right, bar.Area.Bottom)));
        painter_.setBrush(Qt::NoBrush);
    }
    void operator()(const layout::Mark &mark) const
    {
        painter_.save();
        painter_.setClipRect(clip_);
        painter_.setPen(QPen(options_.Background, 1));
        painter_.setBrush(Colour(look::ColoursOf(mark.Set).Line));
        painter_.drawEllipse(At(mark.Centre), mark.Radius, mark.Radius);
        painter_.restore();
    }

private:
    static QColor LineColour(const layout::Line &line)
    {
        switch (line.Role) {
        case layout::LineRole::Grid:
            return Colour(look::GridLine);
        case layout::LineRole::Zero:
            return Colour(look::ZeroLine);
        case layout::LineRole::ZeroBar:
            return Colour(look::ColoursOf(line.Set).Line);
        case layout::LineRole::Tick:
        case layout::LineRole::Axis:
            break;
        }
        return Colour(look::AxisLine);
    }

    QPainter &painter_;
    const PaintOptions &options_;
    QRectF clip_;
};

} // namespace

QFont AxisFont(const QFont &font)
{
    QFont axis = font;
    axis.setPixelSize(look::AxisFontPixels);
    return axis;
}

void PaintChart(QPainter &painter, const QRectF &area, const ChartModel &model,
                const PaintOptions &options)
{
    painter.save();
    painter.translate(area.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(AxisFont(options.Font));
    if (options.Background.alpha() != 0)
        painter.fillRect(QRectF(QPointF(), area.size()), options.Background);
    const FontMeasure measure(AxisFont(options.Font), painter.device());
    PaintLayout(painter,
                layout::LayOut(model, area.width(), area.height(), measure,
                               { options.ShowZeroBars, options.MarkedPoint, options.FirstPoint }),
                options);
    painter.restore();
}

void PaintLayout(QPainter &painter, const layout::Chart &chart, const PaintOptions &options)
{
    const Painter paint(painter, chart, options);
    for (const layout::Element &element : chart.Elements) {
        const bool curve = std::holds_alternative<layout::Curve>(element)
            || std::holds_alternative<layout::Mark>(element);
        if (curve || !options.CurvesOnly)
            std::visit(paint, element);
    }
}

} // namespace cykl::chart
