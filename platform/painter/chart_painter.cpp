// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/painter/chart_painter.h"

#include "platform/painter/chart_style.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace cykl::chart {

namespace {

constexpr qreal TickLength = 4.5;
constexpr qreal LabelGap = 4; // between the plot's bottom and the labels under it
constexpr qreal AxisLabelGap = 5; // between the value labels and the plot's left edge
constexpr int ValueAxisRoom = 32; // what the day labels leave to the value axis
constexpr qreal MarkRadius = 2.5;

// A label is set in a box one pixel wider than its text on every side; the boxes of the
// axes stand on whole pixels.
struct Label {
    QString Text;
    QPointF TopLeft;
};

// The plot and the labels' font, in the rectangle's own coordinates (its corner at 0, 0).
class Frame {
public:
    Frame(QPainter &painter, QSizeF size, const PaintOptions &options)
        : Painter(painter), Options(options), Size(size), Font(AxisFont(options.Font)),
          Metrics(Font, painter.device()), BoxHeight(std::ceil(Metrics.height()) + 2)
    {
        qreal widest = 0;
        for (double value = look::ValueMax; value >= look::ValueMin; value -= look::ValueStep)
            widest = std::max(widest, BoxWidth(ValueText(value)));
        Plot = QRectF(QPointF(widest + AxisLabelGap + 1, BoxHeight / 2),
                      QPointF(size.width() - 0.5, size.height() - BoxHeight - LabelGap - 1));
    }

    static QString ValueText(double value) { return QString::number(value, 'f', 0); }
    qreal BoxWidth(const QString &text) const { return Metrics.horizontalAdvance(text) + 2; }
    qreal Y(double value) const
    {
        return Plot.top()
            + (look::ValueMax - value) / (look::ValueMax - look::ValueMin) * Plot.height();
    }
    void Draw(const Label &label, const QColor &colour) const
    {
        Painter.setPen(colour);
        Painter.drawText(label.TopLeft + QPointF(1, 1 + Metrics.ascent()), label.Text);
    }
    // The axis lines reach half a pixel past their ends, so that they meet in a corner.
    void Line(QPointF from, QPointF to, look::Rgb colour, Qt::PenCapStyle cap = Qt::FlatCap) const
    {
        Painter.setPen(QPen(Colour(colour), 1, Qt::SolidLine, cap));
        Painter.drawLine(from, to);
    }

    QPainter &Painter;
    const PaintOptions &Options;
    QSizeF Size;
    QFont Font;
    QFontMetricsF Metrics;
    qreal BoxHeight;
    QRectF Plot;
};

// The grid, the labels -100 to 100 and their ticks, and the axis line left of the plot.
void PaintValueAxis(const Frame &frame)
{
    const qreal axisX = std::round(frame.Plot.left()) - 1;
    for (double value = look::ValueMax; value >= look::ValueMin; value -= look::ValueStep) {
        const qreal y = frame.Y(value);
        frame.Line({ frame.Plot.left(), y }, { frame.Plot.right(), y }, look::GridLine,
                   Qt::SquareCap);
        frame.Line({ axisX - TickLength, y }, { axisX + 0.5, y }, look::AxisLine);
        const QString text = Frame::ValueText(value);
        const qreal right = frame.Plot.left() - AxisLabelGap;
        frame.Draw({ text,
                     QPointF(std::round(right - frame.BoxWidth(text)),
                             std::round(y - frame.BoxHeight / 2)) },
                   frame.Options.Ink);
    }
    frame.Line({ axisX, frame.Plot.top() }, { axisX, frame.Plot.bottom() }, look::AxisLine,
               Qt::SquareCap);
}

// The axis line under the plot, a tick at each x, and the labels centred under their x.
void PaintCategoryAxis(const Frame &frame, const std::vector<qreal> &ticks,
                       const std::vector<std::pair<QString, qreal>> &labels)
{
    const qreal bottom = frame.Plot.bottom();
    frame.Line({ frame.Plot.left(), bottom }, { frame.Plot.right(), bottom }, look::AxisLine,
               Qt::SquareCap);
    for (const qreal x : ticks)
        frame.Line({ x, bottom - 0.5 }, { x, bottom + TickLength }, look::AxisLine);
    for (const auto &[text, x] : labels) {
        frame.Draw(
            { text,
              QPointF(std::round(x - frame.BoxWidth(text) / 2), std::round(bottom + LabelGap)) },
            frame.Options.Ink);
    }
}

void PaintZeroLine(const Frame &frame)
{
    const qreal y = frame.Y(0);
    frame.Line({ frame.Plot.left(), y }, { frame.Plot.right(), y }, look::ZeroLine, Qt::SquareCap);
}

QString Trimmed(const std::string &label)
{
    return Text(label).trimmed();
}

// How many points apart the day labels stand so that none is cut short: every point when
// there is room, else every 2nd, 5th, 10th... point.
int DayLabelStep(const Frame &frame, const ChartModel &model)
{
    const QFontMetrics metrics(frame.Font);
    int widest = metrics.horizontalAdvance(QString::number(model.Points()));
    for (int point = 0; point < model.Points(); ++point)
        widest = std::max(widest, metrics.horizontalAdvance(Trimmed(model.Label(point))));
    const double room = std::max(1.0, frame.Size.width() - ValueAxisRoom) / model.Points();
    for (const int step : { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000 }) {
        if (step * room >= widest + look::LabelPadding)
            return step;
    }
    return ChartModel::MaxPoints;
}

// Point 1 is always labelled; with a step of 5 or more the labels fall on the multiples of
// the step (1, 5, 10, 15...), otherwise on every step-th point from 1 (1, 3, 5...). Without
// any label (at start, after a reset) the points are numbered, so the empty grid keeps the
// layout of a drawn month.
void PaintDayAxis(const Frame &frame, const ChartModel &model)
{
    const int points = model.Points();
    const auto x = [&](int point) {
        return frame.Plot.left() + (point - 0.5) / points * frame.Plot.width();
    };
    bool numbered = true;
    for (int point = 0; point < points && numbered; ++point)
        numbered = model.Label(point).empty();
    const int step = DayLabelStep(frame, model);
    std::vector<qreal> ticks { frame.Plot.left() };
    std::vector<std::pair<QString, qreal>> labels;
    for (int point = 1; point <= points; ++point) {
        const bool shown = step < 5 ? (point - 1) % step == 0 : point == 1 || point % step == 0;
        const QString text = numbered ? QString::number(point) : Trimmed(model.Label(point - 1));
        if (shown && !text.isEmpty()) {
            ticks.push_back(x(point));
            labels.emplace_back(text, x(point));
        }
    }
    PaintCategoryAxis(frame, ticks, labels);
}

void PaintMark(const Frame &frame, QPointF at, const QColor &colour)
{
    frame.Painter.setPen(QPen(frame.Options.Background, 1));
    frame.Painter.setBrush(colour);
    frame.Painter.drawEllipse(at, MarkRadius, MarkRadius);
    frame.Painter.setBrush(Qt::NoBrush);
}

void PaintCurves(const Frame &frame, const ChartModel &model)
{
    const int points = model.Points();
    const auto x = [&](int point) {
        return frame.Plot.left() + (point + 0.5) / points * frame.Plot.width();
    };
    frame.Painter.save();
    const qreal spill = 0.5;
    frame.Painter.setClipRect(frame.Plot.adjusted(-spill, -spill, spill, spill));
    for (int set = 0; set < model.Sets(); ++set) {
        QPolygonF curve;
        for (int point = 0; point < points; ++point) {
            if (const auto value = model.Value(set, point))
                curve.append(QPointF(x(point), frame.Y(*value)));
        }
        const QColor colour = Colour(look::ColoursOf(set).Line);
        frame.Painter.setPen(QPen(colour, look::CurveWidth, frame.Options.CurveStyle));
        if (frame.Options.CurveStyle != Qt::SolidLine)
            frame.Painter.drawPolyline(curve); // one dash pattern along the whole curve
        for (qsizetype point = 1; point < curve.size() && frame.Options.CurveStyle == Qt::SolidLine;
             ++point)
            frame.Painter.drawLine(curve[point - 1], curve[point]);
        const auto marked = model.Value(set, frame.Options.MarkedPoint);
        if (marked)
            PaintMark(frame, QPointF(x(frame.Options.MarkedPoint), frame.Y(*marked)), colour);
    }
    frame.Painter.restore();
}

void PaintLineChart(const Frame &frame, const ChartModel &model)
{
    if (frame.Options.CurvesOnly) {
        PaintCurves(frame, model);
        return;
    }
    PaintValueAxis(frame);
    PaintDayAxis(frame, model);
    PaintZeroLine(frame);
    PaintCurves(frame, model);
}

// The value written on a bar, centred on centre: in the bar's text colour where it fits
// on the fill, else in ink.
void PaintBarValue(const Frame &frame, double value, int index, QPointF centre)
{
    const QString text = QString::number(value);
    const bool fits = std::abs(value) >= look::ShortestLabelledBar;
    const qreal width = frame.BoxWidth(text);
    frame.Draw({ text, centre - QPointF(width / 2, frame.BoxHeight / 2) },
               fits ? Colour(look::ColoursOf(index).Text) : Colour(look::Ink));
}

// One bar: the fill with its border from 0 to the value, and the value in its middle when
// every bar has one. A bar at 0 is no area and shows nothing here.
void PaintBar(const Frame &frame, QRectF slot, double value, int index, bool labelled)
{
    if (value == 0)
        return;
    const look::SeriesColours &colours = look::ColoursOf(index);
    const QRectF bar(QPointF(slot.left(), frame.Y(value)), QPointF(slot.right(), frame.Y(0)));
    frame.Painter.setPen(QPen(Colour(colours.Line).darker(130), 1));
    frame.Painter.setBrush(Colour(colours.Fill));
    frame.Painter.drawRect(bar);
    frame.Painter.setBrush(Qt::NoBrush);
    if (labelled)
        PaintBarValue(frame, value, index, bar.center());
}

// On a printed chart a bar at 0 still shows: a hairline in its colour over the zero line,
// its value above it.
void PaintZeroBar(const Frame &frame, QRectF slot, int index, bool labelled)
{
    const qreal y = frame.Y(0);
    frame.Line({ slot.left(), y }, { slot.right(), y }, look::ColoursOf(index).Line);
    if (labelled)
        PaintBarValue(frame, 0, index, QPointF(slot.center().x(), y - frame.BoxHeight / 2));
}

// One category per set (the first labelled by the chart's first label, the others by their
// number), one bar per point in each, side by side over nine tenths of the category.
void PaintBarChart(const Frame &frame, const ChartModel &model)
{
    PaintValueAxis(frame);
    const int sets = model.Sets();
    const qreal width = frame.Plot.width() / sets;
    std::vector<qreal> ticks;
    std::vector<std::pair<QString, qreal>> labels;
    for (int set = 0; set <= sets; ++set)
        ticks.push_back(frame.Plot.left() + set * width);
    for (int set = 0; set < sets; ++set) {
        const QString text = set == 0 ? Trimmed(model.Label(0)) : QString::number(set + 1);
        labels.emplace_back(text, frame.Plot.left() + (set + 0.5) * width);
    }
    PaintCategoryAxis(frame, ticks, labels);
    bool complete = true;
    for (int set = 0; set < sets; ++set) {
        for (int point = 0; point < model.Points(); ++point)
            complete = complete && model.Value(set, point).has_value();
    }
    const qreal barWidth = width * look::BarWidth / model.Points();
    const auto slot = [&](int set, int point) {
        const qreal left = frame.Plot.left() + (set + (1 - look::BarWidth) / 2) * width;
        return QRectF(left + point * barWidth, 0, barWidth, 0);
    };
    for (int set = 0; set < sets; ++set) {
        for (int point = 0; point < model.Points(); ++point)
            PaintBar(frame, slot(set, point), model.Value(set, point).value_or(0.0), point,
                     complete);
    }
    PaintZeroLine(frame);
    for (int set = 0; set < sets && frame.Options.ShowZeroBars; ++set) {
        for (int point = 0; point < model.Points(); ++point) {
            if (model.Value(set, point) == 0.0)
                PaintZeroBar(frame, slot(set, point), point, complete);
        }
    }
}

} // namespace

QFont AxisFont(const QFont &font)
{
    QFont axis = font;
    axis.setPixelSize(look::AxisFontPixels);
    return axis;
}

QFont LookFont(int pixelSize)
{
    const QStringList families = FontFamilies();
    const QStringList installed = QFontDatabase::families();
    const auto present = std::find_if(families.begin(), families.end(), [&](const QString &family) {
        return installed.contains(family);
    });
    QFont font(present != families.end() ? *present : families.front());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
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
    const Frame frame(painter, area.size(), options);
    if (model.Type() == ChartTypeBar) {
        PaintBarChart(frame, model);
    } else {
        PaintLineChart(frame, model);
    }
    painter.restore();
}

} // namespace cykl::chart
