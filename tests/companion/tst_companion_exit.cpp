// SPDX-License-Identifier: GPL-3.0-or-later
// The real command as a process: exit statuses, refusals with the window's texts on
// standard error and nothing on standard output, usage errors, output that cannot be
// written; and that the text commands never load the chart libraries.
#include "companion/engine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace cykl;
using namespace cykl::companion;

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
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
    void helpFitsEightyColumns();
    void outputFileThatCannotBeWritten_data();
    void outputFileThatCannotBeWritten();
    void outputFileHoldsWhatStandardOutputWould();
#ifndef Q_OS_WIN
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
    QTest::newRow("help") << QStringList { "--help" } << 0 << QString();
    QTest::newRow("version") << QStringList { "--version" } << 0 << QString();

    // Dates of the right form that the window refuses: its message, status 1.
    QTest::newRow("31 February") << QStringList { "day", "10.1.1996", "31.2.1996" } << 1 << Text(1);
    QTest::newRow("29.2.1997") << QStringList { "day", "10.1.1996", "29.2.1997" } << 1 << Text(1);
    QTest::newRow("day 0") << QStringList { "day", "10.1.1996", "0.1.1996" } << 1 << Text(1);
    QTest::newRow("birth month 0")
        << QStringList { "day", "10.0.1996", "5.3.1996" } << 1 << Text(1);
    QTest::newRow("month 13") << QStringList { "month", "10.1.1996", "13.1996" } << 1 << Text(1);
    QTest::newRow("year 0") << QStringList { "day", "1.1.0", "5.3.1996" } << 1 << Text(1);
    QTest::newRow("year 10000") << QStringList { "day", "10.1.1996", "1.1.10000" } << 1 << Text(1);
    QTest::newRow("before birth") << QStringList { "day", "10.1.1996", "9.1.1996" } << 1 << Text(2);
    QTest::newRow("month before birth")
        << QStringList { "mesic", "10.1.1996", "1995-12" } << 1 << Text(2);
    QTest::newRow("151 years") << QStringList { "day", "31.12.1850", "1.1.2001" } << 1
                               << Text(3, 1850, 2001);
    QTest::newRow("chart of a refused day")
        << QStringList { "chart", "10.1.1996", "31.2.1996", "-o", "x.png" } << 1 << Text(1);
    // A range that reaches a refused day is refused as a whole.
    QTest::newRow("range from before birth")
        << QStringList { "critical", "10.1.1996", "1.1.1996", "1.3.1996" } << 1 << Text(2);
    QTest::newRow("range past 150 years")
        << QStringList { "kriticke", "1.1.1900", "1.1.2050", "1.1.2052" } << 1
        << Text(3, 1900, 2051);
    QTest::newRow("range to a day that is none")
        << QStringList { "critical", "10.1.1996", "1.1.1997", "30.2.1997" } << 1 << Text(1);
    QTest::newRow("default range past year 9999")
        << QStringList { "critical", "1.1.9900", "1.6.9999" } << 1 << Text(1);

    // Usage errors: status 2.
    QTest::newRow("no arguments") << QStringList {} << 2 << usage;
    QTest::newRow("unknown command") << QStringList { "week", "10.1.1996" } << 2 << usage;
    QTest::newRow("no birth") << QStringList { "day" } << 2 << usage;
    QTest::newRow("not a date") << QStringList { "day", "yesterday" } << 2 << usage;
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
    QCOMPARE(outcome.status, status);
    if (status == 0) {
        QVERIFY(!outcome.out.isEmpty());
        QCOMPARE(outcome.err, QByteArray());
        return;
    }
    QCOMPARE(outcome.out, QByteArray());
    if (status == 1)
        QCOMPARE(QString::fromUtf8(outcome.err), error + QLatin1Char('\n'));
    else
        VerifyCzechUsageError(outcome.err);
}

// Counted in characters, not bytes: every Czech letter is two bytes of UTF-8.
void TestCompanionExit::helpFitsEightyColumns()
{
    const Outcome outcome = Run({ QStringLiteral("--help") });
    QCOMPARE(outcome.status, 0);
    const QString help = QString::fromUtf8(outcome.out);
    QVERIFY(help.endsWith(QLatin1Char('\n')));
    for (const QString &line : help.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 80, qPrintable(line));
    for (const char *name : { "day", "den", "month", "mesic", "critical", "kriticke", "chart",
                              "graf", "--format", "--output", "--remind", "--help", "--version" })
        QVERIFY2(help.contains(QLatin1String(name)), name);
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
    const QString path = dir.filePath(folderMissing ? QStringLiteral("no such folder/out.png")
                                                    : QStringLiteral("out.png"));
    QVERIFY(folderMissing || QDir(dir.path()).mkdir(QStringLiteral("out.png")));
    const Outcome outcome = Run(arguments << QStringLiteral("-o") << path);
    QCOMPARE(outcome.status, 3);
    QCOMPARE(outcome.out, QByteArray());
    const QString err = QString::fromUtf8(outcome.err);
    QVERIFY2(err.startsWith(QStringLiteral("cyklometrika: ")), outcome.err);
    QVERIFY2(err.endsWith(path + error), outcome.err);
    QCOMPARE(QFileInfo(path).isDir(), !folderMissing);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestCompanionExit::outputFileHoldsWhatStandardOutputWould()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("březen.json"));
    const QStringList arguments { "month", "10.1.1996", "3.1996", "-f", "json" };
    const Outcome toFile = Run(QStringList(arguments) << QStringLiteral("-o") << path);
    QCOMPARE(toFile.status, 0);
    QCOMPARE(toFile.out, QByteArray());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Run(arguments).out);
}

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
