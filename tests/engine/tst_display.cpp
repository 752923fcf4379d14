// SPDX-License-Identifier: GPL-3.0-or-later
// The display: the message catalogue, ResetDisplay and the chart steps, and whole
// confirmations recorded end to end through Display and the recorders.
#include "calc/chain.h"
#include "display/catalogue.h"
#include "display/display.h"
#include "engine_rows.h"
#include "lang/catalogue.h"
#include "log_compare.h"
#include "qt_rows.h"
#include "tests/support/rig.h"

#include <QTest>
#include <cmath>
#include <initializer_list>

using namespace cykl;
using namespace cykl::test;

namespace {

const QStringList ResetLines = { "Graph1 38 := i16 1", "Graph1 7 := i16 2", "Graph2 visible false",
                                 "Command1 caption 'Potvrzeni dat'" };

QString BoxLine(int style, const QString &text)
{
    return QString("box %1 'Cyklometrika' '%2'").arg(style).arg(text);
}

// What DrawCycles writes for a month of the given length whose first day is evaluated at
// firstT, up to and including Graph1's draw request.
QStringList MonthChartLines(int days, double firstT)
{
    QStringList lines = { QString("Graph1 30 := i16 %1").arg(days), "Graph1 31 := i16 3",
                          "Graph1 1 := i16 1", "Graph1 24 := i16 1", "Graph2 24 := i16 1" };
    for (int i = 1; i <= days; ++i)
        lines << QString("Graph1 25 := i16 %1").arg(i);
    for (const int period : { PhysicalPeriod, EmotionalPeriod, IntellectualPeriod }) {
        lines << QString("Graph1 30 ? %1").arg(days);
        for (int j = 1; j <= days; ++j)
            lines << QString("Graph1 16 := f64 %1").arg(CycleValue(firstT + j - 1, period));
    }
    return lines << "Graph1 19 := i16 6"
                 << "Graph1 7 := i16 2";
}

QStringList DayChartLines(const QString &label, int p, int e, int i)
{
    return { QString("Graph2 25 := str '%1'").arg(label),
             "Graph2 30 := i16 3",
             "Graph2 31 := i16 1",
             "Graph2 1 := i16 1",
             QString("Graph2 16 := f64 %1").arg(p),
             QString("Graph2 16 := f64 %1").arg(e),
             QString("Graph2 16 := f64 %1").arg(i),
             "Graph2 19 := i16 4",
             "Graph2 7 := i16 2",
             "Graph2 visible true" };
}

int CountLines(const QStringList &lines, const QString &prefix)
{
    int n = 0;
    for (const QString &line : lines)
        n += line.startsWith(prefix) ? 1 : 0;
    return n;
}

} // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private slots:
    void pluralRule_data() { AddRows(PluralRows()); }
    void pluralRule() { Expect(CheckRow(PluralRows())); }
    void catalogue_data();
    void catalogue();
    void placeholderUsedTwice();
    void codesOutsideTheCatalogueShowNothing();
    void englishDisplay();
    void spanMessageNumber_data();
    void spanMessageNumber();
    void resetDisplay();
    void workedExample();
    void targetEqualsBirth();
    void rejectedInputResetsTheDisplay_data();
    void rejectedInputResetsTheDisplay();
    void monthLength_data();
    void monthLength();
    void valueLoopsRunToTheReportedPointCount_data();
    void valueLoopsRunToTheReportedPointCount();
    void dayLabel_data();
    void dayLabel();
    void repeatedConfirmationGivesTheSameLog();
    void displayServesTheWindowFields();
};

void TestDisplay::catalogue_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("resets");
    const auto row = [](int code, int style, const char *text, bool resets) {
        QTest::addRow("%d", code) << code << style << QString::fromUtf8(text) << resets;
    };
    row(1, 16, "S neprícetnými a nesvéprávnými osobami jako jste Vy, odmítám spolupracovat !",
        true);
    row(2, 48,
        "V udaný den jste ješte nebyl(a) na svete a nechápu proto, proc Vás tak zajímá Vaše "
        "kondice. ",
        true);
    row(3, 48, "151 let by nevydržel ani ten nejodolnejší azerbajdžánský dedoušek !", true);
    row(4, 64, "Dnešní den je pro Vás kritický, pokud se týká fyzické kondice.", false);
    row(5, 64, "Dnes prožíváte citovou krizi !", false);
    row(6, 64, "Pozor na unáhlená rozhodnutí; Vaše inteligence je v krizi !", false);
    row(7, 64, "Dnes jste na vrcholu svých fyzických sil.", false);
    row(8, 64, "Dnes jste v hlubokém útlumu svých fyzických schopností.", false);
    row(9, 64, "Práve dnes jste schopen(na) nejhlubších citových prožitku.", false);
    row(10, 64, "Vuči okolí jste dnes ponekud nevnímavý(á) (nechci použít výrazu tupý(á)) !",
        false);
    row(11, 64,
        "Dnes Vám jde myšlení samo, že? Však také Vaše intelektuální schopnosti nyní ukazují na "
        "Nobelovu cenu !",
        false);
    row(12, 64, "Obávám se, že si dnes jakýmkoliv premýšlením nanejvýš ublížíte.", false);
}

void TestDisplay::catalogue()
{
    QFETCH(int, code);
    QFETCH(int, style);
    QFETCH(QString, text);
    QFETCH(bool, resets);
    ConfirmationRig rig;
    rig.State.InputDates.BirthYear = 1850;
    rig.State.InputDates.TargetYear = 2001;
    rig.Screen.ShowMessage(static_cast<MessageCode>(code));
    QStringList expected = { BoxLine(style, text) };
    if (resets)
        expected << ResetLines;
    QCOMPARE(ToQStringList(rig.Log.Lines()), expected);
}

void TestDisplay::codesOutsideTheCatalogueShowNothing()
{
    ConfirmationRig rig;
    for (const MessageCode code : std::initializer_list<MessageCode> { 0, 13, -1, 32767, -32768 })
        rig.Screen.ShowMessage(code);
    QCOMPARE(rig.Log.Size(), std::size_t(0));
}

// The same boxes and captions in English: the catalogue's forms, the years in their place.
void TestDisplay::englishDisplay()
{
    ConfirmationRig rig;
    Display english {
        rig.State, rig.Fields, rig.Graph1, rig.Graph2, rig.Box, rig.Command1, Lang::En
    };
    rig.State.InputDates.BirthYear = 1850;
    rig.State.InputDates.TargetYear = 2001;
    english.ShowMessage(3);
    english.SetConfirmCaption(CaptionConfirmed);
    const auto text = [](std::string_view said) {
        return QString::fromUtf8(said.data(), qsizetype(said.size()));
    };
    const QStringList lines = ToQStringList(rig.Log.Lines());
    QCOMPARE(lines.at(0),
             QString("box 48 '%1' '%2'")
                 .arg(text(Say("message.title", Lang::En)),
                      text(Say("message.3", Lang::En, { "151" }))));
    QCOMPARE(lines.at(4), "Command1 caption '" + text(Say("button.unconfirmed", Lang::En)) + "'");
    QCOMPARE(lines.at(5), "Command1 caption '" + text(Say("button.confirmed", Lang::En)) + "'");
}

void TestDisplay::spanMessageNumber_data()
{
    QTest::addColumn<double>("birthYear");
    QTest::addColumn<double>("targetYear");
    QTest::addColumn<QString>("number");
    QTest::newRow("151") << 1850.0 << 2001.0 << "151";
    QTest::newRow("negative birth year") << -200.0 << 1980.0 << "2180";
    QTest::newRow("largest years, exact")
        << -9007199254740991.0 << 9007199254740990.0 << "18014398509481981";
}

void TestDisplay::spanMessageNumber()
{
    QFETCH(double, birthYear);
    QFETCH(double, targetYear);
    QFETCH(QString, number);
    MessageBuffer buffer;
    const std::string_view text = ComposeMessage(*FindMessage(3), birthYear, targetYear, buffer);
    QCOMPARE(QString::fromUtf8(text.data(), qsizetype(text.size())),
             number
                 + QString::fromUtf8(
                     " let by nevydržel ani ten nejodolnejší azerbajdžánský dedoušek !"));
}

void TestDisplay::resetDisplay()
{
    ConfirmationRig rig;
    rig.Screen.ResetDisplay();
    QCOMPARE(ToQStringList(rig.Log.Lines()), ResetLines);
    QVERIFY(!rig.Graph2.Visible());
    QCOMPARE(rig.Command1.Caption(), CaptionUnconfirmed);
}

void TestDisplay::workedExample()
{
    ConfirmationRig rig;
    rig.Confirm("10", "1", "1996", "5", "3", "1996");
    const QStringList expected = MonthChartLines(31, 51) + DayChartLines(" 5/3", 63, -23, -87)
        + QStringList { QString::fromUtf8("Command1 caption 'Údaje platí'") };
    QCOMPARE(ToQStringList(rig.Log.Lines()), expected);
    // Day 5 of the physical curve is the target day.
    QCOMPARE(expected.indexOf("Graph1 16 := f64 63"), 5 + 31 + 1 + 4);
}

void TestDisplay::targetEqualsBirth()
{
    ConfirmationRig rig;
    rig.Confirm("15", "6", "1980", "15", "6", "1980");
    const QStringList expected = MonthChartLines(30, -14) + DayChartLines(" 15/6", 0, 0, 0)
        + QStringList {
              BoxLine(64,
                      QString::fromUtf8(
                          "Dnešní den je pro Vás kritický, pokud se týká fyzické kondice.")),
              BoxLine(64, QString::fromUtf8("Dnes prožíváte citovou krizi !")),
              BoxLine(
                  64,
                  QString::fromUtf8("Pozor na unáhlená rozhodnutí; Vaše inteligence je v krizi !")),
              QString::fromUtf8("Command1 caption 'Údaje platí'"),
          };
    QCOMPARE(ToQStringList(rig.Log.Lines()), expected);
}

void TestDisplay::rejectedInputResetsTheDisplay_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("text");
    const QString one = QString::fromUtf8(
        "S neprícetnými a nesvéprávnými osobami jako jste Vy, odmítám spolupracovat !");
    QTest::newRow("empty year") << QStringList { "1", "1", "", "1", "1", "2000" } << 16 << one;
    QTest::newRow("month 13") << QStringList { "1", "13", "1980", "1", "1", "2000" } << 16 << one;
    QTest::newRow("day beyond its month")
        << QStringList { "31", "4", "1980", "1", "1", "2000" } << 16 << one;
    QTest::newRow("pasted fraction")
        << QStringList { "1", "0.4", "1980", "1", "1", "2000" } << 16 << one;
    QTest::newRow("target before birth")
        << QStringList { "2", "1", "1980", "1", "1", "1980" } << 48
        << QString::fromUtf8("V udaný den jste ješte nebyl(a) na svete a nechápu proto, proc Vás "
                             "tak zajímá Vaše kondice. ");
    QTest::newRow("over 150 years")
        << QStringList { "1", "1", "1850", "1", "1", "2001" } << 48
        << QString::fromUtf8("151 let by nevydržel ani ten nejodolnejší azerbajdžánský dedoušek !");
}

void TestDisplay::rejectedInputResetsTheDisplay()
{
    QFETCH(QStringList, fields);
    QFETCH(int, style);
    QFETCH(QString, text);
    ConfirmationRig rig;
    rig.Confirm("10", "1", "1996", "5", "3", "1996"); // a confirmed display first
    QVERIFY(rig.Graph2.Visible());
    rig.Log.Clear();
    const auto f = [&](int i) { return fields[i].toStdString(); };
    rig.Confirm(f(0), f(1), f(2), f(3), f(4), f(5));
    QCOMPARE(ToQStringList(rig.Log.Lines()), QStringList { BoxLine(style, text) } + ResetLines);
    QVERIFY(!rig.Graph2.Visible());
    QCOMPARE(rig.Command1.Caption(), CaptionUnconfirmed);
}

void TestDisplay::monthLength_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("points");
    QTest::newRow("February 2000") << "2"
                                   << "2000" << 29;
    QTest::newRow("February 2001") << "2"
                                   << "2001" << 28;
    QTest::newRow("February 1900") << "2"
                                   << "1900" << 29;
    QTest::newRow("April 2001") << "4"
                                << "2001" << 30;
    QTest::newRow("December 2001") << "12"
                                   << "2001" << 31;
}

void TestDisplay::monthLength()
{
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, points);
    ConfirmationRig rig;
    rig.Confirm("1", "1", "1890", QString::number(points).toStdString(), month.toStdString(),
                year.toStdString());
    const QStringList lines = ToQStringList(rig.Log.Lines());
    QCOMPARE(lines.first(), QString("Graph1 30 := i16 %1").arg(points));
    QCOMPARE(CountLines(lines, "Graph1 25 := i16 "), points);
    QVERIFY(lines.contains(QString("Graph1 25 := i16 %1").arg(points)));
    QCOMPARE(CountLines(lines, "Graph1 16 := f64 "), 3 * points);
    QCOMPARE(lines.filter("Graph2 25").first(),
             QString("Graph2 25 := str ' %1/%2'").arg(points).arg(month));
}

void TestDisplay::valueLoopsRunToTheReportedPointCount_data()
{
    QTest::addColumn<double>("reported");
    QTest::addColumn<int>("writesPerSet");
    QTest::newRow("fewer points") << 10.0 << 10;
    QTest::newRow("more points than the month") << 40.0 << 31;
    QTest::newRow("beyond 16 bits") << 1e9 << 31;
    QTest::newRow("negative") << -5.0 << 0;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void TestDisplay::valueLoopsRunToTheReportedPointCount()
{
    QFETCH(double, reported);
    QFETCH(int, writesPerSet);
    ConfirmationRig rig;
    rig.Graph1.ReportPoints(reported);
    rig.Confirm("10", "1", "1996", "5", "3", "1996");
    const QStringList lines = ToQStringList(rig.Log.Lines());
    QCOMPARE(CountLines(lines, "Graph1 16 := "), 3 * writesPerSet);
    QCOMPARE(CountLines(lines, "Graph1 30 ? "), 3);
}

void TestDisplay::dayLabel_data()
{
    QTest::addColumn<double>("day");
    QTest::addColumn<double>("month");
    QTest::addColumn<QString>("label");
    QTest::newRow("15 December") << 15.0 << 12.0 << " 15/12";
    QTest::newRow("5 March") << 5.0 << 3.0 << " 5/3";
    QTest::newRow("31 January") << 31.0 << 1.0 << " 31/1";
}

void TestDisplay::dayLabel()
{
    QFETCH(double, day);
    QFETCH(double, month);
    QFETCH(QString, label);
    ConfirmationRig rig;
    rig.Screen.FillDayChart(day, month, 1, 2, 3);
    QCOMPARE(ToQStringList(rig.Log.Lines()), DayChartLines(label, 1, 2, 3));

    rig.Log.Clear(); // typed with leading zeros
    const auto twoDigits
        = [](double v) { return QString("%1").arg(int(v), 2, 10, QChar('0')).toStdString(); };
    rig.Confirm("1", "1", "1980", twoDigits(day), twoDigits(month), "2000");
    QVERIFY(ToQStringList(rig.Log.Lines()).contains(QString("Graph2 25 := str '%1'").arg(label)));
}

void TestDisplay::repeatedConfirmationGivesTheSameLog()
{
    ConfirmationRig rig;
    rig.Confirm("29", "2", "1996", "31", "7", "2001");
    const auto first = rig.Log.Lines();
    rig.Log.Clear();
    rig.Confirm("29", "2", "1996", "31", "7", "2001");
    QCOMPARE(ToQStringList(rig.Log.Lines()), ToQStringList(first));
}

void TestDisplay::displayServesTheWindowFields()
{
    ConfirmationRig rig;
    rig.Fields = FixedFields("a", "b", "c", "d", "e", "f");
    QCOMPARE(rig.Screen.FieldText(1), std::string("a"));
    QCOMPARE(rig.Screen.FieldText(6), std::string("f"));
}

// A placeholder may stand more than once (a help's indent on every usage line): the text is
// filled whole however long its argument.
void TestDisplay::placeholderUsedTwice()
{
    const std::string indent(300, ' ');
    const std::string text = Say("diary.help", Lang::Cs, { "diary", indent });
    const std::string_view pattern = Say("diary.help", Lang::Cs);
    QVERIFY(text.size() > pattern.size() + 2 * indent.size());
    QCOMPARE(text.substr(text.size() - 12), std::string(pattern.substr(pattern.size() - 12)));
}

QTEST_APPLESS_MAIN(TestDisplay)
#include "tst_display.moc"
