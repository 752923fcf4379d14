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

// A text of the catalogue, found while compiling. It carries the text's forms itself, so a
// program holds the texts it uses and not the whole catalogue with its notes.
class TextKey {
public:
    // Not explicit: a text is asked for by its identifier alone, Say("menu.exit", lang).
    consteval TextKey(const char *id) : text_(Find(id)) { }

    constexpr bool Counted() const { return text_.Counted; }
    constexpr const TextForms &Forms(Lang lang) const
    {
        return text_.Forms[static_cast<std::size_t>(lang)];
    }

private:
    struct Found {
        bool Counted;
        std::array<TextForms, LanguageCount> Forms;
    };

    static consteval Found Find(std::string_view id)
    {
        for (const CatalogueText &text : CatalogueTexts) {
            if (text.Id == id)
                return { text.Counted, text.Forms };
        }
        text_rules::Broken("no text of the catalogue has this identifier");
        return {};
    }

    Found text_;
};

// The text in lang, its placeholders as they are (a counted text: its form for many).
constexpr std::string_view Say(TextKey key, Lang lang)
{
    return key.Forms(lang)[key.Counted() ? LanguageOf(lang).PluralForms - 1 : 0];
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

} // namespace cykl
