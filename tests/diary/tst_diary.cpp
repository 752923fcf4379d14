// SPDX-License-Identifier: GPL-3.0-or-later
// The diary's test: the plan's text and checksum, the days it reads with the window's
// values, and its error rates on diaries with a known truth.
#include "calc/chain.h"
#include "diary/simulate.h"

#include <QTest>
#include <chrono>

using namespace cykl;
using namespace cykl::diary;

class DiaryTest : public QObject {
    Q_OBJECT

private slots:
    void fnv1a_data();
    void fnv1a();
    void planRoundTrip();
    void editedPlan_data();
    void editedPlan();
    void windowValues();
    void daysRead();
    void honesty_data();
    void honesty();
};

void DiaryTest::fnv1a_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint64>("hash");
    // The published test vectors of the 64-bit FNV-1a hash.
    QTest::newRow("empty") << QByteArray("") << quint64(0xcbf29ce484222325ULL);
    QTest::newRow("a") << QByteArray("a") << quint64(0xaf63dc4c8601ec8cULL);
    QTest::newRow("foobar") << QByteArray("foobar") << quint64(0x85944171f73967e8ULL);
}

void DiaryTest::fnv1a()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint64, hash);
    QCOMPARE(Fnv1a(std::string_view(bytes.constData(), std::size_t(bytes.size()))), hash);
}

void DiaryTest::planRoundTrip()
{
    Plan plan = DefaultPlan({ 6, 1, 1986 }, { 1, 3, 2025 });
    plan.Hypotheses.pop_back();
    plan.AlphaPerTenThousand = 100;
    const std::optional<Plan> read = ParsePlan(PlanText(plan));
    QVERIFY(read.has_value());
    QVERIFY(*read == plan);
    QCOMPARE(PlanChecksum(*read), PlanChecksum(plan));
    QVERIFY(PlanChecksum(plan) != PlanChecksum(DefaultPlan({ 6, 1, 1986 }, { 1, 3, 2025 })));
}

// A plan changed by hand is either no plan at all or one with another checksum.
void DiaryTest::editedPlan_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("alpha") << "alpha 0.0500"
                           << "alpha 0.1000";
    QTest::newRow("days") << "minimum-days 90"
                          << "minimum-days 30";
    QTest::newRow("dropped test") << "test physical energy higher\n"
                                  << "";
    QTest::newRow("direction") << "emotional mood higher"
                               << "emotional mood lower";
    QTest::newRow("blank") << "alpha 0.0500"
                           << "alpha  0.0500";
    QTest::newRow("no date") << "birth 1986-01-06"
                             << "birth 1986-02-30";
}

void DiaryTest::editedPlan()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    const Plan plan = DefaultPlan({ 6, 1, 1986 }, { 1, 3, 2025 });
    QString text = QString::fromStdString(PlanText(plan));
    QVERIFY(text.contains(from));
    text.replace(from, to);
    const std::optional<Plan> read = ParsePlan(text.toStdString());
    QVERIFY(!read || PlanChecksum(*read) != PlanChecksum(plan));
}

// Each day's cycle values are the window's: CycleValue at the days lived, counted here
// on the civil calendar (the same as the window's between 1901 and 2099).
void DiaryTest::windowValues()
{
    const SimulatedDiary diary = SimulateDiary({ .Days = 70 }, 7);
    const Sample sample = ReadSample(diary.Registered.Birth, diary.Entries);
    const auto birth
        = std::chrono::sys_days(std::chrono::year(diary.Registered.Birth.Year)
                                / diary.Registered.Birth.Month / diary.Registered.Birth.Day);
    QCOMPARE(sample.DayNumbers.size(), std::size_t(70));
    for (std::size_t d = 0; d < sample.DayNumbers.size(); ++d) {
        const double lived = double(sample.DayNumbers[d] - birth.time_since_epoch().count());
        QCOMPARE(sample.Curves[0][d], CycleValue(lived, PhysicalPeriod));
        QCOMPARE(sample.Curves[1][d], CycleValue(lived, EmotionalPeriod));
        QCOMPARE(sample.Curves[2][d], CycleValue(lived, IntellectualPeriod));
    }
}

// Days shown before are left out, imported ones counted and flagged; too few days are
// not tested; the same diary gives the same answer.
void DiaryTest::daysRead()
{
    SimulatedDiary diary = SimulateDiary({ .Days = 100 }, 11);
    diary.Entries[3].Shown = true;
    diary.Entries[4].Ratings[1] = 6;
    diary.Entries[5].Imported = true;
    const TestResult result = RunTest(diary.Registered, diary.Entries);
    QCOMPARE(result.Days, 98);
    QCOMPARE(result.LeftOut, 2);
    QCOMPARE(result.Imported, 1);
    QVERIFY(result.Enough);
    QCOMPARE(result.Hypotheses.size(), std::size_t(3));
    QCOMPARE(RunTest(diary.Registered, diary.Entries).Hypotheses[1].P, result.Hypotheses[1].P);
    diary.Registered.MinimumDays = 99;
    const TestResult refused = RunTest(diary.Registered, diary.Entries);
    QVERIFY(!refused.Enough);
    QVERIFY(refused.Hypotheses.empty());
}

// 200 diaries a row: the planned test keeps its level under a Monday dip and carry-over
// where the naive comparison does not, and finds a true effect.
void DiaryTest::honesty_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<double>("effect");
    QTest::addColumn<double>("anyLow");
    QTest::addColumn<double>("anyHigh");
    QTest::addColumn<double>("emotionalLow");
    QTest::addColumn<double>("naiveLow");
    QTest::newRow("no effect, weekday trap") << 120 << 0.0 << 0.01 << 0.10 << 0.0 << 0.7;
    QTest::newRow("effect 0.8 SD") << 180 << 0.8 << 0.0 << 1.0 << 0.75 << 0.0;
}

void DiaryTest::honesty()
{
    QFETCH(int, days);
    QFETCH(double, effect);
    QFETCH(double, anyLow);
    QFETCH(double, anyHigh);
    QFETCH(double, emotionalLow);
    QFETCH(double, naiveLow);
    const Rates rates = Simulate({ .Days = days, .Effect = effect }, 200, 4242);
    QVERIFY2(rates.Any >= anyLow && rates.Any <= anyHigh, QByteArray::number(rates.Any));
    QVERIFY2(rates.Emotional >= emotionalLow, QByteArray::number(rates.Emotional));
    QVERIFY2(rates.Naive >= naiveLow, QByteArray::number(rates.Naive));
}

QTEST_GUILESS_MAIN(DiaryTest)
#include "tst_diary.moc"
