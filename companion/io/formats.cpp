// SPDX-License-Identifier: GPL-3.0-or-later
// The tables for people, and which format each report takes.
#include "companion/io/formats.h"

#include "calendar/report_json.h"
#include "companion/io/report_parts.h"
#include "companion/io/text_table.h"

#include <array>

namespace cykl::companion {

namespace {

QByteArray Lines(const QStringList &lines)
{
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

// "Jana, datum narození 10.1.1996" or "Datum narození 10.1.1996".
QString Heading(const Date &birth, const ReportOptions &options)
{
    const QString born = Utf8(CzechDate(birth));
    return options.Person.isEmpty()
        ? QStringLiteral("Datum narození %1").arg(born)
        : QStringLiteral("%1, datum narození %2").arg(options.Person, born);
}

const QList<Column> &DayColumns()
{
    static const QList<Column> columns {
        { QStringLiteral("Datum"), false },    { QStringLiteral("Den"), false },
        { QStringLiteral("Fyzická"), true },   { QStringLiteral("Citová"), true },
        { QStringLiteral("Intelekt"), true },  { QStringLiteral("Kódy"), false },
        { QStringLiteral("Poznámka"), false },
    };
    return columns;
}

QStringList DayCells(const ReportDay &day)
{
    return { Utf8(CzechDate(day.Day)),
             Utf8(WeekdayName(day.Day)),
             Number(day.Values.Physical),
             Number(day.Values.Emotional),
             Number(day.Values.Intellectual),
             CodeList(day.Codes),
             Utf8(CriticalMark(CriticalCycles(day.Codes))) };
}

// The meaning of each code that occurs, one line each.
QStringList CodeLegend(const QList<ReportDay> &days)
{
    std::array<bool, 13> seen {};
    for (const ReportDay &day : days) {
        for (const MessageCode code : day.Codes)
            seen[static_cast<std::size_t>(code)] = true;
    }
    QStringList lines;
    for (MessageCode code = 4; code <= 12; ++code) {
        if (seen[static_cast<std::size_t>(code)])
            lines.append(QStringLiteral("%1  %2").arg(code, 2).arg(Utf8(VerdictName(code))));
    }
    return lines;
}

QByteArray DaysTable(QStringList lines, const QList<ReportDay> &days)
{
    lines.append(QString());
    QList<QStringList> rows;
    for (const ReportDay &day : days)
        rows.append(DayCells(day));
    lines += LayOutTable(DayColumns(), rows);
    if (const QStringList legend = CodeLegend(days); !legend.isEmpty())
        lines += QStringList { QString() } + legend;
    return Lines(lines);
}

QByteArray DayTable(const Date &birth, const ReportDay &day, const ReportOptions &options)
{
    QStringList lines;
    if (!options.Person.isEmpty())
        lines.append(QStringLiteral("Jméno             %1").arg(options.Person));
    lines += QStringList {
        QStringLiteral("Datum narození    %1").arg(Utf8(CzechDate(birth))),
        QStringLiteral("Den               %1 %2")
            .arg(Utf8(CzechDate(day.Day)), Utf8(WeekdayName(day.Day)))
            .trimmed(),
    };
    const std::array<double, 3> values { day.Values.Physical, day.Values.Emotional,
                                         day.Values.Intellectual };
    for (std::size_t k = 0; k < values.size(); ++k)
        lines.append(QStringLiteral("%1 %2").arg(CycleCaption(k), -17).arg(Number(values[k]), 4));
    if (const QString mark = Utf8(CriticalMark(CriticalCycles(day.Codes))); !mark.isEmpty())
        lines.append(QStringLiteral("Den je            %1").arg(mark));
    if (!day.Codes.empty())
        lines.append(QString());
    for (const MessageCode code : day.Codes) {
        const QString text = Utf8(MessageText(code, birth, day.Day));
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

QString MessageTexts(const Date &birth, const ReportDay &day)
{
    QStringList texts;
    for (const MessageCode code : day.Codes)
        texts.append(Utf8(MessageText(code, birth, day.Day)));
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
        return QByteArray::fromStdString(DayJson(birth, shown, options.Person.toStdString()));
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
                      options.Person.toStdString()));
    default:
        return DaysTable({ QStringLiteral("%1, měsíc %2.%3")
                               .arg(Heading(birth, options))
                               .arg(month.Month)
                               .arg(month.Year) },
                         days);
    }
}

QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list, const ReportOptions &options)
{
    if (format == Format::Json)
        return QByteArray::fromStdString(
            CriticalJson(birth, from, to, list, options.Person.toStdString()));
    const QList<ReportDay> days(list.Days.begin(), list.Days.end());
    if (format == Format::Csv)
        return CsvReport(birth, days, options);
    const QString heading
        = QStringLiteral("%1, dny %2 až %3")
              .arg(Heading(birth, options), Utf8(CzechDate(from)), Utf8(CzechDate(to)));
    if (days.isEmpty())
        return Lines({ heading, QString(), QStringLiteral("Žádný den s hlášením.") });
    return DaysTable({ heading }, days);
}

} // namespace cykl::companion
