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

const std::array<Cycle, 3> &Cycles()
{
    static constexpr std::array<Cycle, 3> All { {
        { "Fyzická kondice", " 23 denní perioda", 23 },
        { "Citová vnímavost", " 28 denní perioda", 28 },
        { "Síla intelektu", " 33 denní perioda", 33 },
    } };
    return All;
}

std::string LegendRow(int index)
{
    const Cycle &cycle = Cycles().at(static_cast<std::size_t>(index));
    return std::string(cycle.Caption) + " (" + std::to_string(cycle.Days) + " dní)";
}

std::string SeriesName(int index)
{
    static constexpr std::array<std::string_view, 3> Names {
        "fyzická kondice",
        "citová vnímavost",
        "síla intelektu",
    };
    if (index >= 0 && index < static_cast<int>(Names.size())) {
        return std::string(Names[static_cast<std::size_t>(index)]);
    }
    return "řada " + std::to_string(index + 1);
}

const std::array<std::string_view, 5> &FontFamilies()
{
    static constexpr std::array<std::string_view, 5> Families {
        "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans",
    };
    return Families;
}

} // namespace cykl::look
