// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's own pieces: date forms, the terminal table, the iCalendar line rules,
// and JSON and the table read back from whole commands run in memory.
#include "calendar/civil_calendar.h"
#include "calendar/dates.h"
#include "calendar/engine.h"
#include "calendar/ical.h"
#include "calendar/texts.h"
#include "companion/command.h"
#include "companion/io/formats.h"
#include "companion/io/text_table.h"
#include "tests/support/memory_environment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace cykl;
using namespace cykl::companion;

namespace {

QByteArray RunInMemory(const QStringList &arguments, int expectedStatus = ExitOk)
{
    test::MemoryEnvironment env;
    env.WriteError = QStringLiteral("read-only");
    const int status = RunCommand(QStringList { QStringLiteral("cyklometrika") } + arguments, env);
    if (status != expectedStatus)
        qWarning() << arguments << "ended with" << status << env.StandardError;
    return status == expectedStatus ? env.StandardOutput : QByteArray();
}

QStringList OutputLines(const QByteArray &out)
{
    QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestCompanionFormats : public QObject {
    Q_OBJECT
private slots:
    void parseDate_data();
    void parseDate();
    void parseMonth_data();
    void parseMonth();
    void displayWidth_data();
    void displayWidth();
    void tablesFitEightyColumnsAndAlign_data();
    void tablesFitEightyColumnsAndAlign();
    void foldLine_data();
    void foldLine();
    void escapes_data();
    void escapes();
    void summaries_data();
    void summaries();
    void civilCalendarAgreesWithQDate_data();
    void civilCalendarAgreesWithQDate();
    void monthJsonReadsBack();
    void criticalJsonReadsBack();
    void dayJsonCarriesTheMessages();
    void jsonIsLaidOutAsQtLaysItOut_data();
    void jsonIsLaidOutAsQtLaysItOut();
    void severalPeopleGiveAListWithoutTheRefused();
};

void TestCompanionFormats::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isDate");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::newRow("czech") << "10.1.1996" << true << 10 << 1 << 1996;
    QTest::newRow("czech, leading zeros") << "05.03.0996" << true << 5 << 3 << 996;
    QTest::newRow("czech, short year") << "1.1.1" << true << 1 << 1 << 1;
    QTest::newRow("iso") << "1996-03-05" << true << 5 << 3 << 1996;
    QTest::newRow("blanks around") << "  5.3.1996\t" << true << 5 << 3 << 1996;
    // Of the right form, refused later by the window.
    QTest::newRow("31 February") << "31.2.1996" << true << 31 << 2 << 1996;
    QTest::newRow("zeros") << "0.0.0" << true << 0 << 0 << 0;
    QTest::newRow("month 13, iso") << "1996-13-01" << true << 1 << 13 << 1996;
    QTest::newRow("five-digit year") << "1.1.10000" << true << 1 << 1 << 10000;
    // Not dates.
    for (const char *text :
         { "",          "1996",        "5.3",        "5.3.",           ".3.1996",    "5..1996",
           "5.3.1996.", "5/3/1996",    "a.3.1996",   "5.3.19x6",       "-5.3.1996",  "+5.3.1996",
           "5. 3.1996", "123.1.1996",  "1.123.1996", "1.1.1234567890", "96-03-05",   "1996-3-5",
           "1996-03-5", "1996-03-05-", "1996--03",   "1996-03",        "5.3.1996 x", "５.3.1996" })
        QTest::addRow("not a date: '%s'", text) << QString::fromUtf8(text) << false << 0 << 0 << 0;
}

void TestCompanionFormats::parseDate()
{
    QFETCH(QString, text);
    QFETCH(bool, isDate);
    const QByteArray utf8 = text.toUtf8();
    const auto date = ParseDate({ utf8.constData(), static_cast<std::size_t>(utf8.size()) });
    QCOMPARE(date.has_value(), isDate);
    if (date) {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QCOMPARE(date->Day, day);
        QCOMPARE(date->Month, month);
        QCOMPARE(date->Year, year);
    }
}

void TestCompanionFormats::parseMonth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("month"); // 0: not a month
    QTest::addColumn<int>("year");
    QTest::newRow("czech") << "3.1996" << 3 << 1996;
    QTest::newRow("iso") << "1996-03" << 3 << 1996;
    QTest::newRow("month 13") << "13.1996" << 13 << 1996;
    QTest::newRow("a date") << "5.3.1996" << 0 << 0;
    QTest::newRow("iso date") << "1996-03-05" << 0 << 0;
    QTest::newRow("iso short month") << "1996-3" << 0 << 0;
    QTest::newRow("year only") << "1996" << 0 << 0;
    QTest::newRow("empty year") << "3." << 0 << 0;
}

void TestCompanionFormats::parseMonth()
{
    QFETCH(QString, text);
    QFETCH(int, month);
    QFETCH(int, year);
    const QByteArray utf8 = text.toUtf8();
    const auto parsed = ParseMonth({ utf8.constData(), static_cast<std::size_t>(utf8.size()) });
    QCOMPARE(parsed.has_value(), month != 0);
    if (parsed) {
        QCOMPARE(parsed->Month, month);
        QCOMPARE(parsed->Year, year);
        QCOMPARE(parsed->Day, 1);
    }
}

void TestCompanionFormats::displayWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("ascii") << "Datum" << 5;
    QTest::newRow("precomposed") << "Fyzická" << 7;
    QTest::newRow("combining acute") << QString::fromUtf8("Fyzicka\xcc\x81") << 7;
    QTest::newRow("outside the basic plane") << QString::fromUtf8("\xf0\x9d\x90\x80x") << 2;
}

void TestCompanionFormats::displayWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QCOMPARE(DisplayWidth(text), width);
}

void TestCompanionFormats::tablesFitEightyColumnsAndAlign_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("aligned"); // every line of the table as wide as the headings
    QTest::newRow("month") << QStringList { "month", "10.1.1996", "10.2096" } << true;
    QTest::newRow("birth day: three boxes")
        << QStringList { "day", "10.1.1996", "10.1.1996" } << false;
    QTest::newRow("longest messages") << QStringList { "day", "1.1.2000", "16.3.2000" } << false;
    // 10.1.1996: the birth day has three critical cycles.
    QTest::newRow("critical") << QStringList { "critical", "10.1.1996", "10.1.1996", "10.12.1996" }
                              << false;
}

void TestCompanionFormats::tablesFitEightyColumnsAndAlign()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, aligned);
    const QStringList lines = OutputLines(RunInMemory(arguments));
    QVERIFY(lines.size() > 3);
    for (const QString &line : lines)
        QVERIFY2(DisplayWidth(line) <= TerminalColumns, qPrintable(line));
    if (aligned) { // every number ends under the end of its heading
        const int end = DisplayWidth(lines[2].section(QStringLiteral("Intelekt"), 0, 0)) + 8;
        for (const QString &line : lines.mid(3)) {
            if (line.isEmpty())
                break; // the legend of the codes follows
            QVERIFY2(line.at(end - 1).isDigit(), qPrintable(line));
            QVERIFY2(line.size() == end || line.at(end) == QLatin1Char(' '), qPrintable(line));
        }
    }
    if (arguments.first() == QLatin1String("critical")) {
        QVERIFY(lines.filter(QStringLiteral("trojitě kritický")).size() == 1);
        QVERIFY(lines[3].startsWith(QStringLiteral("10.1.1996")));
    }
}

void TestCompanionFormats::foldLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("short") << "SUMMARY:Kritický den";
    QTest::newRow("exactly 75 octets") << QString(75, QLatin1Char('x'));
    QTest::newRow("76 octets") << QString(76, QLatin1Char('x'));
    QTest::newRow("long ascii") << QString(400, QLatin1Char('a'));
    QTest::newRow("two-octet letters across every boundary") << QString(200, QChar(0x17E)); // ž
    QTest::newRow("mixed") << QStringLiteral("DESCRIPTION:")
            + QString::fromStdString(MessageText(11, {}, {})).repeated(3);
    QTest::newRow("four-octet characters") << QString::fromUtf8("\xf0\x9f\x98\x80").repeated(60);
}

// At most 75 octets per physical line, CRLF after each, nothing split within a
// character, and unfolding gives back the line.
void TestCompanionFormats::foldLine()
{
    QFETCH(QString, line);
    const QByteArray folded = QByteArray::fromStdString(FoldLine(line.toStdString()));
    QVERIFY(folded.endsWith("\r\n"));
    const QList<QByteArray> physical = folded.chopped(2).split('\n');
    for (qsizetype i = 0; i < physical.size(); ++i) {
        QByteArray part = physical[i];
        if (i + 1 < physical.size()) {
            QVERIFY(part.endsWith('\r'));
            part.chop(1);
        }
        QVERIFY2(part.size() <= 75, part);
        if (i > 0)
            QVERIFY(part.startsWith(' '));
        QVERIFY2(QString::fromUtf8(part).toUtf8() == part, "a character is split");
    }
    QCOMPARE(QString::fromUtf8(folded.chopped(2).replace("\r\n ", "")), line);
}

void TestCompanionFormats::escapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "Dnes prožíváte citovou krizi !"
                           << "Dnes prožíváte citovou krizi !";
    QTest::newRow("comma and semicolon") << "a, b; c"
                                         << "a\\, b\\; c";
    QTest::newRow("backslash first") << "\\,"
                                     << "\\\\\\,";
    QTest::newRow("line breaks") << "a\nb\r\nc"
                                 << "a\\nb\\nc";
    QTest::newRow("colon stays") << "a:b"
                                 << "a:b";
}

void TestCompanionFormats::escapes()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(QString::fromStdString(EscapeText(text.toStdString())), escaped);
}

void TestCompanionFormats::summaries_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("summary");
    QTest::newRow("one critical") << QList<int> { 5 } << "Kritický den: citová vnímavost";
    QTest::newRow("two critical") << QList<int> { 4, 6 }
                                  << "Dvojitě kritický den: fyzická kondice, síla intelektu";
    QTest::newRow("three critical")
        << QList<int> { 4, 5, 6 }
        << "Trojitě kritický den: fyzická kondice, citová vnímavost, síla intelektu";
    QTest::newRow("critical and a low")
        << QList<int> { 6, 8, 10 }
        << "Kritický den: síla intelektu; útlum fyzické kondice, útlum citové vnímavosti";
    QTest::newRow("a high") << QList<int> { 11 } << "Vrchol síly intelektu";
    QTest::newRow("a low: a capital with its mark") << QList<int> { 8 } << "Útlum fyzické kondice";
}

void TestCompanionFormats::summaries()
{
    QFETCH(QList<int>, codes);
    QFETCH(QString, summary);
    Verdicts verdicts;
    for (const int code : codes)
        verdicts.Codes[static_cast<std::size_t>(verdicts.Count++)] = static_cast<MessageCode>(code);
    QCOMPARE(QString::fromStdString(EventSummary(verdicts)), summary);
    QCOMPARE(CriticalMark(CriticalCycles(verdicts)).empty(), CriticalCycles(verdicts) < 2);
}

void TestCompanionFormats::civilCalendarAgreesWithQDate_data()
{
    QTest::addColumn<int>("year");
    for (const int year : { 1, 4, 100, 1582, 1600, 1900, 1996, 2000, 2026, 2100, 9999 })
        QTest::addRow("%d", year) << year;
}

// Every day of the calculation's year, against Qt's civil calendar: which days exist, the
// next one, and the weekday.
void TestCompanionFormats::civilCalendarAgreesWithQDate()
{
    QFETCH(int, year);
    static const QStringList weekdays { "po", "út", "st", "čt", "pá", "so", "ne" };
    for (Date day { 1, 1, year }; day.Year == year; day = NextDay(day)) {
        const QDate civil(day.Year, day.Month, day.Day);
        QCOMPARE(IsCivilDay(day), civil.isValid());
        if (!civil.isValid()) {
            QVERIFY(WeekdayName(day).empty());
            continue;
        }
        const QDate next = civil.addDays(1);
        QCOMPARE(NextCivilDay(day), (Date { next.day(), next.month(), next.year() }));
        QCOMPARE(QString::fromStdString(WeekdayName(day)), weekdays[civil.dayOfWeek() - 1]);
    }
}

void TestCompanionFormats::monthJsonReadsBack()
{
    const QByteArray out = RunInMemory({ "month", "10.1.1996", "1996-03", "--format", "json" });
    QJsonParseError error;
    const QJsonObject month = QJsonDocument::fromJson(out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(month.value("birth").toString(), QStringLiteral("1996-01-10"));
    QCOMPARE(month.value("month").toString(), QStringLiteral("1996-03"));
    const QJsonArray days = month.value("days").toArray();
    QCOMPARE(days.size(), 31);
    const QJsonObject first = days.first().toObject();
    QCOMPARE(first.value("date").toString(), QStringLiteral("1996-03-01"));
    QCOMPARE(first.value("physical").toInt(), 97);
    QCOMPARE(first.value("emotional").toInt(), -91);
    QCOMPARE(first.value("intellectual").toInt(), -29);
    QCOMPARE(days[4].toObject().value("physical").toInt(), 63); // the window's 5 March
    QCOMPARE(days.last().toObject().value("date").toString(), QStringLiteral("1996-03-31"));
}

// Every day of the list, and no other, raises codes; the codes match the values.
void TestCompanionFormats::criticalJsonReadsBack()
{
    const QByteArray out
        = RunInMemory({ "critical", "10.1.1996", "2026-01-01", "2026-12-31", "-f", "json" });
    const QJsonObject list = QJsonDocument::fromJson(out).object();
    QCOMPARE(list.value("from").toString(), QStringLiteral("2026-01-01"));
    QCOMPARE(list.value("to").toString(), QStringLiteral("2026-12-31"));
    const QJsonArray days = list.value("days").toArray();
    QVERIFY(days.size() > 50);
    QString previous;
    for (const auto &value : days) {
        const QJsonObject day = value.toObject();
        const QString date = day.value("date").toString();
        QVERIFY(date > previous && date.startsWith(QStringLiteral("2026-")));
        previous = date;
        const Verdicts expected
            = DailyVerdicts(day.value("physical").toDouble(), day.value("emotional").toDouble(),
                            day.value("intellectual").toDouble());
        QJsonArray codes;
        for (const MessageCode code : expected)
            codes.append(code);
        QVERIFY(!codes.isEmpty());
        QCOMPARE(day.value("codes").toArray(), codes);
    }
}

void TestCompanionFormats::dayJsonCarriesTheMessages()
{
    const QByteArray out = RunInMemory({ "day", "10.1.1996", "10.1.1996", "-f", "json" });
    const QJsonObject day = QJsonDocument::fromJson(out).object();
    QCOMPARE(day.value("date").toString(), QStringLiteral("1996-01-10"));
    const QJsonArray messages = day.value("messages").toArray();
    QCOMPARE(messages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject message = messages[i].toObject();
        QCOMPARE(message.value("code").toInt(), 4 + i);
        QCOMPARE(message.value("text").toString(),
                 QString::fromStdString(MessageText(static_cast<MessageCode>(4 + i), {}, {})));
        QCOMPARE(day.value("verdicts")[i].toString(),
                 QString::fromStdString(VerdictName(static_cast<MessageCode>(4 + i))));
    }
    QCOMPARE(day.value("weekday").toString(), QStringLiteral("st"));
}

// The JSON is written in standard C++ for the companion and the web page alike; scripts
// have read it as Qt wrote it, so Qt writes back the same bytes from what it reads.
void TestCompanionFormats::jsonIsLaidOutAsQtLaysItOut_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a day with an odd name")
        << QStringList { "day", "10.1.1996", "--name", "\"J\\\t\x01ž\x7f", "-f", "json" };
    QTest::newRow("a month: empty lists")
        << QStringList { "month", "10.1.1996", "1996-02", "-f", "json" };
    QTest::newRow("no critical day")
        << QStringList { "critical", "10.1.1996", "5.3.1996", "5.3.1996", "-f", "json" };
    QTest::newRow("a year from the birth")
        << QStringList { "critical", "29.2.1900", "1900", "--name", "Jana", "-f", "json" };
}

void TestCompanionFormats::jsonIsLaidOutAsQtLaysItOut()
{
    QFETCH(QStringList, arguments);
    const QByteArray out = RunInMemory(arguments);
    QVERIFY(!out.isEmpty());
    QCOMPARE(QJsonDocument::fromJson(out).toJson(QJsonDocument::Indented), out);
}

// One born after the day and one born over 150 years before it are left out by name; the
// rest is a JSON list, even of one; with no one left, status 1.
void TestCompanionFormats::severalPeopleGiveAListWithoutTheRefused()
{
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\nMimi = 1.1.2030\nPraděda = 1.1.1850\n";
    QCOMPARE(RunCommand({ "cyklometrika", "day", "--all", "5.3.2027", "-f", "json" }, env), ExitOk);
    QCOMPARE(QJsonDocument::fromJson(env.StandardOutput).array().size(), 1);
    for (const char *name : { "„Mimi“ je vynechán(a): den", "„Praděda“ je vynechán(a): rok" })
        QVERIFY2(env.StandardError.contains(name), env.StandardError);
    QCOMPARE(RunCommand({ "cyklometrika", "day", "Mimi,Praděda", "5.3.2027" }, env), ExitRefused);
}

QTEST_APPLESS_MAIN(TestCompanionFormats)
#include "tst_companion_formats.moc"
