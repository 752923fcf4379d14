// SPDX-License-Identifier: GPL-3.0-or-later
// The chart in characters read back: every day's three values decoded from what is drawn
// agree with the engine's within one character cell, over ten years of months, in both
// kinds of characters and two widths; where colour goes; the command around it.
#include "calendar/engine.h"
#include "companion/command.h"
#include "companion/commands/chart_text.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QRegularExpression>
#include <QTest>
#include <array>
#include <cmath>

using namespace cykl;
using namespace cykl::companion;

namespace {

// The strokes that leave a cell to the right, by curve: where a day's value sits.
const std::array<QString, 3> RightArms { QStringLiteral("─╭╰"), QStringLiteral("━┏┗"),
                                         QStringLiteral("═╔╚") };

struct Decoded {
    QStringList Plot; // the plot's rows, without the value axis
    double Step = 0; // the value of one row
    QList<qsizetype> Days; // each day's column, by the ticks under it
    qsizetype Chosen = -1; // the column of the triangle
    QStringList Bars; // the day's three bars
    qsizetype Widest = 0; // the longest line
};

std::array<double, 3> At(const MonthValues &m, qsizetype day)
{
    const auto k = std::size_t(day);
    return { m.Physical.at(k), m.Emotional.at(k), m.Intellectual.at(k) };
}

Decoded Read(const QString &chart)
{
    static const QRegularExpression escape(QStringLiteral("\x1b\\[[0-9;]*m"));
    const QStringList lines = QString(chart).remove(escape).split(QLatin1Char('\n'));
    Decoded d;
    const qsizetype top = lines.indexOf(QRegularExpression(QStringLiteral(" +100┤.*")));
    const qsizetype bottom = lines.indexOf(QRegularExpression(QStringLiteral("-100┤.*")));
    for (qsizetype i = top; i <= bottom; ++i)
        d.Plot.append(lines[i].mid(5));
    d.Step = 200.0 / double(bottom - top);
    const QString axis = lines.value(bottom + 1).mid(5);
    for (qsizetype x = 0; x < axis.size(); ++x) {
        if (axis[x] == u'┬' || axis[x] == u'▲')
            d.Days.append(x);
        if (axis[x] == u'▲')
            d.Chosen = d.Days.size() - 1;
    }
    d.Bars = lines.mid(lines.size() - 4, 3);
    for (const QString &line : lines)
        d.Widest = std::max(d.Widest, line.size());
    return d;
}

// Values of the braille dots in the right dot column of a cell column, top to bottom.
QList<double> DotValues(const Decoded &d, qsizetype x)
{
    static constexpr std::array<int, 4> RightDots { 0x08, 0x10, 0x20, 0x80 };
    QList<double> values;
    for (qsizetype r = 0; r < d.Plot.size(); ++r) {
        const int bits = int(d.Plot[r][x].unicode()) - 0x2800;
        for (int dot = 0; dot < 4; ++dot) {
            if (bits >= 0 && bits < 256 && (bits & RightDots.at(std::size_t(dot))) != 0)
                values.append(100 - (double(r) + (dot - 1.5) / 4) * d.Step);
        }
    }
    return values;
}

bool Near(const QList<double> &values, double value, double within)
{
    return std::any_of(values.begin(), values.end(),
                       [&](double v) { return std::abs(v - value) <= within; });
}

// A curve's value from its stroke in the day's column; where another curve's stroke covers
// it, that stroke must lie within one cell of it.
void CheckStrokes(const Decoded &d, const MonthValues &m, qsizetype day)
{
    const qsizetype x = d.Days[day];
    const auto values = At(m, day);
    for (std::size_t k = 0; k < 3; ++k) {
        QList<double> found;
        for (qsizetype r = 0; r < d.Plot.size(); ++r) {
            if (RightArms.at(k).contains(d.Plot[r][x]))
                found.append(100 - double(r) * d.Step);
        }
        QVERIFY(found.size() <= 1);
        if (found.isEmpty()) {
            const auto r = qsizetype(std::lround((100 - values.at(k)) / d.Step));
            QVERIFY2((RightArms[0] + RightArms[1] + RightArms[2]).contains(d.Plot[r][x]),
                     qPrintable(QStringLiteral("day %1 curve %2").arg(day + 1).arg(k)));
        } else {
            QVERIFY(std::abs(found[0] - values.at(k)) <= d.Step);
        }
    }
}

// Dots both ways: each value has a dot within a cell, each dot a value.
void CheckDots(const Decoded &d, const MonthValues &m, qsizetype day)
{
    const auto values = At(m, day);
    const QList<double> dots = DotValues(d, d.Days[day]);
    for (const double value : values)
        QVERIFY2(Near(dots, value, d.Step), qPrintable(QStringLiteral("day %1").arg(day + 1)));
    for (const double dot : dots)
        QVERIFY(Near({ values.begin(), values.end() }, dot, d.Step));
}

void CheckBars(const Decoded &d, const DayValues3 &values)
{
    const std::array<double, 3> day { values.Physical, values.Emotional, values.Intellectual };
    for (std::size_t k = 0; k < 3; ++k) {
        const QString &bar = d.Bars.at(qsizetype(k));
        const qsizetype middle = bar.indexOf(u'│');
        const double half = double(bar.size() - middle - 1 - 5);
        const double sign = bar.lastIndexOf(u'█') > middle ? 1 : -1;
        QVERIFY(std::abs(sign * double(bar.count(u'█')) * 100 / half - day.at(k)) <= 100 / half);
        QCOMPARE(bar.right(5).trimmed().toInt(), int(day.at(k)));
    }
}

} // namespace

class TestCompanionChartText : public QObject {
    Q_OBJECT

private slots:
    void decodesToEngineValues_data();
    void decodesToEngineValues();
    void colourRules_data();
    void colourRules();
    void commandLines_data();
    void commandLines();
};

void TestCompanionChartText::decodesToEngineValues_data()
{
    QTest::addColumn<bool>("braille");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("colour");
    QTest::newRow("box, 80") << false << 80 << false;
    QTest::newRow("box, 40, colour") << false << 40 << true;
    QTest::newRow("braille, 80, colour") << true << 80 << true;
    QTest::newRow("braille, 40") << true << 40 << false;
}

void TestCompanionChartText::decodesToEngineValues()
{
    QFETCH(bool, braille);
    QFETCH(int, columns);
    QFETCH(bool, colour);
    const Date birth { 17, 6, 1988 };
    for (int i = 0; i < 120; ++i) {
        const Date target { 1 + (7 * i) % 28, 1 + i % 12, 2001 + i / 12 };
        const Confirmation c = Confirm(birth, target);
        QCOMPARE(c.Refusal, 0);
        const TextChartLook look { columns, braille, colour, Lang::Cs };
        const Decoded d = Read(TextChart({ birth, target, {}, c.Month, c.Day }, look));
        QCOMPARE(d.Widest, qsizetype(columns));
        QCOMPARE(d.Days.size(), c.Month.Days);
        QCOMPARE(d.Chosen, target.Day - 1);
        for (qsizetype day = 0; day < c.Month.Days; ++day) {
            if (braille)
                CheckDots(d, c.Month, day);
            else
                CheckStrokes(d, c.Month, day);
        }
        CheckBars(d, c.Day);
    }
}

void TestCompanionChartText::colourRules_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("noColor");
    QTest::addColumn<QString>("term");
    QTest::addColumn<bool>("colour");
    const int autoMode = int(ColourMode::Auto);
    QTest::newRow("terminal") << autoMode << true << ""
                              << "xterm" << true;
    QTest::newRow("pipe") << autoMode << false << ""
                          << "xterm" << false;
    QTest::newRow("NO_COLOR") << autoMode << true << "1"
                              << "xterm" << false;
    QTest::newRow("dumb terminal") << autoMode << true << ""
                                   << "dumb" << false;
    QTest::newRow("never") << int(ColourMode::Never) << true << ""
                           << "xterm" << false;
    QTest::newRow("always, pipe") << int(ColourMode::Always) << false << "1"
                                  << "dumb" << true;
}

void TestCompanionChartText::colourRules()
{
    QFETCH(int, mode);
    QFETCH(bool, terminal);
    QFETCH(QString, noColor);
    QFETCH(QString, term);
    QFETCH(bool, colour);
    QCOMPARE(ShowsColour(ColourMode(mode), { terminal, 100, true }, noColor, term), colour);
}

void TestCompanionChartText::commandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("columns"); // COLUMNS
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("width"); // of the longest line; 0: no output
    QTest::addColumn<bool>("escapes");
    const QStringList chart { "graf", "10.1.1996", "5.3.1996" };
    QTest::newRow("pipe") << chart << false << "" << 2 << 0 << false;
    QTest::newRow("terminal") << chart << true << "" << 0 << 100 << true;
    QTest::newRow("COLUMNS") << chart << true << "50" << 0 << 50 << true;
    QTest::newRow("narrow") << chart << true << "20" << 0 << 40 << true;
    QTest::newRow("huge") << chart << true << "2000000000" << 0 << 1000 << true;
    QTest::newRow("never") << chart + QStringList { "--color", "never" } << true << "" << 0 << 100
                           << false;
    QTest::newRow("-f text") << chart + QStringList { "-f", "text" } << false << "" << 0 << 80
                             << false;
    QTest::newRow("always") << chart + QStringList { "-f", "text", "--color", "always" } << false
                            << "" << 0 << 80 << true;
    QTest::newRow("-o .txt") << chart + QStringList { "-o", "chart.txt" } << true << "" << 0 << 80
                             << false;
    QTest::newRow("-f csv") << chart + QStringList { "-f", "csv" } << true << "" << 2 << 0 << false;
    QTest::newRow("braille, png") << chart + QStringList { "--braille", "-o", "a.png" } << true
                                  << "" << 2 << 0 << false;
    QTest::newRow("text, png") << chart + QStringList { "-f", "text", "-o", "a.png" } << true << ""
                               << 2 << 0 << false;
    QTest::newRow("--color sometimes")
        << chart + QStringList { "--color", "sometimes" } << true << "" << 2 << 0 << false;
    QTest::newRow("--with") << chart + QStringList { "--with", "1.1.1990" } << true << "" << 2 << 0
                            << false;
}

void TestCompanionChartText::commandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, terminal);
    QFETCH(QString, columns);
    QFETCH(int, status);
    QFETCH(int, width);
    QFETCH(bool, escapes);
    test::MemoryEnvironment env;
    env.Terminal = { terminal, 100, true };
    env.Variables.insert("COLUMNS", columns);
    QCOMPARE(RunCommand(QStringList { "cyklometrika" } + arguments, env), status);
    const QString out = QString::fromUtf8(env.StandardOutput + env.Files.value("chart.txt"));
    QCOMPARE(out.contains(QLatin1String("\x1b[")), escapes);
    QCOMPARE(out.isEmpty() ? 0 : Read(out).Widest, qsizetype(width));
    if (status == 0)
        QVERIFY(out.startsWith(Said("chart.text.heading", Lang::Cs, { "10.1.1996", "5.3.1996" })));
}

QTEST_GUILESS_MAIN(TestCompanionChartText)
#include "tst_companion_chart_text.moc"
