// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the command line writes them, and what is wrong with one that is no day.
#include "companion/io/date_arguments.h"

#include "calendar/texts.h"

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

std::optional<Date> DateArgument(const QString &written, bool month, QString &error)
{
    const QString text = ClosedUp(written);
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const auto date = month ? ParseMonth(view) : ParseDate(view);
    if (!date) {
        error = month
            ? QStringLiteral("„%1“ není měsíc (M.RRRR nebo RRRR-MM)").arg(Shortened(text))
            : QStringLiteral("„%1“ není datum (D.M.RRRR nebo RRRR-MM-DD)").arg(Shortened(text));
        return std::nullopt;
    }
    // A year of one or two digits is most likely a short form of this century's or the last.
    if (IsShortYear(text)) {
        error = QStringLiteral("„%1“ má rok %2; napište rok celý (%3, nebo %4 pro rok %2)")
                    .arg(Shortened(text.trimmed()))
                    .arg(date->Year)
                    .arg(date->Year + (date->Year < 30 ? 2000 : 1900))
                    .arg(date->Year, 4, 10, QLatin1Char('0'));
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

QString NoSuchDay(const Date &date, bool month)
{
    if (date.Year < FirstYear)
        return QStringLiteral("rok %1 neexistuje (roky jdou od 1 do 9999)").arg(date.Year);
    if (date.Year > LastYear)
        return QStringLiteral("roky jdou jen do 9999");
    if (date.Month < 1 || date.Month > 12)
        return QStringLiteral("měsíc %1 neexistuje").arg(date.Month);
    if (month)
        return {};
    if (date.Day < 1)
        return QStringLiteral("den 0 neexistuje");
    const int days = DaysInMonth(date.Month, date.Year);
    if (date.Day > days)
        return QStringLiteral("%1 %2 má %3 dní")
            .arg(QString::fromUtf8(CzechMonthName(date.Month)))
            .arg(date.Year)
            .arg(days);
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
