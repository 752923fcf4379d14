// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/catalogue.h"

#include "calc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace cykl {

namespace {

// Code, icon, text, reset after the box. The texts are the catalogue's "message.N".
constexpr std::array<CatalogueEntry, 12> Catalogue = { {
    { 1, MessageStyle::Stop, "message.1", true },
    { 2, MessageStyle::Exclamation, "message.2", true },
    { 3, MessageStyle::Exclamation, "message.3", true },
    { 4, MessageStyle::Information, "message.4", false },
    { 5, MessageStyle::Information, "message.5", false },
    { 6, MessageStyle::Information, "message.6", false },
    { 7, MessageStyle::Information, "message.7", false },
    { 8, MessageStyle::Information, "message.8", false },
    { 9, MessageStyle::Information, "message.9", false },
    { 10, MessageStyle::Information, "message.10", false },
    { 11, MessageStyle::Information, "message.11", false },
    { 12, MessageStyle::Information, "message.12", false },
} };

// Every text fits its buffer with the longest number in its placeholder.
constexpr bool FitsBuffer()
{
    for (const CatalogueEntry &entry : Catalogue) {
        for (const Language &language : Languages) {
            if (entry.Text.Forms(language.Id)[0].size() + 32 > MessageBufferSize)
                return false;
        }
    }
    return true;
}
static_assert(FitsBuffer());

} // namespace

const CatalogueEntry *FindMessage(MessageCode code)
{
    for (const CatalogueEntry &entry : Catalogue) {
        if (entry.Code == code)
            return &entry;
    }
    return nullptr;
}

std::string_view ComposeMessage(const CatalogueEntry &entry, double birthYear, double targetYear,
                                MessageBuffer &buffer, Lang lang)
{
    // Whole years are subtracted in 64 bits, so that even the largest years the
    // confirmation lets through give their exact difference.
    std::array<char, 64> years {};
    char *const last = years.data() + years.size();
    char *end = years.data();
    if (IsSmallWhole(birthYear) && IsSmallWhole(targetYear) && std::abs(birthYear) < WholeLimit / 2
        && std::abs(targetYear) < WholeLimit / 2) {
        end = std::to_chars(end, last,
                            static_cast<std::int64_t>(targetYear)
                                - static_cast<std::int64_t>(birthYear))
                  .ptr;
    } else {
        end = WriteWholeNumber(end, last, targetYear - birthYear);
    }
    const std::array<std::string_view, 1> args { std::string_view(
        years.data(), static_cast<std::size_t>(end - years.data())) };
    return FillInto(Say(entry.Text, lang), args, buffer);
}

} // namespace cykl
