// SPDX-License-Identifier: GPL-3.0-or-later
// The cycle formula, the day walk and the daily verdicts of the target day, and the leap
// rule of the calculation.
#include "calc/chain.h"
#include "log_compare.h"
#include "tests/support/recorders.h"

#include <QRegularExpression>
#include <QTest>

using namespace cykl;
using namespace cykl::test;

class TestCycles : public QObject {
    Q_OBJECT
private slots:
    void cycleValue_data();
    void cycleValue();
    void verdicts_data();
    void verdicts();
    void leapRule_data();
    void leapRule();
};

void TestCycles::cycleValue_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("physical");
    QTest::addColumn<double>("emotional");
    QTest::addColumn<double>("intellectual");
    const auto row = [](double t, double p, double e, double i) {
        QTest::addRow("t = %g", t) << t << p << e << i;
    };
    row(0, 0, 0, 0);
    row(1, 26, 22, 18);
    row(-1, -27, -23, -19);
    row(6, 99, 97, 90);
    row(7, 94, 100, 97);
    row(14, -64, 0, 45); // half the emotional period: a positive residue
    row(18, -98, -79, -29);
    row(20, -74, -98, -62);
    row(23, -1, -91, -95);
    row(25, 51, -63, -100);
    row(28, 97, -1, -82);
    row(75, 99, -91, 98);
    row(132, -100, -98, -1);
}

void TestCycles::cycleValue()
{
    QFETCH(double, t);
    QFETCH(double, physical);
    QFETCH(double, emotional);
    QFETCH(double, intellectual);
    QCOMPARE(CycleValue(t, PhysicalPeriod), physical);
    QCOMPARE(CycleValue(t, EmotionalPeriod), emotional);
    QCOMPARE(CycleValue(t, IntellectualPeriod), intellectual);
}

void TestCycles::verdicts_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("0") << 0.0 << QList<int> { 4, 5, 6 };
    QTest::newRow("1") << 1.0 << QList<int> {};
    QTest::newRow("-1") << -1.0 << QList<int> {};
    QTest::newRow("6") << 6.0 << QList<int> { 7 };
    QTest::newRow("7") << 7.0 << QList<int> { 9 };
    QTest::newRow("18") << 18.0 << QList<int> { 8 };
    QTest::newRow("20") << 20.0 << QList<int> { 10 };
    QTest::newRow("23") << 23.0 << QList<int> { 4 };
    QTest::newRow("25") << 25.0 << QList<int> { 12 };
    QTest::newRow("28") << 28.0 << QList<int> { 5 };
    QTest::newRow("75") << 75.0 << QList<int> { 7, 11 };
    QTest::newRow("132") << 132.0 << QList<int> { 6, 8, 10 };
}

void TestCycles::verdicts()
{
    QFETCH(double, t);
    QFETCH(QList<int>, codes);
    // The target day is the 3rd of a 31-day month, so it is evaluated at DaysLived + 2.
    EventLog log;
    FixedFields fields;
    RecordingPort port(log, fields);
    Main main;
    main.MonthLength.Fill();
    main.InputDates = { .TargetDay = 1, .TargetMonth = 1, .TargetYear = 2001, .ChosenDay = 3 };
    double daysLived = t - 2;
    DrawCycles(main, port, daysLived);
    QCOMPARE(daysLived, t - 2 + 31);
    QCOMPARE(ToIntList(log.MessageCodes()), codes);
    const auto &day = port.LastDay();
    QCOMPARE(day[2], CycleValue(t, PhysicalPeriod));
    // The boxes come after both charts, and the caption after the last box.
    const QStringList lines = ToQStringList(log.Lines());
    QCOMPARE(lines.last(), QString::fromUtf8("port SetConfirmCaption 'Údaje platí'"));
    const auto fillDay = lines.indexOf(QRegularExpression("^port FillDayChart "));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith("port ShowMessage"))
            QVERIFY(i > fillDay);
    }
}

void TestCycles::leapRule_data()
{
    QTest::addColumn<double>("year");
    QTest::addColumn<bool>("leap");
    QTest::newRow("1996") << 1996.0 << true;
    QTest::newRow("1997") << 1997.0 << false;
    QTest::newRow("1900") << 1900.0 << true;
    QTest::newRow("2000") << 2000.0 << true;
    QTest::newRow("2100") << 2100.0 << true;
    QTest::newRow("-4") << -4.0 << true;
    QTest::newRow("-1") << -1.0 << false;
}

void TestCycles::leapRule()
{
    QFETCH(double, year);
    QFETCH(bool, leap);
    QCOMPARE(IsLeap(year), leap);
}

QTEST_APPLESS_MAIN(TestCycles)
#include "tst_cycles.moc"
