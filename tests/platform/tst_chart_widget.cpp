// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control on screen: what it shows after a draw request and nothing sooner, the
// accessible description, the empty grid it starts with, reset and visibility.
#include "chart_sequences.h"
#include "platform/chart_widget.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace cykl;
using namespace cykl::test;

namespace {

// The values a chart shows for one set, day by day from day 1.
std::vector<double> ShownSet(const ChartWidget &chart, int set)
{
    std::vector<double> values;
    for (int point = 0; point < chart.Shown().Points(); ++point) {
        if (const auto value = chart.Shown().Value(set, point))
            values.push_back(*value);
    }
    return values;
}

QImage Picture(ChartWidget &chart)
{
    return chart.grab().toImage();
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
    QCOMPARE(month.Shown().Points(), days);
    for (int set = 0; set < 3; ++set)
        QCOMPARE(ShownSet(month, set), sets[static_cast<std::size_t>(set)]);
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
    QCOMPARE(ShownSet(day, 0), (std::vector<double> { 63, -23, -87 }));
    QCOMPARE(day.Shown().Label(0), std::string(" 5/3"));
    QCOMPARE(day.accessibleDescription(), WorkedDay);
}

// Writes change neither the picture nor the description until the draw request.
void TestChartWidget::noRedrawBeforeDrawRequest()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    ChartWidget day(ChartTypeBar, 3, 1);
    month.resize(457, 105);
    day.resize(97, 177);
    Draw(month); // the empty grids: a picture that later writes must leave alone
    Draw(day);
    QSignalSpy drawn(&month, &ChartWidget::drawn);
    QSignalSpy dayDrawn(&day, &ChartWidget::drawn);
    const QImage blank = Picture(month);
    WriteMonth(month, day, CycleMonth(51, 31));
    QCOMPARE(Picture(month), blank);
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    Draw(month);
    const QImage first = Picture(month);
    QVERIFY(first != blank);
    const auto description = month.accessibleDescription();

    const QImage blankDay = Picture(day);
    WriteMonth(month, day, CycleMonth(200, 30));
    WriteDay(day, " 1/1", { 1, 2, 3 });
    QCOMPARE(Picture(month), first);
    QCOMPARE(Picture(day), blankDay);
    QCOMPARE(month.accessibleDescription(), description);
    QCOMPARE(drawn.count(), 1);
    QCOMPARE(dayDrawn.count(), 0);

    Draw(month);
    QCOMPARE(ShownSet(month, 0), CycleMonth(200, 30)[0]);
    QVERIFY(Picture(month) != first);
    QCOMPARE(drawn.count(), 2);
}

// A control that appears before any draw request shows the empty grid it was made with,
// never the data written to it since.
void TestChartWidget::emptyGridWhenShownBeforeAnyDraw()
{
    ChartWidget fresh(ChartTypeLine, 31, 3);
    fresh.resize(457, 105);
    QWidget window;
    auto *month = new ChartWidget(ChartTypeLine, 31, 3, &window);
    auto *day = new ChartWidget(ChartTypeBar, 3, 1, &window);
    month->setGeometry(0, 0, 457, 105);
    day->setGeometry(460, 0, 97, 177);
    WriteMonth(*month, *day, CycleMonth(51, 30));
    WriteDay(*day, " 5/3", { 63, -23, -87 });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(Picture(*month), Picture(fresh));
    QVERIFY(ShownSet(*month, 0).empty());
    QCOMPARE(month->Shown().Points(), 31);
    QVERIFY(ShownSet(*day, 0).empty());
    QCOMPARE(month->accessibleDescription(), Unconfirmed);
    window.close();
}

void TestChartWidget::resetEmptiesChartAndDescription()
{
    ChartWidget month(ChartTypeLine, 31, 3);
    month.resize(457, 105);
    ChartWidget day(ChartTypeBar, 3, 1);
    QSignalSpy drawn(&month, &ChartWidget::drawn);
    Draw(month);
    const QImage blank = Picture(month);
    WriteMonth(month, day, CycleMonth(51, 31));
    Draw(month);
    QVERIFY(month.accessibleDescription() != Unconfirmed);

    Reset(month);
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    Draw(month);
    QCOMPARE(drawn.count(), 3);
    QVERIFY(ShownSet(month, 0).empty());
    QCOMPARE(Picture(month), blank);
    QCOMPARE(month.accessibleDescription(), Unconfirmed);
    QCOMPARE(month.Read(Property::PointCount), 31.0);
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
    window.close();
}

QTEST_MAIN(TestChartWidget)
#include "tst_chart_widget.moc"
