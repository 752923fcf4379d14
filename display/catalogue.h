// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve message boxes of the calculation: codes, texts, icons and follow-ups.
#pragma once

#include "calc/port.h"
#include "display/seams.h"
#include "lang/catalogue.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace cykl {

struct CatalogueEntry {
    MessageCode Code;
    MessageStyle Style;
    TextKey Text; // {1}: the difference of the two years
    bool ResetsDisplay; // ResetDisplay runs after the box is closed
};

// The entry of a code, or nullptr for a code outside 1 to 12.
const CatalogueEntry *FindMessage(MessageCode code);

// Room for the longest text: every part fits with the longest number in front.
inline constexpr std::size_t MessageBufferSize = 256;
using MessageBuffer = std::array<char, MessageBufferSize>;

// The text of a box in lang, built in buffer, with the difference of the two years in its
// placeholder (message 3).
std::string_view ComposeMessage(const CatalogueEntry &entry, double birthYear, double targetYear,
                                MessageBuffer &buffer, Lang lang = Lang::Cs);

} // namespace cykl
