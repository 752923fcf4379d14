// SPDX-License-Identifier: GPL-3.0-or-later
// Two people and a family: the agreement's properties and worked pairs, the shared days
// against each person's own confirmed day, and the commands' refusals run in memory.
#include "calendar/texts.h"
#include "calendar/together.h"
#include "companion/command.h"
#include "companion/io/text_table.h"
#include "tests/support/memory_environment.h"

#include <QTest>
#include <cmath>
#include <random>

using namespace cykl;

namespace {

Date RandomDay(std::mt19937 &random, int firstYear, int lastYear)
{
    const int year = std::uniform_int_distribution<int>(firstYear, lastYear)(random);
    const int month = std::uniform_int_distribution<int>(1, 12)(random);
    const int day = std::uniform_int_distribution<int>(1, DaysInMonth(month, year))(random);
    return { day, month, year };
}

} // namespace

class TestCompanionTogether : public QObject {
    Q_OBJECT
private slots:
    void agreementProperties_data();
    void agreementProperties();
    void workedPairs_data();
    void workedPairs();
    void sharedDaysAreEachPersonsOwn();
    void commandRefusals_data();
    void commandRefusals();
    void matchOutsideALife();
    void sharedTableWithinTheTerminal();
};

void TestCompanionTogether::agreementProperties_data()
{
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::newRow("a family's years") << 1950 << 2030;
    QTest::newRow("across 1900 and 2100") << 1890 << 2110;
    QTest::newRow("any years") << 1 << 9999;
}

// Symmetric; 100 exactly when the phases match; least at half a period; the rounding of
// an independent formula; and the same phase between the two people's values on any day.
void TestCompanionTogether::agreementProperties()
{
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    std::mt19937 random(22);
    for (int pair = 0; pair < 300; ++pair) {
        const Date a = RandomDay(random, firstYear, lastYear);
        const Date b = RandomDay(random, firstYear, lastYear);
        const Agreement ab = CompareBirths(a, b);
        const Agreement ba = CompareBirths(b, a);
        QCOMPARE(ab.Cycles, ba.Cycles);
        QCOMPARE(ab.Overall, ba.Overall);
        int sum = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const int period = CyclePeriods[k];
            const double share = 1.0 - 2.0 * ab.Phase[k] / period;
            QCOMPARE(ab.Cycles[k], static_cast<int>(std::lround(100 * share)));
            QCOMPARE(ab.Cycles[k] == 100, ab.DayDifference % period == 0);
            sum += ab.Cycles[k];
        }
        // On any day the two people's day counts stand d apart, and each is the count the
        // window evaluates that day at.
        const Date day = RandomDay(random, std::max(a.Year, b.Year), lastYear);
        const int later = DaysBetween(std::max(a, b), day);
        QCOMPARE(DaysBetween(std::min(a, b), day) - later, ab.DayDifference);
        if (const Confirmation c = Confirm(std::max(a, b), day); c.Refusal == 0)
            QCOMPARE(c.Day.Emotional, CycleValue(later, EmotionalPeriod));
        QCOMPARE(ab.Overall, static_cast<int>(std::lround(sum / 3.0)));
    }
    for (const int period : CyclePeriods) {
        int least = 100;
        for (int d = 0; d <= 2 * period; ++d)
            least = std::min(least, CycleAgreement(d, period));
        QCOMPARE(CycleAgreement(period / 2, period), least);
        QCOMPARE(CycleAgreement(period, period), 100);
    }
    QCOMPARE(DaysBetween({ 10, 1, 1996 }, { 5, 3, 1996 }), 55); // the window's worked example
}

void TestCompanionTogether::workedPairs_data()
{
    QTest::addColumn<Date>("a");
    QTest::addColumn<Date>("b");
    QTest::addColumn<int>("days");
    QTest::addColumn<QList<int>>("agreement"); // physical, emotional, intellectual, overall
    QTest::addColumn<QString>("apart"); // the heading's words for the days
    // 2137 days: r = 2 of 23, 9 of 28, 8 of 33; 82.6, 35.7, 51.5 -> 83, 36, 52; 171/3 = 57.
    QTest::newRow("Jana and Petr") << Date { 10, 1, 1996 } << Date { 5, 3, 1990 } << 2137
                                   << QList<int> { 83, 36, 52, 57 } << "2137 dní";
    // 14 days, half the emotional period: 21.7, 0, 15.2 -> 22, 0, 15; 37/3 -> 12.
    QTest::newRow("half an emotional period") << Date { 1, 1, 2000 } << Date { 15, 1, 2000 } << 14
                                              << QList<int> { 22, 0, 15, 12 } << "14 dní";
    // 29 days, as 1900 is leap on the calculation's calendar: 47.8, 92.9, 75.8; 217/3 -> 72.
    QTest::newRow("over 29 February 1900") << Date { 1, 2, 1900 } << Date { 1, 3, 1900 } << 29
                                           << QList<int> { 48, 93, 76, 72 } << "29 dní";
    QTest::newRow("twins") << Date { 7, 7, 1988 } << Date { 7, 7, 1988 } << 0
                           << QList<int> { 100, 100, 100, 100 } << "0 dní";
    // 1 day: 91.3, 92.9, 93.9; 278/3 -> 93. 3 days: 73.9, 78.6, 81.8; 235/3 -> 78.
    QTest::newRow("a day apart") << Date { 1, 1, 2000 } << Date { 2, 1, 2000 } << 1
                                 << QList<int> { 91, 93, 94, 93 } << "1 den";
    QTest::newRow("three days apart") << Date { 4, 1, 2000 } << Date { 1, 1, 2000 } << 3
                                      << QList<int> { 74, 79, 82, 78 } << "3 dny";
}

void TestCompanionTogether::workedPairs()
{
    QFETCH(Date, a);
    QFETCH(Date, b);
    QFETCH(int, days);
    QFETCH(QList<int>, agreement);
    QFETCH(QString, apart);
    const Agreement found = CompareBirths(a, b);
    QCOMPARE(found.DayDifference, days);
    QCOMPARE((QList<int> { found.Cycles[0], found.Cycles[1], found.Cycles[2], found.Overall }),
             agreement);
    QCOMPARE(QString::fromStdString(AgreementHeading("Jana", "Petr", found.DayDifference)),
             "Shoda rytmů: Jana a Petr, narozeni " + apart + " od sebe");
}

// Every shared day is a verdict each named person's own day gives, and no day of the
// year where two people's own days give the same verdict is missing.
void TestCompanionTogether::sharedDaysAreEachPersonsOwn()
{
    const std::vector<Date> births {
        { 10, 1, 1996 }, { 5, 3, 1990 }, { 7, 7, 1988 }, { 24, 12, 2019 }
    };
    const Date from { 1, 1, 2027 };
    const Date to { 31, 12, 2027 };
    std::vector<CriticalList> lists(births.size());
    for (std::size_t person = 0; person < births.size(); ++person)
        lists[person] = FindCriticalDays(births[person], from, to);
    const std::vector<SharedDay> shared = FindSharedDays(lists);
    QVERIFY(!shared.empty());
    auto next = shared.begin();
    for (Date day = from; day <= to; day = NextDay(day)) {
        std::array<std::vector<std::size_t>, 13> holders;
        for (std::size_t person = 0; person < births.size(); ++person) {
            for (const MessageCode code : Confirm(births[person], day).Verdicts)
                holders[static_cast<std::size_t>(code)].push_back(person);
        }
        std::vector<SharedVerdict> expected;
        for (MessageCode code = 4; code <= 12; ++code) {
            if (holders[static_cast<std::size_t>(code)].size() >= 2)
                expected.push_back({ code, holders[static_cast<std::size_t>(code)] });
        }
        const bool listed = next != shared.end() && next->Day == day;
        QCOMPARE(listed, !expected.empty());
        if (!listed)
            continue;
        QCOMPARE(next->Verdicts.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(next->Verdicts[i].Code, expected[i].Code);
            QCOMPARE(next->Verdicts[i].People, expected[i].People);
        }
        ++next;
    }
    QVERIFY(next == shared.end());
}

void TestCompanionTogether::commandRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // a part of standard error
    const auto row = [](const char *name, const char *line, int status, const char *error) {
        QTest::newRow(name) << QString::fromUtf8(line).split(QLatin1Char(' ')) << status
                            << QString::fromUtf8(error);
    };
    row("one person to match", "shoda Jana", 2, "chce dva lidi");
    row("three to match", "match Jana Petr Eva 1.1.2027", 2, "příliš mnoho");
    row("everyone to match", "shoda --all", 2, "pro dva lidi");
    row("match as CSV", "shoda Jana Petr -f csv", 2, "table a json");
    row("one person together", "spolecne Jana", 2, "aspoň dva");
    row("twice the same", "spolecne Jana,jana", 2, "dvakrát");
    row("a name not in the file", "spolecne Jana,Karel", 2, "ani jméno");
    row("no such day", "spolecne Jana,31.2.2000", 1, "únor 2000 má 29 dní");
    row("a label for a group", "spolecne Jana,Petr --name X", 2, "ne --name");
    row("a range before a birth", "together Jana,Petr 1.1.1991 1.1.1992", 1, "nebyl(a)");
    row("a chart of one person twice", "chart Jana --with jana -o x.png", 2, "dvakrát");
}

void TestCompanionTogether::commandRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\nPetr = 5.3.1990\nEva = 24.12.2019\n";
    QCOMPARE(companion::RunCommand(QStringList { QStringLiteral("cyklometrika") } + arguments, env),
             status);
    QVERIFY2(QString::fromUtf8(env.StandardError).contains(error), env.StandardError.constData());
    QVERIFY(env.StandardOutput.isEmpty());
}

// The agreement does not depend on the day: a day before Eva's birth leaves out her values.
void TestCompanionTogether::matchOutsideALife()
{
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\nEva = 24.12.2019\n";
    QCOMPARE(companion::RunCommand({ "cyklometrika", "shoda", "Jana", "Eva", "1.1.2000" }, env), 0);
    QVERIFY(env.StandardOutput.contains("Celkem"));
    QCOMPARE(env.StandardOutput.count("–"), 3);
    QCOMPARE(env.StandardError,
             "cyklometrika: hodnoty „Eva“ chybí: den 1.1.2000 je před narozením 24.12.2019\n");
}

// The names wrap under their column: no line of the table is wider than a terminal.
void TestCompanionTogether::sharedTableWithinTheTerminal()
{
    test::MemoryEnvironment env;
    for (const char *name : { "Jana", "Iva", "Ela", "Ota", "Max", "Bob", "Ada", "Eda" })
        env.People += QByteArray(name) + " = 10.1.1996\n";
    QCOMPARE(companion::RunCommand({ "cyklometrika", "spolecne", "--all", "2027" }, env), 0);
    const QStringList lines = QString::fromUtf8(env.StandardOutput).split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QString(49, QLatin1Char(' ')) + QStringLiteral("Ada, Eda")));
    for (const QString &line : lines)
        QVERIFY2(companion::DisplayWidth(line) <= companion::TerminalColumns, qPrintable(line));
}

QTEST_GUILESS_MAIN(TestCompanionTogether)
#include "tst_companion_together.moc"
