// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/catalogue.h"

#include "calc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace cykl {

namespace {

// Code, icon, first part, second part, years first, reset after the box. The texts keep
// their spelling as written, háčeks missing and all ("neprícetnými", "proc", "ješte");
// only message 10 has a č, in "Vuči" (towards).
constexpr std::array<CatalogueEntry, 12> Catalogue = { {
    { 1, MessageStyle::Stop, "S neprícetnými a nesvéprávnými osobami jako jste Vy, ",
      "odmítám spolupracovat !", false, true },
    { 2, MessageStyle::Exclamation, "V udaný den jste ješte nebyl(a) na svete a nechápu proto, ",
      "proc Vás tak zajímá Vaše kondice. ", false, true },
    { 3, MessageStyle::Exclamation, " let by nevydržel ani ten nejodolnejší ",
      "azerbajdžánský dedoušek !", true, true },
    { 4, MessageStyle::Information,
      "Dnešní den je pro Vás kritický, pokud se týká fyzické kondice.", "", false, false },
    { 5, MessageStyle::Information, "Dnes prožíváte citovou krizi !", "", false, false },
    { 6, MessageStyle::Information, "Pozor na unáhlená rozhodnutí; Vaše inteligence je v krizi !",
      "", false, false },
    { 7, MessageStyle::Information, "Dnes jste na vrcholu svých fyzických sil.", "", false, false },
    { 8, MessageStyle::Information, "Dnes jste v hlubokém útlumu svých fyzických schopností.", "",
      false, false },
    { 9, MessageStyle::Information, "Práve dnes jste schopen(na) nejhlubších citových prožitku.",
      "", false, false },
    { 10, MessageStyle::Information, "Vuči okolí jste dnes ponekud nevnímavý(á) (nechci použít ",
      "výrazu tupý(á)) !", false, false },
    { 11, MessageStyle::Information, "Dnes Vám jde myšlení samo, že? Však také Vaše intelektuální ",
      "schopnosti nyní ukazují na Nobelovu cenu !", false, false },
    { 12, MessageStyle::Information, "Obávám se, že si dnes jakýmkoliv premýšlením nanejvýš ",
      "ublížíte.", false, false },
} };

char *Append(char *first, char *last, std::string_view text)
{
    if (static_cast<std::size_t>(last - first) < text.size())
        return first;
    return std::copy(text.begin(), text.end(), first);
}

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
                                MessageBuffer &buffer)
{
    char *const first = buffer.data();
    char *const last = first + buffer.size();
    char *out = first;
    if (entry.YearsFirst) {
        // Whole years are subtracted in 64 bits, so that even the largest years the
        // confirmation lets through give their exact difference.
        if (IsSmallWhole(birthYear) && IsSmallWhole(targetYear)
            && std::abs(birthYear) < WholeLimit / 2 && std::abs(targetYear) < WholeLimit / 2) {
            const std::int64_t years
                = static_cast<std::int64_t>(targetYear) - static_cast<std::int64_t>(birthYear);
            out = std::to_chars(out, last, years).ptr;
        } else {
            out = WriteWholeNumber(out, last, targetYear - birthYear);
        }
    }
    out = Append(out, last, entry.FirstPart);
    out = Append(out, last, entry.SecondPart);
    return { first, static_cast<std::size_t>(out - first) };
}

} // namespace cykl
