// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/texts.h"

#include "calendar/civil_calendar.h"

#include <array>
#include <cstddef>
#include <cstdio>

namespace cykl {

namespace {

// The cycle (0 physical, 1 emotional, 2 intellectual) of a verdict 4 to 12.
std::size_t CycleIndex(MessageCode code)
{
    return static_cast<std::size_t>(code <= 6 ? code - 4 : (code - 7) / 2) % CycleKeys.size();
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

std::string_view CzechMonthName(int month)
{
    static constexpr std::array<std::string_view, 12> Names { "leden",    "únor",     "březen",
                                                              "duben",    "květen",   "červen",
                                                              "červenec", "srpen",    "září",
                                                              "říjen",    "listopad", "prosinec" };
    return month >= 1 && month <= 12 ? Names[static_cast<std::size_t>(month - 1)]
                                     : std::string_view {};
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

std::string CycleKey(MessageCode code)
{
    return std::string(CycleKeys[CycleIndex(code)]);
}

std::string VerdictKind(MessageCode code)
{
    if (code <= 6)
        return "critical";
    return (code - 7) % 2 == 0 ? "high" : "low";
}

std::string CzechCycleKey(MessageCode code)
{
    return std::string(CzechCycleKeys[CycleIndex(code)]);
}

std::string CzechVerdictKind(MessageCode code)
{
    if (code <= 6)
        return "kritický";
    return (code - 7) % 2 == 0 ? "vrchol" : "útlum";
}

std::string CriticalMark(int criticalCycles)
{
    if (criticalCycles == 2)
        return "dvojitě kritický";
    if (criticalCycles == 3)
        return "trojitě kritický";
    return {};
}

std::string WeekdayName(const Date &date)
{
    const int weekday = CivilWeekday(date); // 0 is Sunday
    if (weekday < 0)
        return {};
    static const std::array<const char *, 7> names { "ne", "po", "út", "st", "čt", "pá", "so" };
    return names[static_cast<std::size_t>(weekday)];
}

std::string NamesInBrief(const std::vector<std::string> &names, bool *cut)
{
    constexpr std::size_t AllUpTo = 3;
    constexpr std::size_t Shown = 2;
    const bool shortened = names.size() > AllUpTo;
    if (cut != nullptr)
        *cut = shortened;
    std::string line;
    for (std::size_t i = 0; i < (shortened ? Shown : names.size()); ++i)
        line.append(i > 0 ? ", " : "").append(names[i]);
    if (!shortened)
        return line;
    const std::size_t others = names.size() - Shown;
    return line.append(" a ")
        .append(std::to_string(others))
        .append(others < 5 ? " další" : " dalších");
}

std::string SpanStartNote(const Date &start, std::string_view name)
{
    std::string note = "rozsah ";
    if (!name.empty())
        note.append("pro „").append(name).append("“ ");
    return note.append("začíná dnem narození ").append(CzechDate(start));
}

std::string LeftOutNote(const Date &day)
{
    std::string note = "den ";
    note.append(CzechDate(day)).append(" je vynechán: ");
    return note.append(IsCivilDay(day)
                           ? "kalendářové programy neznají dny po 31.12.9999"
                           : "ten je jen v kalendáři výpočtu, žádný kalendářový program ho nezná");
}

std::string AgreementHeading(std::string_view first, std::string_view second, int dayDifference)
{
    const char *days = dayDifference == 1          ? " den"
        : dayDifference >= 2 && dayDifference <= 4 ? " dny"
                                                   : " dní";
    std::string heading = "Shoda rytmů: ";
    heading.append(first).append(" a ").append(second).append(", narozeni ");
    return heading.append(std::to_string(dayDifference)).append(days).append(" od sebe");
}

} // namespace cykl
