// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's output formats: an aligned table for people, CSV (RFC 4180, CRLF
// line ends, a header row in English; or for a spreadsheet set to Czech) and JSON (one
// object) for programs, and iCalendar for the critical days (see calendar/ical.h).
// Everything is UTF-8.
#pragma once

#include "calendar/engine.h"
#include "calendar/texts.h"

#include <QByteArray>
#include <QString>

namespace cykl::companion {

enum class Format { Table, Csv, Json, Ics };

struct ReportOptions {
    QString Person; // the name that labels the output, or empty
    // CSV for a spreadsheet set to Czech: fields apart by ';', a byte order mark first,
    // Czech headings.
    bool Excel = false;
    // The language of the texts: headings, words, messages. The CSV header row and the
    // JSON keys stay the same in every language; a spreadsheet in English takes the
    // field names and ISO dates.
    Lang Language = Lang::Cs;
};

// A CSV field, quoted when it holds the separator, a quote or a line break.
QString CsvField(const QString &text, QChar separator = QLatin1Char(','));

QByteArray DayReport(Format format, const Date &birth, const Date &day, const Confirmation &c,
                     const ReportOptions &options = {});
// The month of `month` from its day `month.Day` on (the birth day in the birth month).
QByteArray MonthReport(Format format, const Date &birth, const Date &month, const MonthValues &v,
                       const ReportOptions &options = {});
QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list, const ReportOptions &options = {});

} // namespace cykl::companion
