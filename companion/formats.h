// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's output formats: an aligned Czech table for people, CSV (RFC 4180, CRLF
// line ends, a header row) and JSON (one object) for programs, and iCalendar for the
// critical days (see ical.h). Everything is UTF-8.
#pragma once

#include "companion/engine.h"

#include <QByteArray>
#include <QString>

namespace cykl::companion {

enum class Format { Table, Csv, Json, Ics };

QString IsoDate(const Date &date); // 1996-03-05; the year in at least four digits
QString CzechDate(const Date &date); // 5.3.1996
QString IsoMonth(const Date &month); // 1996-03

// The name of a verdict in a few Czech words ("kritická fyzická kondice", "vrchol síly
// intelektu"...); empty for a code outside 4 to 12.
QString VerdictName(MessageCode code);

// "dvojitě kritický" or "trojitě kritický" for two or three critical cycles, else empty.
QString CriticalMark(int criticalCycles);

// A CSV field, quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString &text);

QByteArray DayReport(Format format, const Date &birth, const Date &day, const Confirmation &c);
QByteArray MonthReport(Format format, const Date &birth, const Date &month, const MonthValues &v);
QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list);

} // namespace cykl::companion
