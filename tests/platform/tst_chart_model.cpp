// SPDX-License-Identifier: GPL-3.0-or-later
// The chart control's model: where sequential writes land, reset, counts, bounds.
#include "chart_sequences.h"
#include "display/chart_model.h"

#include <QTest>

Q_DECLARE_METATYPE(cykl::ChartValue)

using namespace cykl;
using namespace cykl::test;

namespace {

std::optional<double> ValueAt(const ChartModel &model, int set, int point)
{
    return model.Value(set, point);
}

} // namespace

class TestChartModel : public QObject {
    Q_OBJECT

private slots:
    void monthLandsInOrder_data();
    void monthLandsInOrder();
    void dayLabelLandsOnFirstPoint_data();
    void dayLabelLandsOnFirstPoint();
    void resetClearsData();
    void pointCountReadBack_data();
    void pointCountReadBack();
    void writesPastTheEndAreDropped();
    void resizeKeepsDataAndRewinds();
    void withoutAutoAdvanceWritesStay();
    void ignoresUnknownPropertiesAndTypes_data();
    void ignoresUnknownPropertiesAndTypes();
    void description_data();
    void description();
};

void TestChartModel::monthLandsInOrder_data()
{
    QTest::addColumn<int>("previousDays");
    QTest::addColumn<int>("days");
    QTest::newRow("first run, 31 days") << 0 << 31;
    QTest::newRow("first run, 30 days") << 0 << 30;
    QTest::newRow("leap February after March") << 31 << 29;
    QTest::newRow("February, then a 31-day month") << 28 << 31;
    QTest::newRow("same month again") << 31 << 31;
}

// Labels 1..N go to points 1..N; the 3N values fill set 1, then 2, then 3, starting
// from point 1 of set 1 although N labels were written before them.
void TestChartModel::monthLandsInOrder()
{
    QFETCH(int, previousDays);
    QFETCH(int, days);
    ChartModel month(ChartTypeLine, 31, 3);
    ChartModel day(ChartTypeBar, 3, 1);
    if (previousDays > 0) {
        WriteMonth(month, day, CycleMonth(-400, previousDays));
        Draw(month);
    }
    MonthSets sets;
    for (int set = 0; set < 3; ++set) {
        for (int point = 0; point < days; ++point) {
            sets[static_cast<std::size_t>(set)].push_back(set * 100 + point + 0.5);
        }
    }
    WriteMonth(month, day, sets);
    QCOMPARE(month.Write(Property::DrawRequest, I16(DrawNow)), ChartModel::Effect::Draw);

    QCOMPARE(month.Points(), days);
    QCOMPARE(month.Sets(), 3);
    QCOMPARE(month.Type(), ChartTypeLine);
    for (int point = 0; point < days; ++point) {
        QCOMPARE(month.Label(point), std::to_string(point + 1));
        for (int set = 0; set < 3; ++set) {
            QCOMPARE(ValueAt(month, set, point), std::optional(set * 100 + point + 0.5));
        }
    }
    QCOMPARE(ValueAt(month, 0, days), std::nullopt);
    QCOMPARE(month.ValuePosition(), 3 * days);
}

void TestChartModel::dayLabelLandsOnFirstPoint_data()
{
    QTest::addColumn<int>("confirmationsBefore");
    QTest::newRow("fresh control") << 0;
    QTest::newRow("second confirmation") << 1;
    QTest::newRow("after several") << 3;
}

// The day chart gets its label while AutoAdvance already holds 1 and before its counts
// and the rewind; label and values must still start on point 1.
void TestChartModel::dayLabelLandsOnFirstPoint()
{
    QFETCH(int, confirmationsBefore);
    ChartModel month(ChartTypeLine, 31, 3);
    ChartModel day(ChartTypeBar, 3, 1);
    for (int run = 0; run < confirmationsBefore; ++run) {
        WriteMonth(month, day, CycleMonth(1000 + run, 30));
        WriteDay(day, " 15/12", { 1, 2, 3 });
        Draw(day);
    }
    WriteMonth(month, day, CycleMonth(51, 31));
    WriteDay(day, " 5/3", { 63, -23, -87 });
    Draw(day);

    QCOMPARE(day.Label(0), std::string(" 5/3"));
    QCOMPARE(day.Label(1), std::string());
    QCOMPARE(day.Label(2), std::string());
    QCOMPARE(ValueAt(day, 0, 0), std::optional(63.0));
    QCOMPARE(ValueAt(day, 0, 1), std::optional(-23.0));
    QCOMPARE(ValueAt(day, 0, 2), std::optional(-87.0));
    QCOMPARE(day.Type(), ChartTypeBar);
}

void TestChartModel::resetClearsData()
{
    ChartModel month(ChartTypeLine, 31, 3);
    ChartModel day(ChartTypeBar, 3, 1);
    WriteMonth(month, day, CycleMonth(51, 30));
    Draw(month);
    QVERIFY(!month.Empty());

    QCOMPARE(month.Write(Property::ResetRequest, I16(1)), ChartModel::Effect::Cleared);
    QVERIFY(month.Empty());
    QCOMPARE(month.Points(), 30);
    QCOMPARE(month.Sets(), 3);
    QCOMPARE(month.Type(), ChartTypeLine);
    QCOMPARE(month.LabelPosition(), 0);
    QCOMPARE(month.ValuePosition(), 0);
    QCOMPARE(month.Write(Property::DrawRequest, I16(DrawNow)), ChartModel::Effect::Draw);

    // Reset written with anything but 1 clears nothing.
    WriteMonth(month, day, CycleMonth(51, 30));
    QCOMPARE(month.Write(Property::ResetRequest, I16(0)), ChartModel::Effect::None);
    QVERIFY(!month.Empty());
}

void TestChartModel::pointCountReadBack_data()
{
    QTest::addColumn<ChartValue>("written");
    QTest::addColumn<double>("readBack");
    QTest::newRow("28 days") << ChartValue(I16(28)) << 28.0;
    QTest::newRow("one point") << ChartValue(I16(1)) << 1.0;
    QTest::newRow("largest") << ChartValue(I16(ChartModel::MaxPoints)) << 4096.0;
    QTest::newRow("zero kept out") << ChartValue(I16(0)) << 31.0;
    QTest::newRow("negative kept out") << ChartValue(I16(-5)) << 31.0;
    QTest::newRow("too many kept out") << ChartValue(I16(ChartModel::MaxPoints + 1)) << 31.0;
    QTest::newRow("a double is not a count") << ChartValue(30.0) << 31.0;
    QTest::newRow("a text is not a count") << ChartValue(std::string("30")) << 31.0;
}

void TestChartModel::pointCountReadBack()
{
    QFETCH(ChartValue, written);
    QFETCH(double, readBack);
    ChartModel month(ChartTypeLine, 31, 3);
    month.Write(Property::PointCount, written);
    QCOMPARE(month.Read(Property::PointCount), readBack);
    QCOMPARE(month.Points(), static_cast<int>(readBack));
}

void TestChartModel::writesPastTheEndAreDropped()
{
    ChartModel day(ChartTypeBar, 3, 1);
    day.Write(Property::AutoAdvance, I16(1));
    for (int write = 0; write < 10; ++write) {
        day.Write(Property::PointLabel, I16(write + 1));
        day.Write(Property::DataValue, write + 1.0);
    }
    QCOMPARE(day.LabelPosition(), 3);
    QCOMPARE(day.ValuePosition(), 3);
    QCOMPARE(day.Label(2), std::string("3"));
    QCOMPARE(ValueAt(day, 0, 2), std::optional(3.0));
    QCOMPARE(day.Label(3), std::string());
    QCOMPARE(ValueAt(day, 0, 3), std::nullopt);
    QCOMPARE(ValueAt(day, 1, 0), std::nullopt);
    QCOMPARE(ValueAt(day, -1, 0), std::nullopt);
}

void TestChartModel::resizeKeepsDataAndRewinds()
{
    ChartModel chart(ChartTypeLine, 2, 2);
    chart.Write(Property::AutoAdvance, I16(1));
    for (const double value : { 1.0, 2.0, 3.0, 4.0 }) {
        chart.Write(Property::DataValue, value);
    }
    chart.Write(Property::PointLabel, std::string("a"));

    chart.Write(Property::PointCount, I16(3));
    QCOMPARE(chart.ValuePosition(), 0);
    QCOMPARE(chart.LabelPosition(), 0);
    QCOMPARE(ValueAt(chart, 0, 1), std::optional(2.0));
    QCOMPARE(ValueAt(chart, 1, 0), std::optional(3.0));
    QCOMPARE(ValueAt(chart, 1, 1), std::optional(4.0));
    QCOMPARE(ValueAt(chart, 0, 2), std::nullopt);
    QCOMPARE(chart.Label(0), std::string("a"));

    chart.Write(Property::SetCount, I16(1));
    QCOMPARE(chart.Sets(), 1);
    QCOMPARE(ValueAt(chart, 1, 0), std::nullopt);
    chart.Write(Property::SetCount, I16(2));
    QCOMPARE(ValueAt(chart, 1, 0), std::nullopt);
    QCOMPARE(ValueAt(chart, 0, 0), std::optional(1.0));
}

void TestChartModel::withoutAutoAdvanceWritesStay()
{
    ChartModel chart(ChartTypeLine, 3, 1);
    QCOMPARE(chart.Read(Property::AutoAdvance), 0.0);
    chart.Write(Property::DataValue, 1.0);
    chart.Write(Property::DataValue, 2.0);
    QCOMPARE(ValueAt(chart, 0, 0), std::optional(2.0));
    QCOMPARE(ValueAt(chart, 0, 1), std::nullopt);

    chart.Write(Property::AutoAdvance, I16(1));
    chart.Write(Property::DataValue, 5.0);
    chart.Write(Property::DataValue, 6.0);
    chart.Write(Property::RewindPositions, I16(1));
    chart.Write(Property::DataValue, 7.0);
    QCOMPARE(ValueAt(chart, 0, 0), std::optional(7.0));
    QCOMPARE(ValueAt(chart, 0, 1), std::optional(6.0));
}

void TestChartModel::ignoresUnknownPropertiesAndTypes_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<ChartValue>("value");
    QTest::newRow("unknown property") << 99 << ChartValue(I16(1));
    QTest::newRow("property 0") << 0 << ChartValue(3.0);
    QTest::newRow("boolean value") << 16 << ChartValue(true);
    QTest::newRow("text value") << 16 << ChartValue(std::string("5"));
    QTest::newRow("boolean label") << 25 << ChartValue(false);
    QTest::newRow("double type code") << 19 << ChartValue(4.0);
    QTest::newRow("text set count") << 31 << ChartValue(std::string("2"));
    QTest::newRow("boolean reset") << 38 << ChartValue(true);
    QTest::newRow("double rewind") << 1 << ChartValue(1.0);
}

void TestChartModel::ignoresUnknownPropertiesAndTypes()
{
    QFETCH(int, property);
    QFETCH(ChartValue, value);
    ChartModel chart(ChartTypeLine, 3, 1);
    chart.Write(Property::AutoAdvance, I16(1));
    chart.Write(Property::DataValue, 8.0);
    chart.Write(Property::PointLabel, std::string("x"));

    const auto effect = chart.Write(static_cast<ChartProperty>(property), value);
    QCOMPARE(effect, ChartModel::Effect::None);
    QCOMPARE(chart.Type(), ChartTypeLine);
    QCOMPARE(chart.Points(), 3);
    QCOMPARE(chart.Sets(), 1);
    QCOMPARE(chart.ValuePosition(), 1);
    QCOMPARE(chart.LabelPosition(), 1);
    QCOMPARE(ValueAt(chart, 0, 0), std::optional(8.0));
    QCOMPARE(ValueAt(chart, 0, 1), std::nullopt);
    QCOMPARE(chart.Label(0), std::string("x"));
}

void TestChartModel::description_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");
    QTest::newRow("day chart") << int(ChartTypeBar) << 1
                               << QString("Den 5/3: fyzická kondice 63 %, citová vnímavost "
                                          "-23 %, síla intelektu -87 %");
    QTest::newRow("monthly chart")
        << int(ChartTypeLine) << 2
        << QString("Den 1: fyzická kondice 63 %, citová vnímavost -23 %, síla intelektu -87 %; "
                   "Den 2: fyzická kondice 64 %, citová vnímavost -22 %, síla intelektu -86 %");
    QTest::newRow("nothing written")
        << int(ChartTypeLine) << 0 << QString("Údaje nejsou potvrzeny.");
}

void TestChartModel::description()
{
    QFETCH(int, type);
    QFETCH(int, days);
    QFETCH(QString, expected);
    ChartModel chart(static_cast<std::int16_t>(type), 3, 1);
    ChartModel other(ChartTypeBar, 3, 1);
    if (type == ChartTypeBar) {
        chart.Write(Property::AutoAdvance, I16(1));
        WriteDay(chart, " 5/3", { 63, -23, -87 });
    } else if (days > 0) {
        WriteMonth(chart, other, { { { 63, 64 }, { -23, -22 }, { -87, -86 } } });
    }
    QCOMPARE(QString::fromStdString(DescribeChart(chart)), expected);
    Reset(chart);
    QCOMPARE(QString::fromStdString(DescribeChart(chart)), QString("Údaje nejsou potvrzeny."));
}

QTEST_APPLESS_MAIN(TestChartModel)
#include "tst_chart_model.moc"
