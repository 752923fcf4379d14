// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/texts.h"

#include <array>
#include <cstddef>
#include <cstdio>

namespace cykl {

namespace {

bool IsCivilLeap(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int CivilDaysInMonth(int month, int year)
{
    static constexpr std::array<int, 12> Lengths { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return Lengths[static_cast<std::size_t>(month - 1)] + (month == 2 && IsCivilLeap(year));
}

} // namespace

std::string IsoDate(const Date &date)
{
    std::array<char, 32> text {};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    return text.data();
}

std::string CzechDate(const Date &date)
{
    return std::to_string(date.Day) + '.' + std::to_string(date.Month) + '.'
        + std::to_string(date.Year);
}

std::string IsoMonth(const Date &month)
{
    const std::string iso = IsoDate(month);
    return iso.substr(0, iso.size() - 3);
}

std::string VerdictName(MessageCode code)
{
    static const std::array<const char *, 9> names {
        "kritická fyzická kondice", "kritická citová vnímavost", "kritická síla intelektu",
        "vrchol fyzické kondice",   "útlum fyzické kondice",     "vrchol citové vnímavosti",
        "útlum citové vnímavosti",  "vrchol síly intelektu",     "útlum síly intelektu",
    };
    if (code < 4 || code > 12)
        return {};
    return names[static_cast<std::size_t>(code - 4)];
}

std::string CriticalMark(int criticalCycles)
{
    if (criticalCycles == 2)
        return "dvojitě kritický";
    if (criticalCycles == 3)
        return "trojitě kritický";
    return {};
}

bool IsCivilDay(const Date &date)
{
    return date.Year >= FirstYear && date.Year <= LastYear && date.Month >= 1 && date.Month <= 12
        && date.Day >= 1 && date.Day <= CivilDaysInMonth(date.Month, date.Year);
}

Date NextCivilDay(const Date &date)
{
    if (date.Day < CivilDaysInMonth(date.Month, date.Year))
        return { date.Day + 1, date.Month, date.Year };
    return NextMonth(date);
}

std::string WeekdayName(const Date &date)
{
    if (!IsCivilDay(date))
        return {};
    // Sakamoto's rule on the proleptic civil calendar: 0 is Sunday.
    static constexpr std::array<int, 12> Offsets { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    const int year = date.Year - (date.Month < 3 ? 1 : 0);
    const int sunday0 = (year + year / 4 - year / 100 + year / 400
                         + Offsets[static_cast<std::size_t>(date.Month - 1)] + date.Day)
        % 7;
    static const std::array<const char *, 7> names { "ne", "po", "út", "st", "čt", "pá", "so" };
    return names[static_cast<std::size_t>(sunday0)];
}

} // namespace cykl
