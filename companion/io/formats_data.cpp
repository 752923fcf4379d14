// SPDX-License-Identifier: GPL-3.0-or-later
// CSV: the files for programs and spreadsheets (JSON comes from calendar/report_json).
#include "companion/io/report_parts.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// English field names for programs, Czech headings for a spreadsheet; new fields go last.
struct Field {
    const char *English;
    const char *Czech;
};
constexpr std::array<Field, 8> Fields { {
    { "date", "datum" },
    { CycleKeys[0].data(), CzechCycleKeys[0].data() },
    { CycleKeys[1].data(), CzechCycleKeys[1].data() },
    { CycleKeys[2].data(), CzechCycleKeys[2].data() },
    { "codes", "kódy" },
    { "messages", "hlášení" },
    { "critical_cycles", "kritické cykly" },
    { "name", "jméno" },
} };

} // namespace

QString CycleCaption(std::size_t k, Lang lang)
{
    static constexpr std::array<TextKey, 3> Captions { "cycle.physical", "cycle.emotional",
                                                       "cycle.intellectual" };
    return Said(Captions.at(k), lang);
}

QString CycleKeyOf(std::size_t k)
{
    return QString::fromUtf8(CycleKeys.at(k).data(),
                             static_cast<qsizetype>(CycleKeys.at(k).size()));
}

namespace {

// A spreadsheet set to Czech: ';' between fields, Czech headings, dates D.M.YYYY.
bool CzechSpreadsheet(const ReportOptions &options)
{
    return options.Excel && options.Language == Lang::Cs;
}

QString CsvLine(const QStringList &fields, QChar separator)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted.append(CsvField(field, separator));
    return quoted.join(separator);
}

QStringList CsvFields(const Date &birth, const ReportDay &day, const ReportOptions &options)
{
    QStringList fields { Utf8(CzechSpreadsheet(options) ? CzechDate(day.Day) : IsoDate(day.Day)),
                         Number(day.Values.Physical),
                         Number(day.Values.Emotional),
                         Number(day.Values.Intellectual),
                         CodeList(day.Codes),
                         MessageTexts(birth, day, options.Language),
                         QString::number(CriticalCycles(day.Codes)) };
    if (!options.Person.isEmpty())
        fields.append(options.Person);
    return fields;
}

} // namespace

QString CsvField(const QString &text, QChar separator)
{
    const auto special = [separator](QChar c) {
        return c == separator || c == QLatin1Char('"') || c == QLatin1Char('\r')
            || c == QLatin1Char('\n');
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray CsvReport(const Date &birth, const QList<ReportDay> &days, const ReportOptions &options)
{
    const bool czech = CzechSpreadsheet(options);
    const QChar separator = czech ? QLatin1Char(';') : QLatin1Char(',');
    QStringList heading;
    for (const Field &field : Fields)
        heading.append(QString::fromUtf8(czech ? field.Czech : field.English));
    if (options.Person.isEmpty())
        heading.removeLast();
    QStringList lines { CsvLine(heading, separator) };
    for (const ReportDay &day : days)
        lines.append(CsvLine(CsvFields(birth, day, options), separator));
    const QByteArray text = (lines.join(CrLf) + CrLf).toUtf8();
    return options.Excel ? QByteArrayLiteral("\xEF\xBB\xBF") + text : text;
}

} // namespace cykl::companion
