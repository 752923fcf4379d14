// SPDX-License-Identifier: GPL-3.0-or-later
// The diary command run in memory: a whole session, what its file keeps and refuses to
// lose, and simulated diaries with a known truth tested through the command exactly as
// the diary's own test finds them.
#include "calendar/texts.h"
#include "companion/command.h"
#include "companion/io/diary_file.h"
#include "diary/simulate.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace cykl;
using namespace cykl::companion;

namespace {

const QString Diary = QStringLiteral("/data/cyklometrika/denik/jana.txt");

int Run(test::MemoryEnvironment &env, const QStringList &arguments)
{
    env.StandardOutput.clear();
    env.StandardError.clear();
    return RunCommand(QStringList { QStringLiteral("cyklometrika") } + arguments, env);
}

// The entries as a file diary import reads, one a line.
QByteArray Csv(const std::vector<diary::Entry> &entries)
{
    QByteArray csv("date,energy,mood,focus\n");
    for (const diary::Entry &entry : entries)
        csv += EntryLine({ entry.Day, entry.Ratings }).replace(' ', ',') + '\n';
    return csv;
}

// Days before the memory's today (7 December 2026), one a day, ratings going round.
std::vector<diary::Entry> DaysBefore(int count)
{
    std::vector<diary::Entry> entries;
    for (int k = count; k >= 1; --k) {
        const QDate day = QDate(2026, 12, 7).addDays(-k);
        entries.push_back({ { day.day(), day.month(), day.year() }, { 1 + k % 5, 1 + k % 3, 3 } });
    }
    return entries;
}

QJsonObject JsonOf(const QByteArray &text)
{
    return QJsonDocument::fromJson(text).object();
}

} // namespace

class TestCompanionDiary : public QObject {
    Q_OBJECT
private slots:
    void fileLines_data();
    void fileLines();
    void session();
    void nothingLost();
    void simulated_data();
    void simulated();
};

// What a diary's lines give, each kept byte for byte.
void TestCompanionDiary::fileLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("flagged"); // entries shown or imported
    QTest::addColumn<QList<qsizetype>>("unread");
    QTest::addColumn<QList<qsizetype>>("twice");
    QTest::newRow("days, flags, CRLF, no last end")
        << QByteArray("2026-12-01 1 2 3\r\n 2026-12-02\t5 5 5 imported shown \r\n"
                      "2026-11-30 3 3 3 shown")
        << 3 << 2 << QList<qsizetype> {} << QList<qsizetype> {};
    QTest::newRow("comments, a mark, lines meant otherwise")
        << QByteArray("\xEF\xBB\xBF# note\n\n2026-12-01 1 2 6\n2026-02-30 1 1 1\n"
                      "2026-12-01 1 2 3 seen\nshown-through 2026-13-01\n")
        << 0 << 0 << QList<qsizetype> { 3, 4, 5, 6 } << QList<qsizetype> {};
    QTest::newRow("a day twice: the first counts")
        << QByteArray("2026-12-01 1 2 3\n2026-12-01 3 2 1\n") << 1 << 0 << QList<qsizetype> {}
        << QList<qsizetype> { 2 };
}

void TestCompanionDiary::fileLines()
{
    QFETCH(QByteArray, text);
    QFETCH(int, entries);
    QFETCH(int, flagged);
    QFETCH(QList<qsizetype>, unread);
    QFETCH(QList<qsizetype>, twice);
    const DiaryFile file = ReadDiary(text);
    QCOMPARE(int(file.Entries.size()), entries);
    QCOMPARE(int(std::count_if(file.Entries.begin(), file.Entries.end(),
                               [](const diary::Entry &e) { return e.Shown || e.Imported; })),
             flagged);
    QVERIFY(
        std::is_sorted(file.Entries.begin(), file.Entries.end(),
                       [](const diary::Entry &a, const diary::Entry &b) { return a.Day < b.Day; }));
    QCOMPARE(file.Unread, unread);
    QCOMPARE(file.Twice, twice);
    QCOMPARE(DiaryText(file), text);
}

// plan, add, import, test refused before the planned days and run after them, a day
// written after the test has shown it, export, a changed plan, forget.
void TestCompanionDiary::session()
{
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\n";
    QCOMPARE(Run(env, { "diary", "add", "Jana", "3", "4", "2" }), int(ExitRefused)); // no plan
    QCOMPARE(Run(env, { "denik", "plan", "Jana", "--days", "90" }), int(ExitOk));
    QCOMPARE(Run(env, { "diary", "plan", "Jana" }), int(ExitRefused)); // fixed once
    QCOMPARE(Run(env, { "diary", "add", "Jana", "3", "4", "6" }), int(ExitUsage));
    QCOMPARE(Run(env, { "diary", "add", "Jana", "8.12.2026", "3", "4", "2" }), int(ExitUsage));
    QCOMPARE(Run(env, { "diary", "add", "Jana", "3", "4", "2" }), int(ExitOk));
    env.Files.insert("/in.csv", Csv(DaysBefore(88)));
    QCOMPARE(Run(env, { "diary", "import", "Jana", "/in.csv" }), int(ExitOk));
    QCOMPARE(Run(env, { "diary", "test", "Jana" }), int(ExitRefused)); // 89 days
    QCOMPARE(Run(env, { "diary", "add", "Jana", "9.9.2026", "5", "5", "5" }), int(ExitOk));
    QCOMPARE(Run(env, { "--lang", "en", "diary", "test", "Jana", "-f", "json" }), int(ExitOk));
    const QJsonObject result = JsonOf(env.StandardOutput);
    QCOMPARE(result["days"].toInt(), 90);
    QCOMPARE(result["hypotheses"].toArray().size(), 3);
    QCOMPARE(result["hypotheses"][1]["cycle"].toString(), QStringLiteral("emotional"));
    for (const char *key : { "r", "ci_low", "ci_high", "p", "significant" })
        QVERIFY2(result["hypotheses"][1].toObject().contains(key), key);
    QVERIFY(result.contains("significant_any"));
    // Rewritten after the test showed it, a day is left out.
    QCOMPARE(Run(env, { "diary", "add", "Jana", "9.9.2026", "1", "1", "1" }), int(ExitOk));
    QCOMPARE(Run(env, { "diary", "test", "Jana" }), int(ExitRefused));
    QCOMPARE(Run(env, { "diary", "export", "Jana", "-o", "/out.csv" }), int(ExitOk));
    QCOMPARE(env.Files["/out.csv"].count('\n'), 91);
    QVERIFY(env.Files["/out.csv"].contains("2026-09-09,1,1,1\r\n"));
    QCOMPARE(Run(env, { "diary", "forget", "Jana" }), int(ExitRefused));
    QVERIFY(env.Files.contains(Diary));
    QCOMPARE(Run(env, { "diary", "forget", "Jana", Said("diary.forget.word", Lang::Cs) }),
             int(ExitOk));
    QVERIFY(!env.Files.contains(Diary));
}

// Hand edits keep their bytes; a changed plan stops the test; a write that fails or a
// diary another run holds leaves the file as it was.
void TestCompanionDiary::nothingLost()
{
    test::MemoryEnvironment env;
    QCOMPARE(Run(env, { "diary", "plan", "10.1.1996", "--hypotheses", "citova" }), int(ExitOk));
    const QString path = QStringLiteral("/data/cyklometrika/denik/1996-01-10.txt");
    env.Files[path] += "# my own note\r\nsomething of mine\n";
    QCOMPARE(Run(env, { "diary", "add", "10.1.1996", "3", "4", "2" }), int(ExitOk));
    QVERIFY(env.Files[path].contains("# my own note\r\nsomething of mine\n2026-12-07 3 4 2\n"));
    QVERIFY(!env.StandardError.isEmpty()); // the line it cannot read is named
    const QByteArray before = env.Files[path];
    env.WriteError = QStringLiteral("disk full");
    QCOMPARE(Run(env, { "diary", "add", "10.1.1996", "1.12.2026", "1", "1", "1" }),
             int(ExitOutputFailed));
    env.WriteError.reset();
    {
        QString error;
        const auto held = env.LockOwnFile(path, error);
        QCOMPARE(Run(env, { "diary", "add", "10.1.1996", "1.12.2026", "1", "1", "1" }),
                 int(ExitOutputFailed));
    }
    QCOMPARE(env.Files[path], before);
    env.Files[path].replace("minimum-days 90", "minimum-days 30");
    QCOMPARE(Run(env, { "diary", "add", "10.1.1996", "1", "1", "1" }), int(ExitRefused));
    QCOMPARE(env.Files[path].count("3 4 2"), 1);
}

// Simulated diaries (a Monday dip, a lighter weekend, carry-over 0.5, people born on a
// Monday) written in, imported and tested by the command: each result is the diary
// test's own, and the rates hold as the full-size tables in bench/ show.
void TestCompanionDiary::simulated_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<double>("effect");
    QTest::addColumn<double>("anyLow");
    QTest::addColumn<double>("anyHigh");
    QTest::addColumn<double>("emotionalLow");
    QTest::newRow("no effect, weekday trap") << 120 << 0.0 << 0.01 << 0.10 << 0.0;
    QTest::newRow("effect 0.8 SD, 180 days") << 180 << 0.8 << 0.75 << 1.0 << 0.75;
}

void TestCompanionDiary::simulated()
{
    QFETCH(int, days);
    QFETCH(double, effect);
    QFETCH(double, anyLow);
    QFETCH(double, anyHigh);
    QFETCH(double, emotionalLow);
    constexpr int Diaries = 150;
    int any = 0;
    int emotional = 0;
    for (int seed = 1; seed <= Diaries; ++seed) {
        const diary::SimulatedDiary simulated
            = diary::SimulateDiary({ .Days = days, .Effect = effect }, seed);
        const QString birth = QString::fromStdString(IsoDate(simulated.Registered.Birth));
        test::MemoryEnvironment env;
        DiaryFile file;
        SetPlan(file, simulated.Registered); // fixed on the diary's first day
        env.Files.insert(QStringLiteral("/data/cyklometrika/denik/%1.txt").arg(birth),
                         DiaryText(file));
        env.Files.insert("/in.csv", Csv(simulated.Entries));
        QCOMPARE(Run(env, { "diary", "import", birth, "/in.csv" }), int(ExitOk));
        QCOMPARE(Run(env, { "diary", "test", birth, "-f", "json" }), int(ExitOk));
        const QJsonObject result = JsonOf(env.StandardOutput);
        const diary::TestResult expected = diary::RunTest(simulated.Registered, simulated.Entries);
        QCOMPARE(result["significant_any"].toBool(), expected.SignificantAny);
        QCOMPARE(result["hypotheses"][1]["p"].toDouble(), expected.Hypotheses[1].P);
        any += expected.SignificantAny ? 1 : 0;
        emotional += expected.Hypotheses[1].Significant ? 1 : 0;
    }
    QVERIFY2(any >= anyLow * Diaries && any <= anyHigh * Diaries, QByteArray::number(any));
    QVERIFY2(emotional >= emotionalLow * Diaries, QByteArray::number(emotional));
}

QTEST_GUILESS_MAIN(TestCompanionDiary)
#include "tst_companion_diary.moc"
