// SPDX-License-Identifier: GPL-3.0-or-later
// The two back ends of the charts' layout draw the same thing: what the Qt painter hands a
// recording paint engine and what the SVG writer writes, read back by an XML parser, are
// the layout's lines, curves, bars, marks and texts, as many and at its places.
#include "chart_sequences.h"
#include "display/chart_layout.h"
#include "display/chart_svg.h"
#include "platform/painter/chart_painter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTest>
#include <QXmlStreamReader>

using namespace cykl;
using namespace cykl::test;

namespace {

// One drawn thing as a kind and numbers: a line's ends, a box, a centre, a text's origin.
// The SVG writes them to a hundredth of a pixel, Qt sets a text on a 64th of one.
constexpr double Tolerance = 0.01 + 1.0 / 64;
using Shape = QPair<QString, QList<double>>;

Shape Normalised(const QString &kind, double left, double top, double right, double bottom)
{
    return { kind,
             QList<double>({ std::min(left, right), std::min(top, bottom), std::max(left, right),
                             std::max(top, bottom) }) };
}

// Records what a QPainter draws, in the chart's coordinates.
class Recorder final : public QPaintEngine, public QPaintDevice {
public:
    Recorder() : QPaintEngine(QPaintEngine::AllFeatures) { }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    QPaintEngine *paintEngine() const override { return const_cast<Recorder *>(this); }
    int metric(PaintDeviceMetric metric) const override
    {
        return metric == PdmDpiX || metric == PdmDpiY || metric == PdmPhysicalDpiX
                || metric == PdmPhysicalDpiY
            ? 96
            : metric == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
            : metric == PdmDepth                  ? 32
                                                  : 1000;
    }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawLines(const QLineF *lines, int count) override
    {
        for (const QLineF &line : QList<QLineF>(lines, lines + count))
            Shapes.append(
                { "line", QList<double>({ line.x1(), line.y1(), line.x2(), line.y2() }) });
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (const QRectF &r : QList<QRectF>(rects, rects + count))
            Shapes.append(Normalised("bar", r.left(), r.top(), r.right(), r.bottom()));
    }
    void drawEllipse(const QRectF &r) override
    {
        Shapes.append({ "mark", QList<double>({ r.center().x(), r.center().y(), r.width() / 2 }) });
    }
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        Shapes.append({ "text " + item.text(), QList<double>({ at.x(), at.y() }) });
    }

    QList<Shape> Shapes;
};

double Number(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toDouble();
}

// The SVG's shapes in the same terms; a curve as its pieces from day to day, as Qt paints
// it, and a text at its anchor, which the layout turns back into its box's left edge.
QList<Shape> ReadSvg(const std::string &svg, const layout::Chart &chart)
{
    QList<Shape> shapes;
    QXmlStreamReader xml(QStringLiteral("<svg>%1</svg>").arg(QString::fromStdString(svg)));
    int texts = 0;
    std::vector<const layout::Text *> laidOut;
    for (const layout::Element &element : chart.Elements)
        if (const auto *text = std::get_if<layout::Text>(&element))
            laidOut.push_back(text);
    bool inClip = false;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isEndElement() && xml.name() == QLatin1String("clipPath"))
            inClip = false;
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        const auto name = xml.name();
        if (name == QLatin1String("clipPath")) {
            inClip = true;
        } else if (name == QLatin1String("line")) {
            shapes.append({ "line",
                            QList<double>({ Number(a, "x1"), Number(a, "y1"), Number(a, "x2"),
                                            Number(a, "y2") }) });
        } else if (name == QLatin1String("rect") && !inClip) {
            const double x = Number(a, "x"), y = Number(a, "y");
            shapes.append(Normalised("bar", x, y, x + Number(a, "width"), y + Number(a, "height")));
        } else if (name == QLatin1String("circle")) {
            shapes.append(
                { "mark", QList<double>({ Number(a, "cx"), Number(a, "cy"), Number(a, "r") }) });
        } else if (name == QLatin1String("polyline")) {
            const QStringList points = a.value(QLatin1String("points")).toString().split(' ');
            for (qsizetype i = 1; i < points.size(); ++i) {
                const QStringList from = points[i - 1].split(','), to = points[i].split(',');
                shapes.append({ "line",
                                QList<double>({ from[0].toDouble(), from[1].toDouble(),
                                                to[0].toDouble(), to[1].toDouble() }) });
            }
        } else if (name == QLatin1String("text")) {
            const layout::Text &text = *laidOut.at(static_cast<std::size_t>(texts++));
            const bool end = a.value(QLatin1String("text-anchor")) == QLatin1String("end");
            const double shift = end ? text.Area.Right - 1 - text.Area.Left
                                     : (text.Area.Right - text.Area.Left) / 2;
            shapes.append({ "text " + xml.readElementText(),
                            QList<double>({ Number(a, "x") - shift + 1, Number(a, "y") }) });
        }
    }
    return shapes;
}

struct Case {
    const char *Name;
    ChartModel Model;
    double Width;
    double Height;
    layout::Options Options;
};

const std::vector<Case> &Cases()
{
    static const std::vector<Case> all {
        { "empty month", ChartModel(ChartTypeLine, 31, 3), 457, 105, {} },
        { "March 1996, day 5 marked", FilledMonth(51, 31), 600, 180, { false, 4 } },
        { "day", FilledDay({ 63, -23, -87 }), 97, 177, {} },
        { "day with a bar at 0 and a short one, printed",
          FilledDay({ 0, 12, -100 }),
          130,
          230,
          { true, -1 } },
    };
    return all;
}

} // namespace

class TestChartBackends : public QObject {
    Q_OBJECT

private slots:
    void sameShapes_data();
    void sameShapes();
    void curvesStartAtTheFirstPoint();
};

void TestChartBackends::sameShapes_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < static_cast<int>(Cases().size()); ++index)
        QTest::newRow(Cases()[static_cast<std::size_t>(index)].Name) << index;
}

void TestChartBackends::sameShapes()
{
    QFETCH(int, index);
    const Case &chartCase = Cases()[static_cast<std::size_t>(index)];
    const layout::Chart chart = layout::LayOut(chartCase.Model, chartCase.Width, chartCase.Height,
                                               layout::TypicalMeasure(9), chartCase.Options);
    // Whole, and as a second person's curves over another chart.
    for (const bool curvesOnly : { false, true }) {
        Recorder recorder;
        {
            QPainter painter(&recorder);
            chart::PaintOptions options;
            options.CurvesOnly = curvesOnly;
            chart::PaintLayout(painter, chart, options);
        }
        const QList<Shape> svg
            = ReadSvg(layout::SvgElements(chart, { "Graph", 9, curvesOnly, {} }), chart);
        QCOMPARE(recorder.Shapes.size(), svg.size());
        for (qsizetype i = 0; i < svg.size(); ++i) {
            QCOMPARE(recorder.Shapes[i].first, svg[i].first);
            for (qsizetype k = 0; k < svg[i].second.size(); ++k)
                QVERIFY2(std::abs(recorder.Shapes[i].second[k] - svg[i].second[k]) <= Tolerance,
                         qPrintable(QStringLiteral("%1: %2 against %3")
                                        .arg(svg[i].first)
                                        .arg(recorder.Shapes[i].second[k])
                                        .arg(svg[i].second[k])));
        }
    }
}

// A person born on the 20th: each curve starts there, at its value of that day.
void TestChartBackends::curvesStartAtTheFirstPoint()
{
    const layout::Chart chart = layout::LayOut(FilledMonth(51, 31), 457, 105,
                                               layout::TypicalMeasure(9), { false, -1, 19 });
    const double x = chart.Plot.Left + 19.5 / 31 * (chart.Plot.Right - chart.Plot.Left);
    int curves = 0;
    for (const layout::Element &element : chart.Elements) {
        const auto *curve = std::get_if<layout::Curve>(&element);
        curves += curve != nullptr && curve->Points.size() == 31 - 19
            && std::abs(curve->Points.front().X - x) < Tolerance;
    }
    QCOMPARE(curves, 3);
}

QTEST_MAIN(TestChartBackends)
#include "tst_chart_backends.moc"
