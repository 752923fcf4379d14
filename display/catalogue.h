// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve message boxes of the calculation: codes, texts, icons and follow-ups.
#pragma once

#include "calc/port.h"
#include "display/seams.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace cykl {

inline constexpr std::string_view MessageTitle = "Cyklometrika";

struct CatalogueEntry {
    MessageCode Code;
    MessageStyle Style;
    std::string_view FirstPart;
    std::string_view SecondPart; // empty when the box has a single part
    bool YearsFirst; // the difference of the two years goes in front of the text
    bool ResetsDisplay; // ResetDisplay runs after the box is closed
};

// The entry of a code, or nullptr for a code outside 1 to 12.
const CatalogueEntry *FindMessage(MessageCode code);

// Room for the longest text: every part fits with the longest number in front.
inline constexpr std::size_t MessageBufferSize = 256;
using MessageBuffer = std::array<char, MessageBufferSize>;

// The text of a box, built in buffer: for message 3 the years' difference first, then the
// first part, then the second part.
std::string_view ComposeMessage(const CatalogueEntry &entry, double birthYear, double targetYear,
                                MessageBuffer &buffer);

} // namespace cykl
