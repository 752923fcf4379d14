// SPDX-License-Identifier: GPL-3.0-or-later
// The chart painter's pictures, read back pixel by pixel at 1x and 2x: the curves and bars
// where their values put them, in their colours, the day labels under their days, a bar at
// 0 and a marked day on printed charts. The places are worked out from the picture itself
// (the zero line, the top grid line and the value axis), not from the painter's layout.
#include "chart_sequences.h"
#include "display/chart_look.h"
#include "display/chart_model.h"
#include "platform/painter/chart_painter.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <tuple>

using namespace cykl;
using namespace cykl::test;

namespace {

QColor Colour(look::Rgb rgb)
{
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

int Distance(QRgb a, QColor b)
{
    return std::max({ std::abs(qRed(a) - b.red()), std::abs(qGreen(a) - b.green()),
                      std::abs(qBlue(a) - b.blue()) });
}

// A chart painted at a device pixel ratio, with the scale read off the picture.
struct Painted {
    Painted(const ChartModel &model, QSize size, double ratio, chart::PaintOptions options = {})
        : Image(size * ratio, QImage::Format_RGB32)
    {
        Image.setDevicePixelRatio(ratio);
        options.Font.setBold(true);
        {
            QPainter painter(&Image);
            chart::PaintChart(painter, QRectF(QPointF(), QSizeF(size)), model, options);
        }
        // Right of the last day: the top grid line is the first mark, the zero line the darkest.
        const int column = Image.width() - 2;
        for (int y = 0, darkest = 256; y < Image.height(); ++y) {
            const int grey = qGray(Image.pixel(column, y));
            if (Top < 0 && grey < 250)
                Top = y;
            if (grey < darkest)
                std::tie(Zero, darkest) = std::pair(y, grey);
        }
        // At 75, between the value labels: the axis line is the first mark from the left.
        const int row = Top + (Zero - Top) / 4;
        for (int x = 0; x < Image.width() && Left < 0; ++x) {
            if (qGray(Image.pixel(x, row)) < 250)
                Left = x + 1;
        }
    }
    // The device pixel of a value at a fraction of the plot's width.
    QPoint At(double fraction, double value) const
    {
        const double x = Left + fraction * (Image.width() - Left);
        const double y = Zero - value / look::ValueMax * (Zero - Top);
        return QPoint(qRound(x), qRound(y));
    }
    // Whether a pixel within two device pixels of at has the colour.
    bool Near(QPoint at, QColor colour, int tolerance = 40) const
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (Image.rect().contains(at + QPoint(dx, dy))
                    && Distance(Image.pixel(at + QPoint(dx, dy)), colour) <= tolerance)
                    return true;
        return false;
    }

    QImage Image;
    int Top = -1;
    int Zero = -1;
    int Left = -1;
};

constexpr QSize MonthSize(457, 105);
constexpr QSize DaySize(97, 177);

void AddRatios()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("1.5x") << 1.5;
    QTest::newRow("2x") << 2.0;
}

} // namespace

class TestChartPainter : public QObject {
    Q_OBJECT

private slots:
    void curvesPassThroughTheirValues_data() { AddRatios(); }
    void curvesPassThroughTheirValues();
    void barsReachTheirValues_data() { AddRatios(); }
    void barsReachTheirValues();
    void dayLabelsStandUnderTheirDays_data();
    void dayLabelsStandUnderTheirDays();
    void barsAtZero_data();
    void barsAtZero();
    void markedDayChangesOnlyItsPlace();
};

// March 1996 from day count 51, each set at days where it stands clear of the others.
void TestChartPainter::curvesPassThroughTheirValues()
{
    QFETCH(double, ratio);
    const auto sets = CycleMonth(51, 31);
    const Painted painted(FilledMonth(51, 31), MonthSize, ratio);
    QVERIFY(painted.Top >= 0 && painted.Zero > painted.Top && painted.Left > 0);
    for (const auto &[set, day] :
         { std::pair { 0, 5 }, { 0, 13 }, { 1, 13 }, { 1, 27 }, { 2, 3 }, { 2, 31 } }) {
        const double value = sets[static_cast<std::size_t>(set)][static_cast<std::size_t>(day - 1)];
        const QPoint at = painted.At((day - 0.5) / 31, value);
        QVERIFY2(painted.Near(at, Colour(look::ColoursOf(set).Line)),
                 qPrintable(QStringLiteral("set %1, day %2").arg(set).arg(day)));
    }
}

// Three bars over nine tenths of the plot, each from 0 to its value in its fill colour,
// and white just beyond the value.
void TestChartPainter::barsReachTheirValues()
{
    QFETCH(double, ratio);
    const std::array<double, 3> values { 63, -23, -87 };
    const Painted painted(FilledDay(values), DaySize, ratio);
    for (int bar = 0; bar < 3; ++bar) {
        const double value = values[static_cast<std::size_t>(bar)];
        const double middle = 0.05 + 0.3 * (bar + 0.5);
        const QColor fill = Colour(look::ColoursOf(bar).Fill);
        QVERIFY2(painted.Near(painted.At(middle, value * 0.1), fill, 8),
                 qPrintable(QString::number(bar)));
        QVERIFY(painted.Near(painted.At(middle, value * 0.9), fill, 8));
        QVERIFY(!painted.Near(painted.At(middle, value + (value > 0 ? 8 : -8)), fill, 8));
    }
}

void TestChartPainter::dayLabelsStandUnderTheirDays_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("labelled");
    QTest::addColumn<QList<int>>("unlabelled");
    QTest::newRow("window's width: every other day")
        << 457 << QList<int> { 1, 3, 5, 29, 31 } << QList<int> { 2, 4, 30 };
    QTest::newRow("wide: every day") << 1400 << QList<int> { 1, 2, 3, 30, 31 } << QList<int> {};
    QTest::newRow("narrow: every fifth day")
        << 180 << QList<int> { 1, 5, 10, 30 } << QList<int> { 3, 7, 8 };
}

// Ink in the label row under a labelled day, none under a day between labels.
void TestChartPainter::dayLabelsStandUnderTheirDays()
{
    QFETCH(int, width);
    QFETCH(QList<int>, labelled);
    QFETCH(QList<int>, unlabelled);
    const Painted painted(FilledMonth(51, 31), QSize(width, MonthSize.height()), 1);
    const int bottom = painted.Zero + (painted.Zero - painted.Top);
    const auto inked = [&](int day) {
        const int x = painted.At((day - 0.5) / 31, 0).x();
        for (int y = bottom + 6; y < painted.Image.height(); ++y)
            for (int column = x - 2; column <= x + 2; ++column)
                if (qGray(painted.Image.pixel(column, y)) < 128)
                    return true;
        return false;
    };
    for (const int day : labelled)
        QVERIFY2(inked(day), qPrintable(QString::number(day)));
    for (const int day : unlabelled)
        QVERIFY2(!inked(day), qPrintable(QString::number(day)));
}

void TestChartPainter::barsAtZero_data()
{
    QTest::addColumn<bool>("printed");
    QTest::newRow("window: nothing over the zero line") << false;
    QTest::newRow("printed: a hairline in each bar's colour") << true;
}

void TestChartPainter::barsAtZero()
{
    QFETCH(bool, printed);
    chart::PaintOptions options;
    options.ShowZeroBars = printed;
    const Painted painted(FilledDay({ 0, 0, 0 }), DaySize, 1, options);
    for (int bar = 0; bar < 3; ++bar) {
        const QPoint at = painted.At(0.05 + 0.3 * (bar + 0.5), 0);
        QCOMPARE(painted.Near(at, Colour(look::ColoursOf(bar).Line), 48), printed);
        // Its value "0" just above the zero line.
        bool inked = false;
        for (int y = at.y() - 12; y < at.y() - 1; ++y)
            for (int x = at.x() - 3; x <= at.x() + 3; ++x)
                inked = inked || qGray(painted.Image.pixel(x, y)) < 128;
        QCOMPARE(inked, printed);
    }
}

// The mark of day 5 changes the picture only within a few pixels of the day.
void TestChartPainter::markedDayChangesOnlyItsPlace()
{
    chart::PaintOptions options;
    options.MarkedPoint = 4;
    const Painted marked(FilledMonth(51, 31), MonthSize, 1, options);
    const Painted plain(FilledMonth(51, 31), MonthSize, 1);
    const int x = marked.At(4.5 / 31, 0).x();
    int changed = 0;
    for (int y = 0; y < marked.Image.height(); ++y) {
        for (int column = 0; column < marked.Image.width(); ++column) {
            if (marked.Image.pixel(column, y) == plain.Image.pixel(column, y))
                continue;
            ++changed;
            QVERIFY2(std::abs(column - x) <= 4, qPrintable(QString::number(column)));
        }
    }
    QVERIFY(changed >= 3 * 9); // three marks of some 5 x 5 pixels
}

QTEST_MAIN(TestChartPainter)
#include "tst_chart_painter.moc"
