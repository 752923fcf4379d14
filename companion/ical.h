// SPDX-License-Identifier: GPL-3.0-or-later
// The critical days as an iCalendar object: one all-day event per day, CRLF line ends,
// lines folded at 75 octets without splitting a UTF-8 character.
#pragma once

#include "companion/engine.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace cykl::companion {

struct CalendarOptions {
    QDateTime Stamp; // DTSTAMP of every event, in UTC
    std::optional<int> RemindHours; // an alarm this many hours before each day begins
};

struct CalendarResult {
    QByteArray Text;
    // Days of the calculation's calendar that no civil calendar holds (29 February of
    // 1900, 2100...), left out of the object.
    QList<Date> LeftOut;
};

CalendarResult CriticalCalendar(const Date &birth, const CriticalList &list,
                                const CalendarOptions &options);

// The event's summary: the critical cycles first ("Dvojitě kritický den: fyzická
// kondice, síla intelektu"), then the highs and lows.
QString EventSummary(const Verdicts &codes);

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
QString EscapeText(const QString &text);

// One content line, folded: at most 75 octets per physical line, each continuation line
// starting with a blank; CRLF after every physical line.
QByteArray FoldLine(const QByteArray &utf8);

} // namespace cykl::companion
