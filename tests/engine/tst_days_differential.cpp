// SPDX-License-Identifier: GPL-3.0-or-later
// The day count against a closed-form day number of the calculation's calendar, for many
// thousands of random date pairs (fixed seed, so every run checks the same pairs).
#include "calc/chain.h"
#include "tests/support/day_number.h"

#include <QTest>
#include <array>
#include <cstdint>
#include <random>

using namespace cykl;
using cykl::test::DayNumber;
using cykl::test::MonthDays;

namespace {

struct Pair {
    int BirthDay, BirthMonth, BirthYear, TargetMonth, TargetYear;
};

// A birth date and a target month as the confirmation lets them through: the target month
// not before the birth month, the years at most 150 apart.
Pair RandomPair(std::mt19937 &random, int firstYear, int lastYear, int maxSpan)
{
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    Pair p {};
    p.BirthYear = pick(firstYear, lastYear);
    p.BirthMonth = pick(1, 12);
    p.BirthDay = pick(1, MonthDays(p.BirthMonth, p.BirthYear));
    p.TargetYear = p.BirthYear + pick(0, maxSpan);
    p.TargetMonth = pick(p.TargetYear == p.BirthYear ? p.BirthMonth : 1, 12);
    return p;
}

} // namespace

class TestDaysDifferential : public QObject {
    Q_OBJECT
private slots:
    void closedForm_data();
    void closedForm();
};

void TestDaysDifferential::closedForm_data()
{
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::addColumn<int>("maxSpan");
    QTest::addColumn<int>("pairs");
    QTest::newRow("any span") << 1 << 2999 << 150 << 20000;
    QTest::newRow("short spans") << 1800 << 2100 << 2 << 10000;
    QTest::newRow("across year 0") << -300 << 100 << 150 << 5000;
    for (const int century : { 1700, 1800, 1900, 2100 }) // across 1 March of a century year
        QTest::addRow("around %d", century) << century - 3 << century << 3 << 3000;
}

void TestDaysDifferential::closedForm()
{
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(int, maxSpan);
    QFETCH(int, pairs);
    std::mt19937 random(20261207u + static_cast<unsigned>(firstYear));
    MonthLengthTable monthLength;
    monthLength.Fill();
    for (int i = 0; i < pairs; ++i) {
        const Pair p = RandomPair(random, firstYear, lastYear, maxSpan);
        const InputDateRecord dates { .BirthDay = double(p.BirthDay),
                                      .BirthMonth = double(p.BirthMonth),
                                      .BirthYear = double(p.BirthYear),
                                      .TargetDay = 1,
                                      .TargetMonth = double(p.TargetMonth),
                                      .TargetYear = double(p.TargetYear) };
        const std::int64_t expected = DayNumber(1, p.TargetMonth, p.TargetYear)
            - DayNumber(p.BirthDay, p.BirthMonth, p.BirthYear);
        const double counted = CountDaysLived(dates, monthLength);
        if (counted != double(expected)) {
            QFAIL(qPrintable(QString("%1.%2.%3 to month %4 %5: counted %6, expected %7")
                                 .arg(p.BirthDay)
                                 .arg(p.BirthMonth)
                                 .arg(p.BirthYear)
                                 .arg(p.TargetMonth)
                                 .arg(p.TargetYear)
                                 .arg(counted)
                                 .arg(expected)));
        }
    }
}

QTEST_APPLESS_MAIN(TestDaysDifferential)
#include "tst_days_differential.moc"
