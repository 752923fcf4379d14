// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces the reports share: the days they list, their words and the rows of one day
// for CSV.
#pragma once

#include "companion/io/formats.h"

#include <QList>
#include <QStringList>

namespace cykl::companion {

// A listed day: its values and its verdicts.
using ReportDay = CriticalDay;

inline QString Utf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString Number(double value)
{
    return QString::number(static_cast<int>(value));
}

// The cycle of index k (0 physical, 1 emotional, 2 intellectual): its caption, as the
// window's legend writes it ("Fyzická kondice"), and its key in files for programs.
QString CycleCaption(std::size_t k, Lang lang = Lang::Cs);
QString CycleKeyOf(std::size_t k);

// The days of a month's values from its day `month.Day` to its end.
QList<ReportDay> MonthDays(const Date &month, const MonthValues &v);

// The codes as "4 5 6", and their texts, one a line.
QString CodeList(const Verdicts &codes);
QString MessageTexts(const Date &birth, const ReportDay &day, Lang lang);

// One CSV row per day under the header row.
QByteArray CsvReport(const Date &birth, const QList<ReportDay> &days, const ReportOptions &options);

} // namespace cykl::companion
