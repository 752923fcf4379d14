// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's numbers against the window's: every day of many random ranges is
// confirmed on its own through the engine wired to the recorders, as the window confirms
// it, and compared with what the companion found with one confirmation per month.
#include "calc/chain.h"
#include "calendar/dates.h"
#include "calendar/engine.h"
#include "tests/support/rig.h"

#include <QTest>
#include <map>
#include <random>

using namespace cykl;

namespace {

// What the window shows for one typed birth and target: the day's bars and the verdict
// codes, or the refusal code with its box text.
struct WindowDay {
    MessageCode Refusal = 0;
    std::string RefusalText;
    DayValues3 Values;
    std::vector<MessageCode> Codes;
};

WindowDay ConfirmInWindow(const Date &birth, const Date &day)
{
    test::ConfirmationRig rig;
    test::RecordingPort port(rig.Log, rig.Screen);
    rig.Fields = test::FixedFields(std::to_string(birth.Day), std::to_string(birth.Month),
                                   std::to_string(birth.Year), std::to_string(day.Day),
                                   std::to_string(day.Month), std::to_string(day.Year));
    ConfirmInput(rig.State, port);
    WindowDay shown;
    for (const MessageCode code : rig.Log.MessageCodes()) {
        if (code <= 3)
            shown.Refusal = code;
        else
            shown.Codes.push_back(code);
    }
    if (shown.Refusal != 0) {
        shown.RefusalText = rig.Log.BoxTexts().front();
        return shown;
    }
    const auto &bars = port.LastDay(); // day, month, P, E, I
    shown.Values = { bars[2], bars[3], bars[4] };
    return shown;
}

int Pick(std::mt19937 &random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

Date RandomDay(std::mt19937 &random, int firstYear, int lastYear)
{
    const int year = Pick(random, firstYear, lastYear);
    const int month = Pick(random, 1, 12);
    return { Pick(random, 1, DaysInMonth(month, year)), month, year };
}

QByteArray Describe(const Date &birth, const Date &day)
{
    return QStringLiteral("birth %1.%2.%3, day %4.%5.%6")
        .arg(birth.Day)
        .arg(birth.Month)
        .arg(birth.Year)
        .arg(day.Day)
        .arg(day.Month)
        .arg(day.Year)
        .toUtf8();
}

} // namespace

class TestCompanionDifferential : public QObject {
    Q_OBJECT
private slots:
    void criticalDaysMatchTheWindow_data();
    void criticalDaysMatchTheWindow();
    void singleDaysMatchTheWindow_data();
    void singleDaysMatchTheWindow();
    void addDaysAgreesWithTheDayCount();
};

void TestCompanionDifferential::criticalDaysMatchTheWindow_data()
{
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::addColumn<int>("longestRange");
    QTest::addColumn<int>("ranges");
    QTest::newRow("any years") << 1 << 9800 << 70 << 120;
    QTest::newRow("recent years, long ranges") << 1900 << 2100 << 400 << 15;
    // 29 February of 1900 and 2100 exists on the calculation's calendar.
    QTest::newRow("around 1900") << 1899 << 1900 << 120 << 40;
    QTest::newRow("around 2100") << 2099 << 2100 << 120 << 40;
    QTest::newRow("short ranges") << 1800 << 2200 << 3 << 300;
}

// Each range starts within 150 years after the birth, the window's longest span, so that
// the companion's list is complete; a day on or after the birth in the birth month too.
void TestCompanionDifferential::criticalDaysMatchTheWindow()
{
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(int, longestRange);
    QFETCH(int, ranges);
    std::mt19937 random(20261207u + static_cast<unsigned>(firstYear));
    for (int r = 0; r < ranges; ++r) {
        const Date from = RandomDay(random, firstYear, lastYear);
        const Date to = AddDays(from, Pick(random, 0, longestRange));
        const Date birth = RandomDay(random, std::max(1, from.Year - 140), from.Year);
        if (birth > from || to.Year - birth.Year > 150)
            continue;
        const CriticalList list = FindCriticalDays(birth, from, to);
        QCOMPARE(list.Refusal, MessageCode(0));
        std::map<Date, CriticalDay> found;
        for (const CriticalDay &day : list.Days)
            found.emplace(day.Day, day);
        for (Date day = from; day <= to; day = NextDay(day)) {
            const WindowDay shown = ConfirmInWindow(birth, day);
            QVERIFY2(shown.Refusal == 0, Describe(birth, day));
            const auto it = found.find(day);
            QVERIFY2(shown.Codes.empty() == (it == found.end()), Describe(birth, day));
            if (it == found.end())
                continue;
            const CriticalDay &mine = it->second;
            QVERIFY2(mine.Values.Physical == shown.Values.Physical
                         && mine.Values.Emotional == shown.Values.Emotional
                         && mine.Values.Intellectual == shown.Values.Intellectual,
                     Describe(birth, day));
            const std::vector<MessageCode> codes(mine.Codes.begin(), mine.Codes.end());
            QVERIFY2(codes == shown.Codes, Describe(birth, day));
        }
    }
}

void TestCompanionDifferential::singleDaysMatchTheWindow_data()
{
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::addColumn<int>("maxSpan");
    QTest::newRow("spans within the window's limit") << 1 << 9800 << 150;
    // Refusals: before the birth, over 150 years, days beyond their month.
    QTest::newRow("refusals too") << 1800 << 2200 << 400;
}

// One confirmation of any typed numbers, days beyond their month included: values, codes
// and refusals with their texts as the window shows them.
void TestCompanionDifferential::singleDaysMatchTheWindow()
{
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(int, maxSpan);
    std::mt19937 random(7u + static_cast<unsigned>(maxSpan));
    for (int i = 0; i < 3000; ++i) {
        const Date birth { Pick(random, 0, 32), Pick(random, 0, 13),
                           Pick(random, firstYear, lastYear) };
        const Date day { Pick(random, 0, 32), Pick(random, 0, 13),
                         birth.Year + Pick(random, -2, maxSpan) };
        const WindowDay shown = ConfirmInWindow(birth, day);
        const Confirmation mine = Confirm(birth, day);
        QVERIFY2(mine.Refusal == shown.Refusal, Describe(birth, day));
        if (shown.Refusal != 0) {
            QCOMPARE(MessageText(mine.Refusal, birth, day), shown.RefusalText);
            continue;
        }
        QVERIFY2(mine.Day.Physical == shown.Values.Physical
                     && mine.Day.Emotional == shown.Values.Emotional
                     && mine.Day.Intellectual == shown.Values.Intellectual,
                 Describe(birth, day));
        QVERIFY2(mine.Verdicts == shown.Codes, Describe(birth, day));
    }
}

// The day walk of the ranges against the chain's own day count: n days later is n more
// days lived.
void TestCompanionDifferential::addDaysAgreesWithTheDayCount()
{
    std::mt19937 random(1996u);
    MonthLengthTable lengths;
    lengths.Fill();
    const auto daysLived = [&](const Date &birth, const Date &day) {
        const InputDateRecord dates { .BirthDay = double(birth.Day),
                                      .BirthMonth = double(birth.Month),
                                      .BirthYear = double(birth.Year),
                                      .TargetDay = 1,
                                      .TargetMonth = double(day.Month),
                                      .TargetYear = double(day.Year) };
        return CountDaysLived(dates, lengths) + day.Day - 1;
    };
    for (int i = 0; i < 5000; ++i) {
        const Date start = RandomDay(random, 1, 9900);
        const int n = Pick(random, 0, 2000);
        const Date later = AddDays(start, n);
        QVERIFY2(IsValidDay(later), Describe(start, later));
        QCOMPARE(daysLived(start, later), double(n));
    }
}

QTEST_APPLESS_MAIN(TestCompanionDifferential)
#include "tst_companion_differential.moc"
