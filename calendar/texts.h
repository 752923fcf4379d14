// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's words for dates and verdicts, in UTF-8: shared by the tables, the files
// for programs and the calendar writer.
#pragma once

#include "calc/port.h"
#include "calendar/dates.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cykl {

std::string IsoDate(const Date &date); // 1996-03-05; the year in at least four digits
std::string CzechDate(const Date &date); // 5.3.1996
std::string IsoMonth(const Date &month); // 1996-03
// The month 1 to 12 in the nominative, as a caption names it ("leden"); empty for another.
std::string_view CzechMonthName(int month);

// The name of a verdict in a few Czech words ("kritická fyzická kondice", "vrchol síly
// intelektu"...); empty for a code outside 4 to 12.
std::string VerdictName(MessageCode code);

// The cycle of a verdict 4 to 12 as files for programs name it ("physical", "emotional",
// "intellectual"), and its kind ("critical", "high", "low").
std::string CycleKey(MessageCode code);
// The cycles' keys by index (physical, emotional, intellectual), as CycleKey gives them.
inline constexpr std::array<std::string_view, 3> CycleKeys { "physical", "emotional",
                                                             "intellectual" };
std::string VerdictKind(MessageCode code);
// The same in Czech for a spreadsheet: "fyzická", "citová", "intelekt" (the headings of
// its columns of values, by index in CzechCycleKeys), and "kritický", "vrchol", "útlum".
inline constexpr std::array<std::string_view, 3> CzechCycleKeys { "fyzická", "citová", "intelekt" };
std::string CzechCycleKey(MessageCode code);
std::string CzechVerdictKind(MessageCode code);

// The notes on a span and on a calendar file, as the companion writes them after its
// name: "rozsah začíná dnem narození 10.1.1996" for a span that starts before the birth
// ("rozsah pro „Jana“ začíná..." of one of several people), "den 29.2.1900 je vynechán:
// ..." for a day a calendar file leaves out (one that only the calculation's calendar
// holds, or one whose event would end after 31.12.9999).
std::string SpanStartNote(const Date &start, std::string_view name = {});
std::string LeftOutNote(const Date &day);

// The heading of two people's agreement: "Shoda rytmů: Jana a Petr, narozeni 23 dní od
// sebe" (1 den, 2 to 4 dny, other numbers dní).
std::string AgreementHeading(std::string_view first, std::string_view second, int dayDifference);

// The caption of the mean of the three cycles' agreement.
inline constexpr std::string_view OverallCaption = "Celkem";

// What a cycle's agreement means, in one sentence.
inline constexpr std::string_view AgreementMeaning
    = "Shoda cyklu je podíl jeho průběhu, kdy obě křivky stojí na stejné straně nuly; "
      "nezávisí na dni, je stejná každý den.";

// "dvojitě kritický" or "trojitě kritický" for two or three critical cycles, else empty.
std::string CriticalMark(int criticalCycles);

// Names in a line short enough for a heading or a summary: up to three as they are
// ("Jana, Petr, Eva"), more as the first two and how many others ("Jana, Petr a 3 další",
// "Jana, Petr a 5 dalších"). Whether the list was cut tells `cut`.
std::string NamesInBrief(const std::vector<std::string> &names, bool *cut = nullptr);

// The weekday of a civil day in two Czech letters ("po", "út"...); empty for a day that
// only the calculation's calendar holds.
std::string WeekdayName(const Date &date);

} // namespace cykl
