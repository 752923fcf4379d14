// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/chart_text.h"

#include "calendar/texts.h"
#include "companion/commands/chart_text_plot.h"
#include "companion/io/report_parts.h"
#include "display/chart_look.h"
#include "lang/qt/said.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace cykl::companion {

namespace {

constexpr int LabelWidth = 4; // "-100"
constexpr int ValueWidth = 5; // " -100" after a bar
constexpr int Sets = 3;
constexpr int AxisSteps = 4; // labels at 100, 50, 0, -50 and -100
constexpr char32_t ChosenTick = U'▲';

QString Glyph(char32_t glyph)
{
    return QString::fromUcs4(&glyph, 1);
}

// A line of cells, the curves' cells in their colours where colour is on.
class Painter {
public:
    explicit Painter(bool colour) : colour_(colour) { }

    void Add(const QString &text, int set = NoSet)
    {
        if (colour_ && set != set_)
            line_ += Escape(set);
        set_ = set;
        line_ += text;
    }
    QString End()
    {
        Add(QString());
        if (colour_ && set_ != NoSet)
            line_ += Escape(NoSet);
        set_ = NoSet;
        return std::exchange(line_, QString()) + QLatin1Char('\n');
    }

private:
    // The bright ANSI colour nearest each curve's legend colour; the grid faint.
    static QString Escape(int set)
    {
        if (set == NoSet)
            return QStringLiteral("\x1b[0m");
        if (set == MutedSet)
            return QStringLiteral("\x1b[0;2m");
        const look::Rgb rgb = look::ColoursOf(set).Legend;
        const int code = 90 + (rgb.Red >= 128 ? 1 : 0) + (rgb.Green >= 128 ? 2 : 0)
            + (rgb.Blue >= 128 ? 4 : 0);
        return QStringLiteral("\x1b[0;%1m").arg(code);
    }

    bool colour_;
    int set_ = NoSet;
    QString line_;
};

// The plot with its value axis on the left, then the day axis with a tick under each day's
// last column (the chosen day's a triangle) and the numbers of every fifth day.
QString MonthPlot(const TextChartData &data, const TextChartLook &look, Painter &painter)
{
    const int width = look.Columns - LabelWidth - 1;
    const int days = data.Month.Days;
    const TextGrid grid
        = PlotMonth(data.Month, TextChartRows, width, look.Braille, data.Day.Day - 1);
    const int step = (TextChartRows - 1) / AxisSteps;
    QString text;
    for (int r = 0; r < TextChartRows; ++r) {
        const bool labelled = r % step == 0;
        const int value
            = int(look::ValueMax) - r * int(look::ValueMax - look::ValueMin) / (TextChartRows - 1);
        painter.Add(labelled ? QStringLiteral("%1┤").arg(value, LabelWidth)
                             : QStringLiteral("%1│").arg(QString(), LabelWidth));
        for (const TextCell &cell : grid[std::size_t(r)])
            painter.Add(Glyph(cell.Glyph), cell.Set);
        text += painter.End();
    }
    QString axis = QString(width, QChar(u'─'));
    QString numbers = QString(width, QLatin1Char(' '));
    int free = 0; // the first column a day's number may take
    for (int day = 1; day <= days; ++day) {
        const int last = SlotStart(day, days, width) - 1;
        axis[last] = day == data.Day.Day ? Glyph(ChosenTick)[0] : QChar(u'┬');
        const QString number = QString::number(day);
        const qsizetype start = last - number.size() + 1;
        if ((day == 1 || day % 5 == 0) && start >= free) {
            numbers.replace(start, number.size(), number);
            free = int(start + number.size()) + 1;
        }
    }
    text += QStringLiteral("%1└").arg(QString(), LabelWidth) + axis + QLatin1Char('\n');
    while (numbers.endsWith(QLatin1Char(' ')))
        numbers.chop(1);
    return text + QString(LabelWidth + 1, QLatin1Char(' ')) + numbers + QLatin1Char('\n');
}

QString Legend(const TextChartData &data, const TextChartLook &look, Painter &painter)
{
    static constexpr std::array<char32_t, Sets> Samples { U'─', U'━', U'═' };
    QString text;
    for (int set = 0; set < Sets; ++set) {
        const char32_t sample = look.Braille ? U'⠒' : Samples.at(std::size_t(set));
        painter.Add(Glyph(sample).repeated(3), set);
        painter.Add(QLatin1Char(' ') + Utf8(look::LegendRow(set, look.Language)));
        text += painter.End();
    }
    const std::string tick = Glyph(ChosenTick).toStdString();
    painter.Add(Said("chart.text.target", look.Language, { tick, CzechDate(data.Day) }));
    return text + painter.End();
}

// A bar of the day from the middle of its track, to the right above zero, to the left below.
QString DayBars(const TextChartData &data, const TextChartLook &look, Painter &painter)
{
    const std::array<double, Sets> values { data.Values.Physical, data.Values.Emotional,
                                            data.Values.Intellectual };
    const auto &cycles = look::Cycles(look.Language);
    qsizetype captionWidth = 0;
    for (const auto &cycle : cycles)
        captionWidth = std::max(captionWidth, Utf8(std::string(cycle.Caption)).size());
    const int half = std::max(1, int(look.Columns - captionWidth - 1 - ValueWidth - 1) / 2);
    QString text;
    for (int set = 0; set < Sets; ++set) {
        const double value = values.at(std::size_t(set));
        const int filled
            = std::min(half, int(std::lround(std::abs(value) * half / look::ValueMax)));
        const QString bar = QString(filled, QChar(u'█'));
        const QString blank(half - filled, QLatin1Char(' '));
        painter.Add(QStringLiteral("%1 ").arg(
            Utf8(std::string(cycles.at(std::size_t(set)).Caption)), int(-captionWidth)));
        painter.Add(value < 0 ? blank : QString(half, QLatin1Char(' ')));
        if (value < 0)
            painter.Add(bar, set);
        painter.Add(QStringLiteral("│"));
        if (value >= 0)
            painter.Add(bar, set);
        painter.Add(value >= 0 ? blank : QString(half, QLatin1Char(' ')));
        painter.Add(QStringLiteral("%1").arg(Number(value), ValueWidth));
        text += painter.End();
    }
    return text;
}

QString Heading(const TextChartData &data, Lang lang)
{
    const std::string born = CzechDate(data.Birth);
    const std::string day = CzechDate(data.Day);
    return data.Name.isEmpty()
        ? Said("chart.text.heading", lang, { born, day })
        : Said("chart.text.heading.name", lang, { data.Name.toStdString(), born, day });
}

} // namespace

QString TextChart(const TextChartData &data, const TextChartLook &look)
{
    TextChartLook fitted = look;
    fitted.Columns = std::clamp(look.Columns, MinChartColumns, MaxChartColumns);
    Painter painter(look.Colour);
    const Lang lang = look.Language;
    QString text = Heading(data, lang) + QStringLiteral("\n\n");
    text += Said("chart.text.month", lang,
                 { std::to_string(data.Day.Month), std::to_string(data.Day.Year) })
        + QLatin1Char('\n');
    text += MonthPlot(data, fitted, painter);
    text += Legend(data, fitted, painter) + QLatin1Char('\n');
    text += Said("chart.text.day", lang, { CzechDate(data.Day) }) + QLatin1Char('\n');
    return text + DayBars(data, fitted, painter);
}

bool ShowsColour(ColourMode mode, const Terminal &terminal, const QString &noColor,
                 const QString &term)
{
    if (mode != ColourMode::Auto)
        return mode == ColourMode::Always;
    return terminal.Is && terminal.Colour && noColor.isEmpty() && term != QLatin1String("dumb");
}

int ChartColumns(const QString &columnsVariable, const Terminal &terminal)
{
    bool number = false;
    const int columns = columnsVariable.trimmed().toInt(&number);
    const int width = number && columns > 0   ? columns
        : terminal.Is && terminal.Columns > 0 ? terminal.Columns
                                              : DefaultChartColumns;
    return std::clamp(width, MinChartColumns, MaxChartColumns);
}

} // namespace cykl::companion
