// SPDX-License-Identifier: GPL-3.0-or-later
// A catalogue of one text, sound or broken by the rule FAULT names, checked as the
// program's own catalogue is: check_broken_text.cmake compiles it once per fault.
#include "lang/text_check.h"

namespace {

using namespace cykl;

constexpr std::array Table
{
#if FAULT == 0 // sound
    CountedText("days", "sound", { "{1} den", "{1} dny", "{1} dní" }, { "{1} day", "{1} days" }),
#elif FAULT == 1 // no English
    PlainText("greeting", "no English", "Dobrý den", ""),
#elif FAULT == 2 // Czech few missing
    CountedText("days", "no few", { "{1} den", "", "{1} dní" }, { "{1} day", "{1} days" }),
#elif FAULT == 3 // English lacks {2}
    PlainText("error", "no {2} in English", "Chyba {1}: {2}", "Error {1}"),
#elif FAULT == 4 // {2} without {1}
    PlainText("gap", "placeholders with a gap", "{2} dní", "{2} days"),
#endif
};

static_assert(CheckCatalogue(Table));

} // namespace
