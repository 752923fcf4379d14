// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/arguments.h"

#include "companion/io/date_arguments.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace cykl::companion {

namespace {

constexpr int MaxRemindHours = 24 * 366;

std::optional<Format> FormatNamed(const QString &text)
{
    for (const auto &[name, format] : FormatNames()) {
        if (name == text.toLower())
            return format;
    }
    return std::nullopt;
}

// The format a file's extension names, if any.
std::optional<Format> FormatOfFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return Format::Table;
    return suffix == QLatin1String("table") ? std::nullopt : FormatNamed(suffix);
}

// Why a text command must not write a file of that name: its extension names a format the
// command does not write (report.xlsx would hold a text table), or empty.
QString ForeignExtension(const CommandLine &line, const QString &path)
{
    static const QStringList pictures { "png", "svg", "pdf" };
    static const QStringList foreign { "xlsx", "xls",  "xlsm", "ods",  "odt", "doc",  "docx",
                                       "rtf",  "html", "htm",  "xml",  "tsv", "yaml", "yml",
                                       "jpg",  "jpeg", "gif",  "webp", "zip", "vcs",  "ical" };
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (pictures.contains(suffix))
        return line.Text("usage.format.picture", Shortened(path), suffix);
    if (foreign.contains(suffix))
        return line.Text("usage.format.foreign", Shortened(path), suffix);
    return {};
}

// The format: the option's, or the output file's extension (x.ics, x.csv...), which must
// agree where both are given.
Problem ReadFormat(const CommandLine &line, bool ics, Output &output)
{
    const QString name = line.Value("format");
    const auto named = FormatNamed(name);
    if (line.IsSet("format") && !named)
        return line.Text("usage.format.unknown", Shortened(name));
    if (const QString foreign = ForeignExtension(line, output.Path); !foreign.isEmpty())
        return foreign;
    const auto extension = FormatOfFile(output.Path);
    if (named && extension && *named != *extension)
        return line.Text("usage.format.extension", name.toLower(), Shortened(output.Path));
    output.Kind = named ? *named : extension.value_or(Format::Table);
    if (output.Kind == Format::Ics && !ics)
        return line.Text("usage.format.ics");
    output.Excel = line.IsSet("excel");
    if (output.Excel && output.Kind != Format::Csv) {
        if (line.IsSet("format") || extension)
            return line.Text("usage.excel.csv");
        output.Kind = Format::Csv;
    }
    return std::nullopt;
}

bool HasLettersOfAName(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return !c.isDigit() && !c.isSpace() && c != QLatin1Char('.') && c != QLatin1Char(',')
            && c != QLatin1Char('-');
    });
}

} // namespace

const QList<std::pair<QString, Format>> &FormatNames()
{
    static const QList<std::pair<QString, Format>> names {
        { QStringLiteral("table"), Format::Table },
        { QStringLiteral("csv"), Format::Csv },
        { QStringLiteral("json"), Format::Json },
        { QStringLiteral("ics"), Format::Ics },
    };
    return names;
}

std::optional<int> ClockMinutes(const QString &text)
{
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,2}):([0-5][0-9])$"));
    const auto time = clock.match(text);
    if (!time.hasMatch() || time.captured(1).toInt() > 23)
        return std::nullopt;
    return 60 * time.captured(1).toInt() + time.captured(2).toInt();
}

QStringList NameList(const QStringList &arguments, qsizetype &taken)
{
    taken = arguments.isEmpty() ? 0 : 1;
    const auto continues = [&arguments](qsizetype i) {
        const QString next = arguments[i].trimmed();
        return (arguments[i - 1].trimmed().endsWith(QLatin1Char(','))
                || next.startsWith(QLatin1Char(',')))
            && !next.isEmpty() && !next.back().isDigit();
    };
    while (taken < arguments.size() && continues(taken))
        ++taken;
    QStringList names;
    const QString text = arguments.mid(0, taken).join(QLatin1Char(' '));
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            names.append(name.trimmed());
    }
    return names;
}

QString TooMany(const CommandLine &line, const QString &extra)
{
    return line.Text("usage.too.many", line.Name, Shortened(extra));
}

Problem ReadWho(const CommandLine &line, qsizetype most, Who &who, QStringList &rest)
{
    who.Everyone = line.IsSet("all");
    const QStringList &arguments = line.Arguments;
    if (arguments.isEmpty() && !who.Everyone)
        return line.Text("usage.birth.missing", line.Name);
    qsizetype first = 0; // the first argument after the birth
    const QStringList names = who.Everyone ? QStringList() : NameList(arguments, first);
    if (arguments.size() > first + most)
        return TooMany(line, arguments[first + most]);
    rest = arguments.mid(first);
    if (who.Everyone)
        return std::nullopt;
    QString error;
    const QString birth = arguments.mid(0, first).join(QLatin1Char(' '));
    const auto date = first == 1 ? DateArgument(birth, false, error, line.Language) : std::nullopt;
    // A birth written month first is a date in the wrong order, not a name (said so in
    // English; Czech names it as either).
    const bool monthFirst = line.Language != Lang::Cs && MonthFirst(birth);
    if (!date && HasLettersOfAName(birth) && !birth.startsWith(QLatin1Char('-')) && !monthFirst)
        who.Names = names;
    else if (!date)
        return error;
    else
        who.Birth = *date;
    who.BirthText = birth;
    return std::nullopt;
}

Problem ReadOutputPath(const CommandLine &line, QString &path)
{
    path = line.Value("output");
    if (line.IsSet("output") && path.isEmpty())
        return line.Text("usage.output.missing");
    return std::nullopt;
}

Problem ReadOutput(const CommandLine &line, bool ics, Output &output)
{
    if (auto problem = ReadOutputPath(line, output.Path))
        return problem;
    return ReadFormat(line, ics, output);
}

// --remind HOURS (before the day begins) or --remind H:MM (on the day itself).
Problem ReadRemind(const CommandLine &line, const Output &output, Selection &selection)
{
    if (!line.IsSet("remind"))
        return std::nullopt;
    const QString text = line.Value("remind");
    bool ok = false;
    const int hours = text.toInt(&ok);
    if (const auto minutes = ClockMinutes(text))
        selection.RemindMinutes = *minutes;
    else if (ok && hours >= 0 && hours <= MaxRemindHours)
        selection.RemindMinutes = -60 * hours;
    else
        return line.Text("usage.remind.value", QString::number(MaxRemindHours));
    if (output.Kind != Format::Ics)
        return line.Text("usage.remind.ics");
    return std::nullopt;
}

Problem ReadSelection(const CommandLine &line, const Output &output, Selection &selection)
{
    const bool codes = line.IsSet("codes");
    if (line.IsSet("only-critical") && codes)
        return line.Text("usage.only.critical.codes");
    if (line.IsSet("only-critical"))
        selection.Codes = { 4, 5, 6 };
    const QStringList parts = codes ? line.Value("codes").split(QLatin1Char(',')) : QStringList();
    for (const QString &part : parts) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (!ok || code < 4 || code > 12)
            return line.Text("usage.codes");
        if (!selection.Codes.contains(code))
            selection.Codes.append(static_cast<MessageCode>(code));
    }
    selection.Merge = line.IsSet("merge");
    if (selection.Merge && output.Kind != Format::Ics)
        return line.Text("usage.merge.ics");
    return std::nullopt;
}

} // namespace cykl::companion
