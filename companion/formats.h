// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's output formats: an aligned Czech table for people, CSV (RFC 4180, CRLF
// line ends, a header row) and JSON (one object) for programs, and iCalendar for the
// critical days (see ical.h). Everything is UTF-8.
#pragma once

#include "companion/calendar/engine.h"
#include "companion/calendar/texts.h"

#include <QByteArray>
#include <QString>

namespace cykl::companion {

enum class Format { Table, Csv, Json, Ics };

// A CSV field, quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString &text);

QByteArray DayReport(Format format, const Date &birth, const Date &day, const Confirmation &c);
QByteArray MonthReport(Format format, const Date &birth, const Date &month, const MonthValues &v);
QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list);

} // namespace cykl::companion
