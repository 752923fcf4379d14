// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the command line writes them, and what is wrong with one that is no day.
#include "companion/io/date_arguments.h"

#include "calendar/texts.h"
#include "lang/qt/said.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace cykl::companion {

namespace {

// "D.M.YY": a Czech date or month whose year has one or two digits.
bool IsShortYear(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QString year = trimmed.section(QLatin1Char('.'), -1);
    return trimmed.contains(QLatin1Char('.')) && !year.isEmpty() && year.size() <= 2
        && std::all_of(year.begin(), year.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// The Czech way of writing a date with a space after each dot ("1. 1. 2026" as one
// argument), closed up ("1.1.2026"); any other text as it is.
QString ClosedUp(const QString &text)
{
    static const QRegularExpression spaced(
        QStringLiteral("^\\s*([0-9]+)\\.\\s*([0-9]+)(?:\\.\\s*([0-9]+))?\\s*$"));
    const auto match = spaced.match(text);
    if (!match.hasMatch())
        return text;
    QStringList parts { match.captured(1), match.captured(2) };
    if (match.hasCaptured(3))
        parts.append(match.captured(3));
    return parts.join(QLatin1Char('.'));
}

} // namespace

// A date written month first, as in the United States ("3/5/1996", "03/05/1996" is 5 March
// 1996): the day it would be, where it is one.
std::optional<Date> MonthFirst(const QString &text)
{
    static const QRegularExpression slashed(
        QStringLiteral("^\\s*([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})\\s*$"));
    const auto match = slashed.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const Date date { match.captured(2).toInt(), match.captured(1).toInt(),
                      match.captured(3).toInt() };
    if (date.Month < 1 || date.Month > 12 || date.Day < 1
        || date.Day > DaysInMonth(date.Month, date.Year))
        return std::nullopt;
    return date;
}

std::optional<Date> DateArgument(const QString &written, bool month, QString &error, Lang lang)
{
    const QString text = ClosedUp(written);
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const auto date = month ? ParseMonth(view) : ParseDate(view);
    const std::string shown = Shortened(text).toStdString();
    if (!date) {
        const auto monthFirst = month ? std::nullopt : MonthFirst(text);
        if (monthFirst && lang != Lang::Cs)
            error = Said("report.date.month.first", lang,
                         { shown, CzechDate(*monthFirst), IsoDate(*monthFirst) });
        else
            error = month ? Said("report.date.not.month", lang, { shown })
                          : Said("report.date.not.date", lang, { shown });
        return std::nullopt;
    }
    // A year of one or two digits is most likely a short form of this century's or the last.
    if (IsShortYear(text)) {
        error
            = Said("report.date.short.year", lang,
                   { Shortened(text.trimmed()).toStdString(), std::to_string(date->Year),
                     std::to_string(date->Year + (date->Year < 30 ? 2000 : 1900)),
                     QStringLiteral("%1").arg(date->Year, 4, 10, QLatin1Char('0')).toStdString() });
        return std::nullopt;
    }
    return date;
}

std::optional<int> YearArgument(const QString &text)
{
    const QString year = text.trimmed();
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (year.size() < 4 || year.size() > 9 || !std::all_of(year.begin(), year.end(), digit))
        return std::nullopt;
    return year.toInt();
}

QString NoSuchDay(const Date &date, bool month, Lang lang)
{
    if (date.Year < FirstYear)
        return Said("report.no.year", lang, { std::to_string(date.Year) });
    if (date.Year > LastYear)
        return Said("report.no.year.after", lang);
    if (date.Month < 1 || date.Month > 12)
        return Said("report.no.month", lang, { std::to_string(date.Month) });
    if (month)
        return {};
    if (date.Day < 1)
        return Said("report.no.day.zero", lang);
    const int days = DaysInMonth(date.Month, date.Year);
    if (date.Day > days)
        return Said(
            "report.month.days", lang,
            { MonthName(date.Month, lang), std::to_string(date.Year), std::to_string(days) });
    return {};
}

QString Shortened(const QString &text)
{
    constexpr qsizetype Most = 60;
    return text.size() <= Most ? text : text.left(Most - 1) + QChar(0x2026);
}

QString ChartKind(const QString &path)
{
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    const bool known = path.contains(QLatin1Char('.'))
        && (suffix == QLatin1String("png") || suffix == QLatin1String("svg")
            || suffix == QLatin1String("pdf"));
    return known ? suffix : QString();
}

} // namespace cykl::companion
