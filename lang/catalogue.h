// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue of every text a user reads, in each language: a text is asked for by its
// identifier, which the compiler looks up (an unknown identifier does not compile), and
// its placeholders {1}, {2}... are filled in by number.
#pragma once

#include "lang/language.h"
#include "lang/texts.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace cykl {

// A text of the catalogue, found while compiling.
class TextKey {
public:
    consteval TextKey(const char *id) : index_(IndexOf(id)) { } // NOLINT: made from literals

    constexpr const CatalogueText &Entry() const { return CatalogueTexts[index_]; }

private:
    static consteval std::size_t IndexOf(std::string_view id)
    {
        for (std::size_t i = 0; i < CatalogueTexts.size(); ++i) {
            if (CatalogueTexts[i].Id == id)
                return i;
        }
        throw "no text of the catalogue has this identifier";
    }

    std::size_t index_;
};

// The text in lang, its placeholders as they are (a counted text: its form for many).
constexpr std::string_view Say(TextKey key, Lang lang)
{
    const TextForms &forms = key.Entry().Forms[static_cast<std::size_t>(lang)];
    return key.Entry().Counted ? forms[LanguageOf(lang).PluralForms - 1] : forms[0];
}

// The text in lang with {n} replaced by args[n - 1].
std::string Say(TextKey key, Lang lang, std::initializer_list<std::string_view> args);

// A counted text in the form for count, which fills {1}; args fill {2} onwards.
std::string SayCount(TextKey key, Lang lang, std::int64_t count,
                     std::initializer_list<std::string_view> args = {});

// pattern with {n} replaced by args[n - 1], written into out; a placeholder without an
// argument stays as it is. Stops at the end of out: returns what was written.
std::string_view FillInto(std::string_view pattern, std::span<const std::string_view> args,
                          std::span<char> out);

// The same text in lang for the Czech text czech, or czech itself when the catalogue has
// no such Czech text (a text that reaches the window from the calculation).
std::string_view Translate(std::string_view czech, Lang lang);

} // namespace cykl
