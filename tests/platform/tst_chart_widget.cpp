// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control on screen: what the Qt Charts series hold after a draw request,
// the accessible description, no redraw before the request, visibility.
#include "chart_sequences.h"
#include "platform/chart_widget.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

using namespace cykl;
using namespace cykl::test;

namespace {

QChart *ChartOf(const ChartWidget &widget)
{
    auto *view = widget.findChild<QChartView *>();
    return view != nullptr ? view->chart() : nullptr;
}

// The data curves, without the zero line.
QList<QLineSeries *> Curves(const ChartWidget &widget)
{
    QList<QLineSeries *> curves;
    for (auto *series : ChartOf(widget)->series()) {
        auto *line = qobject_cast<QLineSeries *>(series);
        if (line != nullptr && line->objectName() != QLatin1String("zeroLine")) {
            curves.append(line);
        }
    }
    return curves;
}

QList<QPointF> Expected(const std::vector<double> &values)
{
    QList<QPointF> points;
    for (std::size_t day = 0; day < values.size(); ++day) {
        points.append(QPointF(static_cast<double>(day + 1), values[day]));
    }
    return points;
}

QBarSeries *Bars(const ChartWidget &widget)
{
    for (auto *series : ChartOf(widget)->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(series)) {
            return bars;
        }
    }
    return nullptr;
}

const QString Unconfirmed = QStringLiteral("Údaje nejsou potvrzeny.");
const QString WorkedDay = QStringLiteral("Den 5/3: fyzická kondice 63 %, citová vnímavost -23 %, "
                                         "síla intelektu -87 %");

} // namespace

class TestChartWidget : public QObject {
    Q_OBJECT

private slots:
    void monthCurvesAfterDraw_data();
    void monthCurvesAfterDraw();
    void dayBarsAfterDraw();
    void noRedrawBeforeDrawRequest();
    void emptyGridWhenShownBeforeAnyDraw();
    void resetEmptiesChartAndDescription();
    void resetOfABlankChartTouchesNoSeries();
    void seriesAreKeptAcrossDraws();
    void dayLabelsFitTheWidth_data();
    void dayLabelsFitTheWidth();
    void visibility();
};

void TestChartWidget::monthCurvesAfterDraw_data()
{
    QTest::addColumn<double>("firstDay");
    QTest::addColumn<int>("days");
    QTest::newRow("March 1996 from day 51") << 51.0 << 31;
    QTest::newRow("30-day month") << 120.0 << 30;
    QTest::newRow("leap February") << 3000.0 << 29;
}

void TestChartWidget::monthCurvesAfterDraw()
{
    QFETCH(double, firstDay);
    QFETCH(int, days);
    ChartWidget month(ChartTypeLine, 31, 3);
    month.resize(457, 105);
    ChartWidget day(ChartTypeBar, 3, 1);
    QSignalSpy drawn(&month, &ChartWidget::drawn);
    const auto sets = CycleMonth(firstDay, days);

    WriteMonth(month, day, sets);
    QCOMPARE(month.Read(Property::PointCount), double(days));
    Draw(month);

    QCOMPARE(drawn.count(), 1);
    const auto curves = Curves(month);
    QCOMPARE(curves.size(), 3);
    const std::array<QString, 3> names { "fyzická kondice", "citová vnímavost", "síla intelektu" };
    const std::array<QColor, 3> colours { QColor(0, 0, 255), QColor(0, 190, 0),
                                          QColor(0, 255, 255) };
    for (std::size_t set = 0; set < 3; ++set) {
        const auto *curve = curves[static_cast<qsizetype>(set)];
        QCOMPARE(curve->points(), Expected(sets[set]));
        QCOMPARE(curve->name(), names[set]);
        QCOMPARE(curve->pen().color(), colours[set]);
    }
    auto *axis = qobject_cast<QCategoryAxis *>(ChartOf(month)->axes(Qt::Horizontal).value(0));
    QVERIFY(axis != nullptr);
    QCOMPARE(axis->max(), days + 0.5);
    QVERIFY(axis->categoriesLabels().contains("1"));
    const auto description = month.accessibleDescription();
    QVERIFY2(description.startsWith("Den 1: fyzická kondice "), qPrintable(description));
    QVERIFY(description.contains(QString("Den %1: ").arg(days)));
    QVERIFY(!description.contains(QString("Den %1: ").arg(days + 1)));
    QCOMPARE(description.count("; Den "), days - 1);
}

void TestChartWidget::dayBarsAfterDraw()
{
    ChartWidget day(ChartTypeBar, 3, 1);
    day.resize(97, 177);
    QSignalSpy drawn(&day, &ChartWidget::drawn);
    day.Write(Property::AutoAdvance, I16(1));
    WriteDay(day, " 5/3", { 63, -23, -87 });
    Draw(day);

    QCOMPARE(drawn.count(), 1);
    auto *bars = Bars(day);
    QVERIFY(bars != nullptr);
    const auto sets = bars->barSets();
    QCOMPARE(sets.size(), 3);
    const std::array<qreal, 3> values { 63, -23, -87 };
    const std::array<QColor, 3> colours { QColor(0, 0, 255), QColor(0, 255, 0),
                                          QColor(0, 255, 255) };
    for (std::size_t bar = 0; bar < 3; ++bar) {
        auto *set = sets[static_cast<qsizetype>(bar)];
        QCOMPARE(set->count(), 1);
        QCOMPARE(set->at(0), values[bar]);
        QCOMPARE(set->color(), colours[bar]);
    }
    auto *axis = qobject_cast<QBarCategoryAxis *>(ChartOf(day)->axes(Qt::Horizontal).value(0));
    QVERIFY(axis != nullptr);
    QCOMPARE(axis->categories(), QStringList { " 5/3" });
    QCOMPARE(day.accessibleDescription(), WorkedDay);
}

void TestChartWidget::noRedrawBeforeDrawRequest()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    Draw(month); // the empty grids: a picture that later writes must leave alone
    Draw(day);
    QSignalSpy drawn(&month, &ChartWidget::drawn);
    QSignalSpy dayDrawn(&day, &ChartWidget::drawn);
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    WriteMonth(month, day, CycleMonth(51, 31));
    QVERIFY(Curves(month).value(0)->points().isEmpty());
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    Draw(month);
    const auto before = Curves(month).value(0)->points();
    const auto description = month.accessibleDescription();

    WriteMonth(month, day, CycleMonth(200, 30));
    WriteDay(day, " 1/1", { 1, 2, 3 });
    QCOMPARE(Curves(month).value(0)->points(), before);
    QCOMPARE(month.accessibleDescription(), description);
    QCOMPARE(drawn.count(), 1);
    QCOMPARE(Bars(day)->barSets().value(0)->at(0), 0.0);
    QCOMPARE(dayDrawn.count(), 0);

    Draw(month);
    QCOMPARE(Curves(month).value(0)->points(), Expected(CycleMonth(200, 30)[0]));
    QCOMPARE(drawn.count(), 2);
}

// A control that appears before any draw request shows the empty grid it was made with,
// never the data written to it since.
void TestChartWidget::emptyGridWhenShownBeforeAnyDraw()
{
    QWidget window;
    auto *month = new ChartWidget(ChartTypeLine, 31, 3, &window);
    auto *day = new ChartWidget(ChartTypeBar, 3, 1, &window);
    month->setGeometry(0, 0, 457, 105);
    day->setGeometry(460, 0, 97, 177);
    WriteMonth(*month, *day, CycleMonth(51, 30));
    WriteDay(*day, " 5/3", { 63, -23, -87 });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(Curves(*month).size(), 3);
    for (const auto *curve : Curves(*month)) {
        QVERIFY(curve->points().isEmpty());
    }
    auto *axis = qobject_cast<QCategoryAxis *>(ChartOf(*month)->axes(Qt::Horizontal).value(0));
    QVERIFY(axis != nullptr);
    QCOMPARE(axis->max(), 31.5);
    QCOMPARE(axis->categoriesLabels().value(0), QString("1"));
    QVERIFY(Bars(*day) != nullptr);
    const auto sets = Bars(*day)->barSets();
    QCOMPARE(sets.size(), 3);
    for (const auto *set : sets) {
        QCOMPARE(set->at(0), 0.0);
    }
    QVERIFY(!Bars(*day)->isLabelsVisible());
    QCOMPARE(month->accessibleDescription(), Unconfirmed);
    window.close();
}

void TestChartWidget::resetEmptiesChartAndDescription()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    QSignalSpy drawn(&month, &ChartWidget::drawn);
    WriteMonth(month, day, CycleMonth(51, 31));
    Draw(month);
    QVERIFY(month.accessibleDescription() != Unconfirmed);

    Reset(month);
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    Draw(month);
    QCOMPARE(drawn.count(), 2);
    for (const auto *curve : Curves(month)) {
        QVERIFY(curve->points().isEmpty());
    }
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    QCOMPARE(month.Read(Property::PointCount), 31.0);
}

// The window resets the blank month chart three times while it starts; the second and
// third reset leave every series as it is, while a reset after a drawn month empties it.
void TestChartWidget::resetOfABlankChartTouchesNoSeries()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    Reset(month);
    Draw(month);
    QList<QLineSeries *> all = Curves(month);
    for (auto *series : ChartOf(month)->series()) {
        if (series->objectName() == QLatin1String("zeroLine"))
            all << qobject_cast<QLineSeries *>(series);
    }
    QCOMPARE(all.size(), 4);
    const auto replacements = [&all] {
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (auto *series : all)
            spies.push_back(std::make_unique<QSignalSpy>(series, &QXYSeries::pointsReplaced));
        return spies;
    };
    auto blank = replacements();
    Reset(month);
    Draw(month);
    Reset(month);
    Draw(month);
    for (const auto &spy : blank)
        QCOMPARE(spy->count(), 0);

    WriteMonth(month, day, CycleMonth(51, 31));
    Draw(month);
    auto drawn = replacements();
    Reset(month);
    Draw(month);
    for (const auto *curve : Curves(month))
        QVERIFY(curve->points().isEmpty());
    for (int i = 0; i < 3; ++i) // the curves; the zero line keeps its 31 days
        QCOMPARE(drawn[static_cast<std::size_t>(i)]->count(), 1);
}

// The series and axes are made once and only their data are replaced.
void TestChartWidget::seriesAreKeptAcrossDraws()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    Draw(month);
    Draw(day);
    const auto curves = Curves(month);
    const auto axes = ChartOf(month)->axes();
    for (int run = 0; run < 3; ++run) {
        WriteMonth(month, day, CycleMonth(51 + 31 * run, 31 - run));
        Draw(month);
        Reset(month);
        Draw(month);
    }
    QCOMPARE(Curves(month), curves);
    QCOMPARE(ChartOf(month)->axes(), axes);

    const auto *bars = Bars(day);
    const auto barSets = bars->barSets();
    day.Write(Property::AutoAdvance, I16(1));
    for (int run = 0; run < 3; ++run) {
        WriteDay(day, " " + std::to_string(run + 1) + "/3", { 1.0 * run, 2, 3 });
        Draw(day);
    }
    QCOMPARE(Bars(day), bars);
    QCOMPARE(Bars(day)->barSets(), barSets);
    QCOMPARE(barSets.value(0)->at(0), 2.0);
}

void TestChartWidget::dayLabelsFitTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("everyDay");
    QTest::newRow("monthly chart's own width") << 457 << false;
    QTest::newRow("wide") << 1400 << true;
}

// Labels are thinned out rather than cut short, and follow a change of width.
void TestChartWidget::dayLabelsFitTheWidth()
{
    QFETCH(int, width);
    QFETCH(bool, everyDay);
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    month.resize(457, 105);
    WriteMonth(month, day, CycleMonth(51, 31));
    Draw(month);
    month.show();
    QVERIFY(QTest::qWaitForWindowExposed(&month));
    month.resize(width, 105);
    auto *axis = qobject_cast<QCategoryAxis *>(ChartOf(month)->axes(Qt::Horizontal).value(0));
    const auto labels = axis->categoriesLabels();
    QCOMPARE(labels.value(0), QString("1"));
    QCOMPARE(labels.size() == 31, everyDay);
    QVERIFY(labels.size() >= 7);
    const QFontMetrics metrics(axis->labelsFont());
    const double pixelsPerDay = (width - 32) / 31.0;
    for (qsizetype index = 1; index < labels.size(); ++index) {
        const double room
            = (axis->endValue(labels[index]) - axis->endValue(labels[index - 1])) * pixelsPerDay;
        QVERIFY2(room > metrics.horizontalAdvance(labels[index]), qPrintable(labels[index]));
    }
}

void TestChartWidget::visibility()
{
    QWidget window;
    auto *day = new ChartWidget(ChartTypeBar, 3, 1, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(day->isVisible());
    day->SetVisible(false);
    QVERIFY(!day->isVisible());
    day->SetVisible(true);
    QVERIFY(day->isVisible());
    auto *view = day->findChild<QChartView *>();
    QCOMPARE(view->focusPolicy(), Qt::NoFocus);
    window.close();
}

QTEST_MAIN(TestChartWidget)
#include "tst_chart_widget.moc"
