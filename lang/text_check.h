// SPDX-License-Identifier: GPL-3.0-or-later
// A text of the catalogue and the rules every text keeps, checked while the program
// compiles: a text that lacks a language, a plural form or a placeholder stops the build.
#pragma once

#include "lang/language.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace cykl {

using TextForms = std::array<std::string_view, MaxForms>;

// A form a language does not use. (Spelt out: value-initialised views in a constant table
// are not read back as constants by every compiler.)
inline constexpr std::string_view NoForm = "";

struct CatalogueText {
    std::string_view Id; // "menu.exit": never changes once given
    std::string_view Note; // for translators: what the text is for, where it shows
    bool Counted; // plural forms chosen by the number in {1}
    std::array<TextForms, LanguageCount> Forms; // by language, then by plural form
};

// One form in each language.
constexpr CatalogueText PlainText(std::string_view id, std::string_view note,
                                  std::string_view czech, std::string_view english)
{
    return { id, note, false, { { { czech, NoForm, NoForm }, { english, NoForm, NoForm } } } };
}

// Czech one, few and other; English one and other. {1} is the number.
constexpr CatalogueText CountedText(std::string_view id, std::string_view note,
                                    const std::array<std::string_view, 3> &czech,
                                    const std::array<std::string_view, 2> &english)
{
    return {
        id, note, true, { { { czech[0], czech[1], czech[2] }, { english[0], english[1], NoForm } } }
    };
}

namespace text_rules {

// Called where a text breaks a rule: not a constant expression, so in the compile-time
// check the compiler stops here and shows this line, which names the rule.
inline void Broken(const char * /*rule*/) { }

// The placeholders {1} to {9} of a form as a bit set; bit 0 marks a brace that is no
// placeholder.
constexpr unsigned Placeholders(std::string_view form)
{
    unsigned found = 0;
    for (std::size_t at = form.find('{'); at != std::string_view::npos;
         at = form.find('{', at + 1)) {
        const std::string_view rest = form.substr(at);
        if (rest.size() < 3 || rest[1] < '1' || rest[1] > '9' || rest[2] != '}')
            found |= 1U;
        else
            found |= 1U << static_cast<unsigned>(rest[1] - '0');
    }
    return found;
}

// Every form a language needs is there, and none beyond.
constexpr void CheckForms(const CatalogueText &text)
{
    for (const Language &language : Languages) {
        const TextForms &forms = text.Forms[static_cast<std::size_t>(language.Id)];
        const std::size_t needed = text.Counted ? language.PluralForms : 1;
        for (std::size_t form = 0; form < MaxForms; ++form) {
            if (form < needed && forms[form].empty())
                Broken("a text lacks a language or a plural form");
            if (form >= needed && !forms[form].empty())
                Broken("a text has a form its language does not use");
        }
    }
}

// Every form has the same placeholders, numbered from {1} without a gap; a counted text
// has its number in {1}.
constexpr void CheckPlaceholders(const CatalogueText &text)
{
    unsigned all = 0;
    for (const TextForms &forms : text.Forms) {
        for (std::string_view form : forms)
            all |= Placeholders(form);
    }
    if ((all & 1U) != 0)
        Broken("a brace that is no placeholder {1} to {9}");
    if (((all >> 1) & ((all >> 1) + 1)) != 0)
        Broken("placeholders must be numbered from {1} without a gap");
    if (text.Counted && (all & 2U) == 0)
        Broken("a counted text has no {1} for its number");
    for (const TextForms &forms : text.Forms) {
        for (std::string_view form : forms) {
            if (!form.empty() && Placeholders(form) != all)
                Broken("a text lacks a placeholder in one of its forms");
        }
    }
}

} // namespace text_rules

// True when every text keeps the rules and has its identifier and its note; evaluated as
// a constant, a broken rule is a compile error naming it.
constexpr bool CheckTexts(std::span<const CatalogueText> texts)
{
    for (const CatalogueText &text : texts) {
        if (text.Id.empty() || text.Note.empty())
            text_rules::Broken("a text lacks its identifier or its note for translators");
        text_rules::CheckForms(text);
        text_rules::CheckPlaceholders(text);
    }
    return true;
}

// True when no two texts share an identifier. Each identifier takes a place in a table by
// its hash, and only those that meet at a place are compared, so that the check stays
// within a compiler's budget for one constant as the catalogue grows.
constexpr bool IdentifiersUnique(std::span<const CatalogueText> texts)
{
    constexpr std::size_t Places = 4096;
    if (texts.size() * 2 > Places)
        text_rules::Broken("more texts than the check of their identifiers has places");
    std::array<std::size_t, Places> taken {}; // a text's index and one; 0: free
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::size_t hash = 0;
        for (const char c : texts[i].Id)
            hash = hash * 31 + static_cast<unsigned char>(c);
        std::size_t place = hash % Places;
        for (; taken[place] != 0; place = (place + 1) % Places) {
            if (texts[taken[place] - 1].Id == texts[i].Id)
                text_rules::Broken("two texts share an identifier");
        }
        taken[place] = i + 1;
    }
    return true;
}

constexpr bool CheckCatalogue(std::span<const CatalogueText> texts)
{
    return CheckTexts(texts) && IdentifiersUnique(texts);
}

} // namespace cykl
