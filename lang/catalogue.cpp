// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/catalogue.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace cykl {

// Every text keeps the rules: checked once a build, here rather than in every file that
// asks for a text, and in parts, each its own constant within a compiler's budget of steps.
namespace {

constexpr std::span<const CatalogueText> AllTexts { CatalogueTexts };
constexpr std::size_t PartSize = 50;

template<std::size_t Part> constexpr bool PartsKeptFrom()
{
    constexpr std::size_t From = Part * PartSize;
    static_assert(CheckTexts(AllTexts.subspan(From, std::min(PartSize, AllTexts.size() - From))));
    if constexpr (From + PartSize < AllTexts.size())
        return PartsKeptFrom<Part + 1>();
    return true;
}

} // namespace

static_assert(PartsKeptFrom<0>());
static_assert(IdentifiersUnique(AllTexts));

namespace {

// An argument may stand in several places: the room doubles until the text fits with a
// byte to spare.
std::string Fill(std::string_view pattern, std::span<const std::string_view> args)
{
    std::size_t size = pattern.size();
    for (std::string_view arg : args)
        size += arg.size();
    std::string text(size + 1, '\0');
    for (;;) {
        const std::size_t written = FillInto(pattern, args, text).size();
        if (written < text.size()) {
            text.resize(written);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

} // namespace

std::string_view FillInto(std::string_view pattern, std::span<const std::string_view> args,
                          std::span<char> out)
{
    std::size_t written = 0;
    const auto put = [&](std::string_view part) {
        const std::size_t room = std::min(part.size(), out.size() - written);
        std::copy_n(part.begin(), room, out.begin() + static_cast<std::ptrdiff_t>(written));
        written += room;
    };
    std::size_t from = 0;
    for (std::size_t at = pattern.find('{'); at != std::string_view::npos;
         at = pattern.find('{', at + 1)) {
        const bool numbered = at + 2 < pattern.size() && pattern[at + 1] >= '1'
            && pattern[at + 1] <= '9' && pattern[at + 2] == '}';
        const auto n = numbered ? static_cast<std::size_t>(pattern[at + 1] - '1') : args.size();
        if (n >= args.size())
            continue;
        put(pattern.substr(from, at - from));
        put(args[n]);
        from = at + 3;
    }
    put(pattern.substr(from));
    return { out.data(), written };
}

std::string Say(TextKey key, Lang lang, std::initializer_list<std::string_view> args)
{
    return Fill(Say(key, lang), { args.begin(), args.size() });
}

std::string SayCount(TextKey key, Lang lang, std::int64_t count,
                     std::initializer_list<std::string_view> args)
{
    std::array<char, 24> digits {};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), count).ptr;
    std::vector<std::string_view> all { { digits.data(),
                                          static_cast<std::size_t>(end - digits.data()) } };
    all.insert(all.end(), args.begin(), args.end());
    return Fill(key.Forms(lang)[key.Counted() ? PluralForm(lang, count) : 0], all);
}

} // namespace cykl
