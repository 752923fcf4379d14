// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/chart_look.h"

#include <cstddef>

namespace cykl::look {

const SeriesColours &ColoursOf(int index)
{
    static constexpr std::array<SeriesColours, 6> Palette { {
        { { 0, 0, 255 }, { 0, 0, 255 }, { 0, 0, 255 }, { 255, 255, 255 } },
        { { 0, 255, 0 }, { 0, 190, 0 }, { 0, 255, 0 }, { 0, 0, 0 } },
        { { 0, 255, 255 }, { 0, 255, 255 }, { 0, 255, 255 }, { 0, 0, 0 } },
        { { 255, 0, 0 }, { 220, 0, 0 }, { 255, 0, 0 }, { 255, 255, 255 } },
        { { 255, 0, 255 }, { 200, 0, 200 }, { 255, 0, 255 }, { 255, 255, 255 } },
        { { 192, 192, 0 }, { 128, 128, 0 }, { 192, 192, 0 }, { 0, 0, 0 } },
    } };
    const auto size = static_cast<int>(Palette.size());
    return Palette[static_cast<std::size_t>(((index % size) + size) % size)];
}

namespace {

constexpr std::array<Cycle, 3> CyclesIn(Lang lang)
{
    return { {
        { Say("cycle.physical", lang), Say("period.physical", lang), 23 },
        { Say("cycle.emotional", lang), Say("period.emotional", lang), 28 },
        { Say("cycle.intellectual", lang), Say("period.intellectual", lang), 33 },
    } };
}

} // namespace

const std::array<Cycle, 3> &Cycles(Lang lang)
{
    static constexpr std::array<std::array<Cycle, 3>, LanguageCount> All { CyclesIn(Lang::Cs),
                                                                           CyclesIn(Lang::En) };
    return All.at(static_cast<std::size_t>(lang));
}

std::string LegendRow(int index, Lang lang)
{
    const Cycle &cycle = Cycles(lang).at(static_cast<std::size_t>(index));
    return SayCount("legend.row", lang, cycle.Days, { cycle.Caption });
}

std::string SeriesName(int index, Lang lang)
{
    switch (index) {
    case 0:
        return std::string(Say("series.physical", lang));
    case 1:
        return std::string(Say("series.emotional", lang));
    case 2:
        return std::string(Say("series.intellectual", lang));
    default:
        return Say("series.other", lang, { std::to_string(index + 1) });
    }
}

const std::array<std::string_view, 5> &FontFamilies()
{
    static constexpr std::array<std::string_view, 5> Families {
        "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans",
    };
    return Families;
}

} // namespace cykl::look
