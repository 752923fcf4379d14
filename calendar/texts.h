// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's words for dates and verdicts, in UTF-8 and in the language asked for
// (Czech unless told): shared by the tables, the files for programs and the calendar
// writer. The words come from the catalogue; the keys for programs stay the same in
// every language.
#pragma once

#include "calc/port.h"
#include "calendar/dates.h"
#include "lang/catalogue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cykl {

std::string IsoDate(const Date &date); // 1996-03-05; the year in at least four digits
std::string CzechDate(const Date &date); // 5.3.1996
std::string IsoMonth(const Date &month); // 1996-03
// A day as a report shows it to people: Czech 5.3.1996, English "Tue 5 Mar 1996" (without
// the weekday for a day that only the calculation's calendar holds).
std::string ShownDate(const Date &date, Lang lang);
// A month as a heading shows it: Czech 3.1996, English "March 1996".
std::string ShownMonth(const Date &month, Lang lang);
// Whether a table gives the weekday a column of its own (Czech) or writes it in the
// date (English).
constexpr bool WeekdayApart(Lang lang)
{
    return lang == Lang::Cs;
}
// The month 1 to 12 in the nominative, as a caption names it ("leden", "January"); empty
// for another.
std::string_view MonthName(int month, Lang lang);
inline std::string_view CzechMonthName(int month)
{
    return MonthName(month, Lang::Cs);
}

// The name of a verdict in a few words ("kritická fyzická kondice", "vrchol síly
// intelektu"...); empty for a code outside 4 to 12.
std::string VerdictName(MessageCode code, Lang lang = Lang::Cs);

// The cycle of a verdict 4 to 12 as files for programs name it ("physical", "emotional",
// "intellectual"), and its kind ("critical", "high", "low"), in every language.
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
std::string SpanStartNote(const Date &start, std::string_view name = {}, Lang lang = Lang::Cs);
std::string LeftOutNote(const Date &day, Lang lang = Lang::Cs);

// The heading of two people's agreement: "Shoda rytmů: Jana a Petr, narozeni 23 dní od
// sebe".
std::string AgreementHeading(std::string_view first, std::string_view second, int dayDifference,
                             Lang lang = Lang::Cs);

// The caption of the mean of the three cycles' agreement, and what a cycle's agreement
// means in one sentence (Czech; the catalogue has them in every language).
inline constexpr std::string_view OverallCaption = Say("report.agreement.overall", Lang::Cs);
inline constexpr std::string_view AgreementMeaning = Say("report.agreement.meaning", Lang::Cs);

// "dvojitě kritický" or "trojitě kritický" for two or three critical cycles, else empty.
std::string CriticalMark(int criticalCycles, Lang lang = Lang::Cs);

// Names in a line short enough for a heading or a summary: up to three as they are
// ("Jana, Petr, Eva"), more as the first two and how many others ("Jana, Petr a 3 další",
// "Jana, Petr a 5 dalších"). Whether the list was cut tells `cut`.
std::string NamesInBrief(const std::vector<std::string> &names, bool *cut = nullptr,
                         Lang lang = Lang::Cs);

// The weekday of a civil day in two Czech letters ("po", "út"...) or three English ones
// ("Mon"); empty for a day that only the calculation's calendar holds.
std::string WeekdayName(const Date &date, Lang lang = Lang::Cs);

} // namespace cykl
