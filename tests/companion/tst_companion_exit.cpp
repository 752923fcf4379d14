// SPDX-License-Identifier: GPL-3.0-or-later
// The real command as a process: exit statuses, refusals with the window's texts on
// standard error and nothing on standard output, usage errors, output that cannot be
// written; and that the text commands never load the chart libraries.
#include "calendar/engine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace cykl;

namespace {

struct Outcome {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

Outcome Run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CYKLOMETRIKA), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
             process.readAllStandardOutput(), process.readAllStandardError() };
}

QString Text(MessageCode code, int birthYear = 1996, int targetYear = 1996)
{
    return QString::fromStdString(MessageText(code, { 1, 1, birthYear }, { 1, 1, targetYear }));
}

// A usage error is one Czech line after the command's name, and the pointer to the help.
// Qt's parser writes its own complaints in English; none of them may get through.
void VerifyCzechUsageError(const QByteArray &err)
{
    const QString text = QString::fromUtf8(err);
    QVERIFY2(text.toUtf8() == err, err);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[0].startsWith(QLatin1String("cyklometrika: ")), err);
    QCOMPARE(lines[1], QStringLiteral("Nápověda: cyklometrika --help"));
    QCOMPARE(lines[2], QString());
    static const QRegularExpression czechLetter(QStringLiteral("[áčďéěíňóřšťúůýž]"));
    QVERIFY2(lines[0].contains(czechLetter), err);
    static const QRegularExpression english(
        QStringLiteral("\\b(usage|try|unknown|missing|unexpected|option|value|not|needs|"
                       "takes|for|or|the)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!lines[0].contains(english), err);
}

} // namespace

class TestCompanionExit : public QObject {
    Q_OBJECT
private slots:
    void statuses_data();
    void statuses();
    void saysWhatIsWrong_data();
    void saysWhatIsWrong();
    void helpFitsEightyColumns_data();
    void helpFitsEightyColumns();
    void outputFileThatCannotBeWritten_data();
    void outputFileThatCannotBeWritten();
    void outputFileHoldsWhatStandardOutputWould();
#ifndef Q_OS_WIN
    void readerThatStopsEarlyIsNoError();
    void textCommandsDoNotLinkTheChartLibraries();
#endif
};

void TestCompanionExit::statuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // the whole standard error of a refusal

    const QString usage;
    QTest::newRow("day") << QStringList { "day", "10.1.1996", "5.3.1996" } << 0 << QString();
    QTest::newRow("den, ISO dates")
        << QStringList { "den", "1996-01-10", "1996-03-05" } << 0 << QString();
    QTest::newRow("29.2.1900 is a day")
        << QStringList { "day", "1.1.1900", "29.2.1900" } << 0 << QString();
    QTest::newRow("version") << QStringList { "--version" } << 0 << QString();
    QTest::newRow("Czech dates with spaces")
        << QStringList { "day", "1. 1. 1996", "5. 3. 1996" } << 0 << QString();
    QTest::newRow("an option's Czech name with its marks")
        << QStringList { "den", "10.1.1996", "--jméno", "Jana" } << 0 << QString();

    // Dates of the right form that the window refuses: its message, status 1.
    QTest::newRow("31 February") << QStringList { "day", "10.1.1996", "31.2.1996" } << 1 << Text(1);
    QTest::newRow("29.2.1997") << QStringList { "day", "10.1.1996", "29.2.1997" } << 1 << Text(1);
    QTest::newRow("day 0") << QStringList { "day", "10.1.1996", "0.1.1996" } << 1 << Text(1);
    QTest::newRow("birth month 0")
        << QStringList { "day", "10.0.1996", "5.3.1996" } << 1 << Text(1);
    QTest::newRow("month 13") << QStringList { "month", "10.1.1996", "13.1996" } << 1 << Text(1);
    QTest::newRow("year 0") << QStringList { "day", "1.1.0000", "5.3.1996" } << 1 << Text(1);
    QTest::newRow("year 10000") << QStringList { "day", "10.1.1996", "1.1.10000" } << 1 << Text(1);
    QTest::newRow("before birth") << QStringList { "day", "10.1.1996", "9.1.1996" } << 1 << Text(2);
    QTest::newRow("month before birth")
        << QStringList { "mesic", "10.1.1996", "1995-12" } << 1 << Text(2);
    QTest::newRow("151 years") << QStringList { "day", "31.12.1850", "1.1.2001" } << 1
                               << Text(3, 1850, 2001);
    QTest::newRow("chart of a refused day")
        << QStringList { "chart", "10.1.1996", "31.2.1996", "-o", "x.png" } << 1 << Text(1);
    // A range that reaches a refused day is refused as a whole.
    QTest::newRow("range wholly before birth")
        << QStringList { "critical", "10.1.1996", "1.1.1995", "1.3.1995" } << 1 << Text(2);
    QTest::newRow("range past 150 years")
        << QStringList { "kriticke", "1.1.1900", "1.1.2050", "1.1.2052" } << 1
        << Text(3, 1900, 2051);
    QTest::newRow("range to a day that is none")
        << QStringList { "critical", "10.1.1996", "1.1.1997", "30.2.1997" } << 1 << Text(1);

    // Usage errors: status 2.
    QTest::newRow("command in capitals") << QStringList { "DEN", "10.1.1996" } << 0 << QString();
    QTest::newRow("unknown command") << QStringList { "week", "10.1.1996" } << 2 << usage;
    QTest::newRow("no birth") << QStringList { "day" } << 2 << usage;
    QTest::newRow("ISO with short month") << QStringList { "day", "1996-1-10" } << 2 << usage;
    QTest::newRow("three-digit day") << QStringList { "day", "010.1.1996" } << 2 << usage;
    QTest::newRow("date as month")
        << QStringList { "month", "10.1.1996", "5.3.1996" } << 2 << usage;
    QTest::newRow("too many") << QStringList { "day", "10.1.1996", "5.3.1996", "6.3.1996" } << 2
                              << usage;
    QTest::newRow("unknown format")
        << QStringList { "day", "10.1.1996", "-f", "xml" } << 2 << usage;
    QTest::newRow("ics for a month")
        << QStringList { "month", "10.1.1996", "-f", "ics" } << 2 << usage;
    QTest::newRow("remind without ics")
        << QStringList { "critical", "10.1.1996", "--remind", "12" } << 2 << usage;
    QTest::newRow("remind not a number")
        << QStringList { "critical", "10.1.1996", "-f", "ics", "--remind", "soon" } << 2 << usage;
    QTest::newRow("unknown option") << QStringList { "day", "10.1.1996", "--colour" } << 2 << usage;
    QTest::newRow("unknown short option") << QStringList { "day", "10.1.1996", "-x" } << 2 << usage;
    QTest::newRow("two unknown options")
        << QStringList { "day", "--colour", "10.1.1996", "-x" } << 2 << usage;
    QTest::newRow("option without its value")
        << QStringList { "month", "10.1.1996", "--format" } << 2 << usage;
    QTest::newRow("value to a switch") << QStringList { "--help=all" } << 2 << usage;
    QTest::newRow("remind past a year")
        << QStringList { "critical", "10.1.1996", "-f", "ics", "--remind", "8785" } << 2 << usage;
    QTest::newRow("range ends before it starts")
        << QStringList { "critical", "10.1.1996", "5.3.1996", "4.3.1996" } << 2 << usage;
    QTest::newRow("chart without a file") << QStringList { "chart", "10.1.1996" } << 2 << usage;
    QTest::newRow("chart of an unknown kind")
        << QStringList { "graf", "10.1.1996", "-o", "chart.gif" } << 2 << usage;
    QTest::newRow("empty output file")
        << QStringList { "day", "10.1.1996", "-o", "" } << 2 << usage;
    QTest::newRow("two output files")
        << QStringList { "day", "10.1.1996", "-o", "a.txt", "-o", "b.txt" } << 2 << usage;
    QTest::newRow("format in capitals")
        << QStringList { "day", "10.1.1996", "-f", "JSON" } << 0 << QString();
    QTest::newRow("chart with a format")
        << QStringList { "chart", "10.1.1996", "-o", "c.png", "-f", "csv" } << 2 << usage;
    QTest::newRow("a4 with a png")
        << QStringList { "chart", "10.1.1996", "-o", "c.png", "--a4" } << 2 << usage;
    QTest::newRow("a4 with an svg")
        << QStringList { "chart", "10.1.1996", "-o", "c.svg", "--a4" } << 2 << usage;
    QTest::newRow("a4 with a text command")
        << QStringList { "day", "10.1.1996", "--a4" } << 2 << usage;
}

void TestCompanionExit::statuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    const Outcome outcome = Run(arguments);
    QCOMPARE(outcome.Status, status);
    if (status == 0) {
        QVERIFY(!outcome.Out.isEmpty());
        QCOMPARE(outcome.Err, QByteArray());
        return;
    }
    QCOMPARE(outcome.Out, QByteArray());
    if (status == 1) {
        // The window's text last; before it, at most the command's own word on the date.
        const QStringList lines = QString::fromUtf8(outcome.Err).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(lines.size() - 2), error);
        QVERIFY2(lines.size() <= 3, outcome.Err);
        QVERIFY2(lines.size() == 2 || lines.first().startsWith(QLatin1String("cyklometrika: ")),
                 outcome.Err);
    } else
        VerifyCzechUsageError(outcome.Err);
}

void TestCompanionExit::saysWhatIsWrong_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("first"); // the first line of standard error
    const auto row
        = [](const char *name, const QStringList &arguments, int status, const auto &first) {
              QTest::newRow(name) << arguments << status << QString(first); // from UTF-8
          };
    row("31 February", { "day", "10.1.1996", "31.2.2000" }, 1,
        "cyklometrika: „31.2.2000“ není den: únor 2000 má 29 dní");
    row("29 February 1901", { "den", "10.1.1996", "29.2.1901" }, 1,
        "cyklometrika: „29.2.1901“ není den: únor 1901 má 28 dní");
    row("birth on 31 April", { "den", "31.4.1996" }, 1,
        "cyklometrika: „31.4.1996“ není den: duben 1996 má 30 dní");
    row("month 13", { "month", "10.1.1996", "13.2000" }, 1,
        "cyklometrika: „13.2000“ není měsíc: měsíc 13 neexistuje");
    row("a range from no day", { "critical", "10.1.2026", "31.13.2026" }, 1,
        "cyklometrika: „31.13.2026“ není den: měsíc 13 neexistuje");
    row("year 0", { "day", "1.1.0000" }, 1,
        "cyklometrika: „1.1.0000“ není den: rok 0 neexistuje (roky jdou od 1 do 9999)");
    row("two-digit year", { "day", "10.1.96" }, 2,
        "cyklometrika: „10.1.96“ má rok 96; napište rok celý (1996, nebo 0096 pro rok 96)");
    row("negative date", { "day", "-1.1.2000" }, 2,
        "cyklometrika: „-1.1.2000“ není datum (D.M.RRRR nebo RRRR-MM-DD)");
    // The same text on every system, whatever the people file's place.
    row("neither a date nor a name", { "day", "zítra" }, 2,
        "cyklometrika: „zítra“ není datum (D.M.RRRR nebo RRRR-MM-DD) ani jméno ze souboru lidí");
    row("unknown Czech command", { "kriticky", "10.1.1996" }, 2,
        "cyklometrika: neznámý příkaz „kriticky“; myslíte „kriticke“?");
    row("long argument", { "day", QString(100, QLatin1Char('1')) }, 2,
        QStringLiteral("cyklometrika: „%1…“ není datum (D.M.RRRR nebo RRRR-MM-DD)")
            .arg(QString(59, QLatin1Char('1'))));
    row("before birth", { "day", "10.1.1996", "9.1.1996" }, 1,
        "cyklometrika: den 9.1.1996 je před narozením 10.1.1996");
    row("151 years", { "day", "31.12.1850", "1.1.2001" }, 1,
        "cyklometrika: rok 2001 je víc než 150 let po roce narození 1850");
    row("the year 10000", { "critical", "10.1.1996", "10000" }, 1,
        "cyklometrika: „1.1.10000“ není den: roky jdou jen do 9999");
    row("remind -1", { "critical", "10.1.1996", "-f", "ics", "--remind", "-1" }, 2,
        "cyklometrika: --remind chce celé hodiny před dnem (0 až 8784) nebo čas dne (7:00)");
    row("too many", { "day", "10.1.1996", "5.3.1996", "6.3.1996" }, 2,
        "cyklometrika: příliš mnoho argumentů pro příkaz day: „6.3.1996“ je navíc");
    row("a spreadsheet's file", { "day", "10.1.1996", "-o", "report.xlsx" }, 2,
        "cyklometrika: soubor „report.xlsx“: formát .xlsx cyklometrika nepíše; umí .txt, .csv, "
        ".json a .ics");
    row("range from before birth", { "critical", "10.1.1996", "1.1.1996", "1.3.1996" }, 0,
        "cyklometrika: rozsah začíná dnem narození 10.1.1996");
    row("the birth month", { "mesic", "10.1.1996", "1.1996" }, 0,
        "cyklometrika: měsíc narození začíná dnem narození 10.1.1996");
}

void TestCompanionExit::saysWhatIsWrong()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, first);
    const Outcome outcome = Run(arguments);
    QCOMPARE(outcome.Status, status);
    QCOMPARE(QString::fromUtf8(outcome.Err).section(QLatin1Char('\n'), 0, 0), first);
    QCOMPARE(outcome.Out.isEmpty(), status != 0);
    if (status == 0) // the listing starts at the birth day
        QVERIFY2(outcome.Out.contains("\n10.1.1996 "), outcome.Out);
}

void TestCompanionExit::helpFitsEightyColumns_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("lines"); // at most; 0: any number
    QTest::addColumn<QStringList>("names"); // each must be there
    QTest::newRow("--help") << QStringList { "--help" } << 0
                            << QStringList { "day",       "den",      "month",
                                             "mesic",     "critical", "kriticke",
                                             "chart",     "graf",     "--format",
                                             "--output",  "--remind", "--name",
                                             "--excel",   "--merge",  "--help",
                                             "--version", "-o -",     "--only-critical",
                                             "people",    "--all",    "--replace" };
    QTest::newRow("alone") << QStringList {} << 24 << QStringList { "den", "--help" };
    for (const char *command : { "day", "mesic", "KRITICKE", "graf", "lide" })
        QTest::addRow("%s -h", command)
            << QStringList { command, "-h" } << 24 << QStringList { "Použití: cyklometrika" };
}

// Counted in characters, not bytes: every Czech letter is two bytes of UTF-8.
void TestCompanionExit::helpFitsEightyColumns()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, lines);
    QFETCH(QStringList, names);
    const Outcome outcome = Run(arguments);
    QCOMPARE(outcome.Status, 0);
    const QString help = QString::fromUtf8(outcome.Out);
    QVERIFY(help.endsWith(QLatin1Char('\n')));
    for (const QString &line : help.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 80, qPrintable(line));
    QVERIFY2(lines == 0 || help.count(QLatin1Char('\n')) <= lines, qPrintable(help));
    for (const QString &name : names)
        QVERIFY2(help.contains(name), qPrintable(name));
}

void TestCompanionExit::outputFileThatCannotBeWritten_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("folderMissing"); // else a folder stands at the file's path
    QTest::addColumn<QString>("error"); // standard error after the file's name, in Czech

    const QStringList csv { "month", "10.1.1996", "-f", "csv" };
    const QStringList ics { "critical", "10.1.1996", "-f", "ics" };
    const QStringList picture { "chart", "10.1.1996" };
    const QString missing = QStringLiteral("soubor nebo adresář neexistuje\n");
    const QString folder = QStringLiteral("je to adresář\n");
    QTest::newRow("csv, no folder") << csv << true << "“ nelze zapsat: " + missing;
    QTest::newRow("ics, no folder") << ics << true << "“ nelze zapsat: " + missing;
    QTest::newRow("picture, no folder") << picture << true << "“ nelze nakreslit: " + missing;
    QTest::newRow("csv onto a folder") << csv << false << "“ nelze zapsat: " + folder;
    QTest::newRow("picture onto a folder") << picture << false << "“ nelze nakreslit: " + folder;
}

void TestCompanionExit::outputFileThatCannotBeWritten()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, folderMissing);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString name = arguments.first() == QLatin1String("chart") ? QStringLiteral("out.png")
                                                                     : QStringLiteral("out.dat");
    const QString path
        = dir.filePath(folderMissing ? QStringLiteral("no such folder/") + name : name);
    QVERIFY(folderMissing || QDir(dir.path()).mkdir(name));
    const Outcome outcome = Run(arguments << QStringLiteral("-o") << path);
    QCOMPARE(outcome.Status, 3);
    QCOMPARE(outcome.Out, QByteArray());
    const QString err = QString::fromUtf8(outcome.Err);
    QVERIFY2(err.startsWith(QStringLiteral("cyklometrika: ")), outcome.Err);
    QVERIFY2(err.endsWith(path + error), outcome.Err);
    QCOMPARE(QFileInfo(path).isDir(), !folderMissing);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestCompanionExit::outputFileHoldsWhatStandardOutputWould()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("březen.json"));
    const QStringList arguments { "month", "10.1.1996", "3.1996", "-f", "json" };
    const Outcome toFile = Run(QStringList(arguments) << QStringLiteral("-o") << path);
    QCOMPARE(toFile.Status, 0);
    QCOMPARE(toFile.Out, QByteArray());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Run(arguments).Out);
}

#ifndef Q_OS_WIN
// Far more than a pipe holds, into a reader that takes one byte and goes.
void TestCompanionExit::readerThatStopsEarlyIsNoError()
{
    QProcess writer;
    QProcess reader;
    writer.setStandardOutputProcess(&reader);
    reader.start(QStringLiteral("head"), { QStringLiteral("-c"), QStringLiteral("1") });
    writer.start(QStringLiteral(CYKLOMETRIKA),
                 { QStringLiteral("critical"), QStringLiteral("1.1.1996"),
                   QStringLiteral("1.1.1996"), QStringLiteral("31.12.2140") });
    QVERIFY(writer.waitForFinished(30000) && reader.waitForFinished(30000));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(writer.readAllStandardError(), QByteArray());
}
#endif

#ifndef Q_OS_WIN // scripts/windows-check reads the Windows executable's imports
// The text commands must start without the chart and widget libraries.
void TestCompanionExit::textCommandsDoNotLinkTheChartLibraries()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  { QStringLiteral("-d"), QStringLiteral(CYKLOMETRIKA) });
    if (!readelf.waitForStarted())
        QSKIP("readelf is not installed");
    QVERIFY(readelf.waitForFinished());
    const QByteArray dynamic = readelf.readAllStandardOutput();
    QVERIFY(dynamic.contains("libQt6Core"));
    for (const char *library : { "libQt6Gui", "libQt6Widgets", "libQt6Charts", "libQt6Svg" })
        QVERIFY2(!dynamic.contains(library), library);
}
#endif

QTEST_GUILESS_MAIN(TestCompanionExit)
#include "tst_companion_exit.moc"
