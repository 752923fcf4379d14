// SPDX-License-Identifier: GPL-3.0-or-later
// The tables for people, and which format each report takes.
#include "companion/io/formats.h"

#include "calendar/report_json.h"
#include "companion/io/report_parts.h"
#include "companion/io/text_table.h"
#include "lang/qt/said.h"

#include <array>

namespace cykl::companion {

namespace {

QByteArray Lines(const QStringList &lines)
{
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QString Shown(const Date &date, Lang lang)
{
    return Utf8(ShownDate(date, lang));
}

// "Jana, datum narození 10.1.1996" or "Datum narození 10.1.1996".
QString Heading(const Date &birth, const ReportOptions &options)
{
    const Lang lang = options.Language;
    const std::string born = ShownDate(birth, lang);
    return options.Person.isEmpty()
        ? Said("report.heading.birth", lang, { born })
        : Said("report.heading.person", lang, { options.Person.toStdString(), born });
}

// The columns of a days table; the weekday has one of its own where the date leaves it out.
QList<Column> DayColumns(Lang lang)
{
    QList<Column> columns { { Said("report.column.date", lang), false },
                            { Said("report.column.weekday", lang), false },
                            { Said("report.column.physical", lang), true },
                            { Said("report.column.emotional", lang), true },
                            { Said("report.column.intellectual", lang), true },
                            { Said("report.column.codes", lang), false },
                            { Said("report.column.note", lang), false } };
    if (!WeekdayApart(lang))
        columns.removeAt(1);
    return columns;
}

QStringList DayCells(const ReportDay &day, Lang lang)
{
    QStringList cells { Shown(day.Day, lang),
                        Utf8(WeekdayName(day.Day, lang)),
                        Number(day.Values.Physical),
                        Number(day.Values.Emotional),
                        Number(day.Values.Intellectual),
                        CodeList(day.Codes),
                        Utf8(CriticalMark(CriticalCycles(day.Codes), lang)) };
    if (!WeekdayApart(lang))
        cells.removeAt(1);
    return cells;
}

// The meaning of each code that occurs, one line each.
QStringList CodeLegend(const QList<ReportDay> &days, Lang lang)
{
    std::array<bool, 13> seen {};
    for (const ReportDay &day : days) {
        for (const MessageCode code : day.Codes)
            seen[static_cast<std::size_t>(code)] = true;
    }
    QStringList lines;
    for (MessageCode code = 4; code <= 12; ++code) {
        if (seen[static_cast<std::size_t>(code)])
            lines.append(QStringLiteral("%1  %2").arg(code, 2).arg(Utf8(VerdictName(code, lang))));
    }
    return lines;
}

QByteArray DaysTable(QStringList lines, const QList<ReportDay> &days, Lang lang)
{
    lines.append(QString());
    QList<QStringList> rows;
    for (const ReportDay &day : days)
        rows.append(DayCells(day, lang));
    lines += LayOutTable(DayColumns(lang), rows);
    if (const QStringList legend = CodeLegend(days, lang); !legend.isEmpty())
        lines += QStringList { QString() } + legend;
    return Lines(lines);
}

// The lines of labels and values of a day, the labels padded to one width: the widest
// label and a blank, and at least 18 columns.
class LabelledLines {
public:
    explicit LabelledLines(QList<std::pair<QString, QString>> lines) : lines_(std::move(lines)) { }
    QStringList Text() const
    {
        constexpr int LeastWidth = 17;
        int width = LeastWidth;
        for (const auto &line : lines_)
            width = std::max(width, DisplayWidth(line.first));
        QStringList text;
        for (const auto &[label, value] : lines_) {
            const QString blanks(width + 1 - DisplayWidth(label), QLatin1Char(' '));
            text.append(label + blanks + value);
        }
        return text;
    }

private:
    QList<std::pair<QString, QString>> lines_;
};

QByteArray DayTable(const Date &birth, const ReportDay &day, const ReportOptions &options)
{
    const Lang lang = options.Language;
    QList<std::pair<QString, QString>> labelled;
    if (!options.Person.isEmpty())
        labelled.append({ Said("report.label.name", lang), options.Person });
    labelled.append({ Said("report.label.birth", lang), Utf8(ShownDate(birth, lang)) });
    const QString weekday = WeekdayApart(lang) ? Utf8(WeekdayName(day.Day, lang)) : QString();
    labelled.append({ Said("report.label.day", lang),
                      QStringLiteral("%1 %2").arg(Shown(day.Day, lang), weekday).trimmed() });
    const std::array<double, 3> values { day.Values.Physical, day.Values.Emotional,
                                         day.Values.Intellectual };
    for (std::size_t k = 0; k < values.size(); ++k)
        labelled.append({ CycleCaption(k, lang), QStringLiteral("%1").arg(Number(values[k]), 4) });
    if (const QString mark = Utf8(CriticalMark(CriticalCycles(day.Codes), lang)); !mark.isEmpty())
        labelled.append({ Said("report.label.mark", lang), mark });
    QStringList lines = LabelledLines(labelled).Text();
    if (!day.Codes.empty())
        lines.append(QString());
    for (const MessageCode code : day.Codes) {
        const QString text = Utf8(MessageText(code, birth, day.Day, lang));
        QStringList wrapped = Wrap(text, TerminalColumns - 4, 4);
        wrapped.first().prepend(QStringLiteral("%1  ").arg(code, 2));
        lines.append(wrapped);
    }
    return Lines(lines);
}

} // namespace

QList<ReportDay> MonthDays(const Date &month, const MonthValues &v)
{
    QList<ReportDay> days;
    for (int day = std::max(month.Day, 1); day <= v.Days; ++day) {
        const auto k = static_cast<std::size_t>(day - 1);
        const DayValues3 values { v.Physical[k], v.Emotional[k], v.Intellectual[k] };
        days.append({ { day, month.Month, month.Year },
                      values,
                      DailyVerdicts(values.Physical, values.Emotional, values.Intellectual) });
    }
    return days;
}

QString CodeList(const Verdicts &codes)
{
    QStringList parts;
    for (const MessageCode code : codes)
        parts.append(QString::number(code));
    return parts.join(QLatin1Char(' '));
}

QString MessageTexts(const Date &birth, const ReportDay &day, Lang lang)
{
    QStringList texts;
    for (const MessageCode code : day.Codes)
        texts.append(Utf8(MessageText(code, birth, day.Day, lang)));
    return texts.join(QLatin1Char('\n'));
}

QByteArray DayReport(Format format, const Date &birth, const Date &day, const Confirmation &c,
                     const ReportOptions &options)
{
    Verdicts codes;
    for (const MessageCode code : c.Verdicts)
        codes.Codes[static_cast<std::size_t>(codes.Count++)] = code;
    const ReportDay shown { day, c.Day, codes };
    switch (format) {
    case Format::Csv:
        return CsvReport(birth, { shown }, options);
    case Format::Json:
        return QByteArray::fromStdString(
            DayJson(birth, shown, options.Person.toStdString(), options.Language));
    default:
        return DayTable(birth, shown, options);
    }
}

QByteArray MonthReport(Format format, const Date &birth, const Date &month, const MonthValues &v,
                       const ReportOptions &options)
{
    const QList<ReportDay> days = MonthDays(month, v);
    switch (format) {
    case Format::Csv:
        return CsvReport(birth, days, options);
    case Format::Json:
        return QByteArray::fromStdString(
            MonthJson(birth, month, { days.constData(), static_cast<std::size_t>(days.size()) },
                      options.Person.toStdString(), options.Language));
    default:
        return DaysTable({ Said("report.heading.month", options.Language,
                                { Heading(birth, options).toStdString(),
                                  ShownMonth(month, options.Language) }) },
                         days, options.Language);
    }
}

QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list, const ReportOptions &options)
{
    if (format == Format::Json)
        return QByteArray::fromStdString(
            CriticalJson(birth, from, to, list, options.Person.toStdString(), options.Language));
    const QList<ReportDay> days(list.Days.begin(), list.Days.end());
    if (format == Format::Csv)
        return CsvReport(birth, days, options);
    const Lang lang = options.Language;
    const QString heading = Said(
        "report.heading.span", lang,
        { Heading(birth, options).toStdString(), ShownDate(from, lang), ShownDate(to, lang) });
    if (days.isEmpty())
        return Lines({ heading, QString(), Said("report.no.day", lang) });
    return DaysTable({ heading }, days, lang);
}

} // namespace cykl::companion
