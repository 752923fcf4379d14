// SPDX-License-Identifier: GPL-3.0-or-later
// The program's languages and their plural rules. Czech is the program's own language and
// the default everywhere; English is the second.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace cykl {

enum class Lang : std::uint8_t { Cs, En };

inline constexpr std::size_t LanguageCount = 2;
// The most plural forms a language here needs (Czech: one, few, other).
inline constexpr std::size_t MaxForms = 3;

struct Language {
    Lang Id;
    std::string_view Code; // the language tag: "cs", "en"
    std::size_t PluralForms; // forms of a counted text
};

inline constexpr std::array<Language, LanguageCount> Languages { {
    { Lang::Cs, "cs", 3 },
    { Lang::En, "en", 2 },
} };

constexpr const Language &LanguageOf(Lang lang)
{
    return Languages[static_cast<std::size_t>(lang)];
}

// The language of a tag ("cs", "en"), or none.
constexpr std::optional<Lang> FindLanguage(std::string_view code)
{
    for (const Language &language : Languages) {
        if (language.Code == code)
            return language.Id;
    }
    return std::nullopt;
}

// The plural form of a whole number: Czech one (1), few (2 to 4), other (0, 5 and up, 21,
// 22, 101...); English one (1), other. Only the number's size counts.
constexpr std::size_t PluralForm(Lang lang, std::int64_t n)
{
    const std::uint64_t size
        = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    if (size == 1)
        return 0;
    if (lang == Lang::Cs && size >= 2 && size <= 4)
        return 1;
    return LanguageOf(lang).PluralForms - 1;
}

} // namespace cykl
