// SPDX-License-Identifier: GPL-3.0-or-later
// The command's reports in English: their lines beside the catalogue, and the same numbers,
// codes and calendar UIDs as in Czech.
#include "calendar/engine.h"
#include "calendar/texts.h"
#include "companion/command.h"
#include "companion/io/text_table.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>
#include <random>

using namespace cykl;

namespace {

struct Ran {
    int Status;
    QString Out;
    QString Err;
};

Ran Run(const QString &line, Lang lang)
{
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\nPetr = 5.3.1990\nEva = 24.12.2019\nIva = 10.1.1996\n";
    QStringList arguments { QStringLiteral("cyklometrika"), QStringLiteral("--lang"),
                            QString::fromLatin1(LanguageOf(lang).Code) };
    arguments += line.split(QLatin1Char(' '));
    const int status = companion::RunCommand(arguments, env);
    // A spreadsheet's byte order mark kept, as U+FEFF.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return { status, utf8(env.StandardOutput), QString::fromUtf8(env.StandardError) };
}

QString Utf8Text(const std::string &text)
{
    return QString::fromStdString(text);
}

QString En(TextKey key, std::initializer_list<std::string_view> args = {})
{
    return Said(key, Lang::En, args);
}

// The texts of a JSON report blanked: what stays is the same in every language.
QJsonValue Neutral(const QJsonValue &value)
{
    static const QStringList texts {
        "text", "verdicts", "weekday", "refusal", "message", "verdict"
    };
    if (value.isArray()) {
        QJsonArray array;
        for (const auto &item : value.toArray())
            array.append(Neutral(item));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        it.value() = texts.contains(it.key()) ? QJsonValue() : Neutral(it.value());
    return object;
}

QStringList Uids(const QString &calendar)
{
    return calendar.split(QStringLiteral("\r\n"))
        .filter(QRegularExpression(QStringLiteral("^UID:")));
}

} // namespace

class TestCompanionEnglish : public QObject {
    Q_OBJECT
private slots:
    void reportLines_data();
    void reportLines();
    void dayLabelsLineUp();
    void sameNumbersAndCodes();
    void sameUids();
    void chartInTheRunsLanguage();
};

void TestCompanionEnglish::reportLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const char *line, const QString &expected) {
        QTest::newRow(name) << QString::fromLatin1(line) << expected;
    };
    const QString born = En("report.heading.birth", { "Wed 10 Jan 1996" });
    row("day: the day", "day 10.1.1996 5.3.1996",
        En("report.label.day").leftJustified(22) + QStringLiteral("Tue 5 Mar 1996"));
    row("day: a verdict", "day 10.1.1996 6.3.1996",
        QStringLiteral(" 5  ") + Utf8Text(MessageText(5, {}, {}, Lang::En)));
    row("month: the heading", "month 10.1.1996 3.1996",
        En("report.heading.month", { born.toStdString(), "March 1996" }));
    row("month: the columns", "month 10.1.1996 3.1996",
        QStringLiteral("Date             Physical  Emotional  Intellectual  Codes  Note"));
    row("critical: a row", "critical 10.1.1996 1.3.1996 15.3.1996",
        QStringLiteral("Wed 13 Mar 1996      -100        100           -55  8 9"));
    row("critical: the legend", "critical 10.1.1996 1.3.1996 15.3.1996",
        QStringLiteral(" 9  ") + En("report.verdict.9"));
    row("critical: a mark", "critical 10.1.1996 10.1.1996 31.1.1996",
        QStringLiteral("Wed 10 Jan 1996         0          0             0  4 5 6  ")
            + En("report.mark.3"));
    row("critical: no day", "critical 10.1.1996 1.3.1996 1.3.1996 --codes 4", En("report.no.day"));
    row("a calendar's summary", "critical 10.1.1996 1.3.1996 15.3.1996 -f ics",
        QStringLiteral("SUMMARY:")
            + En("report.summary.critical.1", { Say("series.emotional", Lang::En) }));
    row("a spreadsheet", "day 10.1.1996 5.3.1996 -f csv --excel",
        QStringLiteral("\uFEFFdate,physical,emotional,intellectual,codes,messages,"
                       "critical_cycles"));
    row("together", "together Jana,Petr 2027",
        En("report.shared.heading", { "Fri 1 Jan 2027", "Fri 31 Dec 2027" }));
    row("match", "match Jana Petr 5.3.2026",
        En("report.agreement.heading",
           { "2137", "Jana (Wed 10 Jan 1996)", "Petr (Mon 5 Mar 1990)" }));
    row("month first", "day 10.1.1996 3/5/1996",
        QStringLiteral("cyklometrika: ")
            + En("report.date.month.first", { "3/5/1996", "5.3.1996", "1996-03-05" }));
}

void TestCompanionEnglish::reportLines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    const Ran ran = Run(line, Lang::En);
    const QStringList lines
        = (ran.Out + ran.Err).split(QRegularExpression(QStringLiteral("\r?\n")));
    QVERIFY2(lines.contains(expected), qPrintable(ran.Out + ran.Err));
}

// Labels of any width, Czech letters or English words: the values start in one column,
// the widest label's and a blank.
void TestCompanionEnglish::dayLabelsLineUp()
{
    for (const auto &[lang, width] : { std::pair { Lang::Cs, 18 }, std::pair { Lang::En, 22 } }) {
        const QStringList lines = Run(QStringLiteral("day Jana 6.3.1996"), lang).Out.split('\n');
        const QStringList labels {
            Said("report.label.name", lang), Said("report.label.birth", lang),
            Said("report.label.day", lang),  Said("cycle.physical", lang),
            Said("cycle.emotional", lang),   Said("cycle.intellectual", lang)
        };
        for (qsizetype i = 0; i < labels.size(); ++i) {
            QCOMPARE(lines[i].left(width).trimmed(), labels[i]);
            QVERIFY2(lines[i].size() > width && lines[i][width - 1] == QLatin1Char(' '),
                     qPrintable(lines[i]));
        }
    }
}

// 2,000 random births and days: day, month and critical give the same numbers and codes in
// JSON in both languages, with the texts in English.
void TestCompanionEnglish::sameNumbersAndCodes()
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> year(1850, 2100);
    std::uniform_int_distribution<int> dayOfYear(0, 364);
    std::uniform_int_distribution<int> span(-400, 55'000);
    for (int i = 0; i < 2000; ++i) {
        const QDate birth = QDate(year(random), 1, 1).addDays(dayOfYear(random));
        const QDate day = birth.addDays(span(random));
        const QString b = birth.toString(QStringLiteral("d.M.yyyy"));
        const QString d = day.toString(QStringLiteral("d.M.yyyy"));
        const QString lines[]
            = { QStringLiteral("day %1 %2 -f json").arg(b, d),
                QStringLiteral("month %1 %2 -f json").arg(b, day.toString("M.yyyy")),
                QStringLiteral("critical %1 %2 %3 -f json")
                    .arg(b, d, day.addDays(40).toString("d.M.yyyy")) };
        for (const QString &line : lines) {
            const Ran czech = Run(line, Lang::Cs);
            const Ran english = Run(line, Lang::En);
            QCOMPARE(english.Status, czech.Status);
            if (czech.Status != 0)
                continue;
            const QJsonObject cs = QJsonDocument::fromJson(czech.Out.toUtf8()).object();
            const QJsonObject en = QJsonDocument::fromJson(english.Out.toUtf8()).object();
            QVERIFY2(!cs.isEmpty(), qPrintable(line));
            QCOMPARE(Neutral(en), Neutral(cs));
            const QJsonArray days = en.contains("days") ? en["days"].toArray() : QJsonArray { en };
            for (const auto &each : days) {
                const QJsonObject shown = each.toObject();
                const QJsonArray codes = shown.value("codes").toArray();
                for (qsizetype k = 0; k < codes.size(); ++k)
                    QCOMPARE(shown.value("verdicts").toArray().at(k).toString(),
                             Utf8Text(VerdictName(static_cast<MessageCode>(codes[k].toInt()),
                                                  Lang::En)));
            }
        }
    }
}

// A calendar taken in again in the other language replaces its events: the same UIDs.
void TestCompanionEnglish::sameUids()
{
    for (const char *line : { "critical Jana 2027 -f ics", "critical Jana 2027 -f ics --merge",
                              "critical --all 2027 -f ics", "together --all 2027 -f ics" }) {
        const Ran czech = Run(QString::fromLatin1(line), Lang::Cs);
        const Ran english = Run(QString::fromLatin1(line), Lang::En);
        QVERIFY2(!Uids(czech.Out).isEmpty(), qPrintable(czech.Out + czech.Err));
        QCOMPARE(Uids(english.Out), Uids(czech.Out));
        QVERIFY(english.Out != czech.Out);
    }
}

// The picture is drawn by a module of its own: the language goes with the request.
void TestCompanionEnglish::chartInTheRunsLanguage()
{
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\n";
    QCOMPARE(companion::RunCommand(
                 { "cyklometrika", "--lang", "en", "chart", "Jana", "-o", "a.svg" }, env),
             0);
    QCOMPARE(env.Charts.size(), 1);
    QCOMPARE(env.Charts.first().Language, Lang::En);
}

QTEST_GUILESS_MAIN(TestCompanionEnglish)
#include "tst_companion_english.moc"
