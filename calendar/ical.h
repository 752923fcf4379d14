// SPDX-License-Identifier: GPL-3.0-or-later
// The critical days as an iCalendar object: one all-day event per day (or per run of days
// with the same codes), CRLF line ends, lines folded at 75 octets without splitting a UTF-8
// character. Standard C++ only: the web edition writes its calendars with it too.
#pragma once

#include "calendar/engine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cykl {

// A moment in UTC, as DTSTAMP writes it.
struct UtcTime {
    int Year = 1970;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

struct CalendarOptions {
    UtcTime Stamp; // DTSTAMP of every event
    // An alarm relative to the start of each day, in minutes: -720 is 12 hours before the
    // day begins, 420 is 7:00 on the day itself.
    std::optional<int> RemindMinutes;
    std::string Name; // the person's name (UTF-8), or empty: in summaries and UIDs
    bool Merge = false; // consecutive days with the same codes make one event
    // A calendar to subscribe to: it asks to be read again every day, and each event
    // carries this SEQUENCE.
    std::optional<int> FeedSequence;
    // The language of the summaries, descriptions and the calendar's name; the UIDs are
    // the same in every language, so a calendar taken in again in another does not double.
    Lang Language = Lang::Cs;
};

struct CalendarResult {
    std::string Text;
    // Days of the calculation's calendar that no civil calendar holds (29 February of
    // 1900, 2100...) or that end past 31.12.9999, left out of the object.
    std::vector<Date> LeftOut;
};

CalendarResult CriticalCalendar(const Date &birth, const CriticalList &list,
                                const CalendarOptions &options);

// Several people's critical days in one calendar (a family's): each person's events carry
// the person's name in their summaries and UIDs; options.Name is not used. The calendar's
// name holds a few of the names, its description all where they are more (as
// EventCalendar's). A day that several people's events leave out is named once.
struct CalendarPerson {
    std::string Name; // UTF-8
    Date Birth;
    CriticalList List;
};
CalendarResult FamilyCalendar(const std::vector<CalendarPerson> &people,
                              const CalendarOptions &options);

// Any all-day events in the same form, for days other than one person's critical days
// (the days a family shares): an event with a day that no civil calendar holds, or that
// ends past 31.12.9999, is left out.
struct CalendarEvent {
    std::string Uid;
    Date First;
    Date Last; // both included
    std::string Summary; // UTF-8
    std::string Description; // UTF-8, lines apart by '\n'
};
// The calendar's name is "Cyklometrika", the title and the people in brief (NamesInBrief);
// where they are cut, its description (X-WR-CALDESC) names them all.
CalendarResult EventCalendar(const std::string &title, const std::vector<std::string> &people,
                             const std::vector<CalendarEvent> &events,
                             const CalendarOptions &options);

// A day as a UID and DTSTART write it (19960305), and a name as a part of a UID: ASCII
// letters and digits as they are, every other byte as "_" and its two hex digits. No name
// of letters and digits holds "_", so each name keeps a UID of its own ("A B" is A_20B,
// "A20B" stays A20B), and such names keep the UIDs they had.
std::string CompactDate(const Date &date);
std::string UidName(std::string_view name);

// The event's summary: the critical cycles first ("Dvojitě kritický den: fyzická
// kondice, síla intelektu"), then the highs and lows.
std::string EventSummary(const Verdicts &codes, Lang lang = Lang::Cs);

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
std::string EscapeText(std::string_view text);

// One content line, folded: at most 75 octets per physical line, each continuation line
// starting with a blank; CRLF after every physical line.
std::string FoldLine(std::string_view utf8);

} // namespace cykl
