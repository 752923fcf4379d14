// SPDX-License-Identifier: GPL-3.0-or-later
// The page's one question to the engine and its one answer. The page says, one line each
// with tab-separated values, what it holds and what it wants; the answer is one JSON
// document with everything to show. Lines, each optional:
//   lang cs|en                   the language of every text of the answer (Czech without it);
//                                a change resets the display
//   plural N                     the plural form of the whole number N in that language, the
//                                index of a counted text's form (lang/language.h)
//   fields T1 T2 T3 T4 T5 T6     the six field texts; a changed one unconfirms, as typing does
//   confirm | reset              the confirm button, or the display reset
//   birth                        the window's refusal (0 to 3) of the birth date alone
//   month WIDTH HEIGHT           both charts as SVG, the month laid out at that size
//   second D M Y NAME1 NAME2     a second person (the names may be empty) for the target day
//   critical D M Y D M Y CAL     the critical days of a span and its notes (CAL 1: with the
//                                notes on days a calendar file leaves out)
//   calendar YEAR Y M D H M S    a year's critical days as iCalendar, stamped in UTC
//   shared D M Y D M Y CAL       the two people's shared days of a span and its notes
//   shared-calendar YEAR Y M D H M S
// The answer: {"state", "plural", "birth_refusal", "charts": {"month", "day", "second"}, "second",
// "agreement", "critical", "notes", "calendar", "shared", "shared_notes", "shared_calendar"}, each
// where asked for; the second person's state and curves, and the agreement, only while a
// confirmation of the fields is on show, so nothing of a pair outlives a refused or unconfirmed
// first person.
#pragma once

#include "web/session.h"

#include <string>
#include <string_view>

namespace cykl::web {

class Page final {
public:
    std::string Answer(std::string_view request);

private:
    Session window_;
    Session second_; // the second person's birth, the target of window_
};

} // namespace cykl::web
