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

std::string Text(TextKey key, Lang lang)
{
    return std::string(Say(key, lang));
}

constexpr std::array<TextKey, 12> MonthNames {
    "report.month.1", "report.month.2",  "report.month.3",  "report.month.4",
    "report.month.5", "report.month.6",  "report.month.7",  "report.month.8",
    "report.month.9", "report.month.10", "report.month.11", "report.month.12",
};

constexpr std::array<TextKey, 12> MonthsOf {
    "report.month.of.1", "report.month.of.2",  "report.month.of.3",  "report.month.of.4",
    "report.month.of.5", "report.month.of.6",  "report.month.of.7",  "report.month.of.8",
    "report.month.of.9", "report.month.of.10", "report.month.of.11", "report.month.of.12",
};

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

std::string ShownDate(const Date &date, Lang lang)
{
    if (lang == Lang::Cs || date.Month < 1 || date.Month > 12)
        return CzechDate(date);
    const std::string day = std::to_string(date.Day);
    const std::string year = std::to_string(date.Year);
    const std::string_view month = Say(MonthsOf[static_cast<std::size_t>(date.Month - 1)], lang);
    const std::string weekday = WeekdayName(date, lang);
    if (weekday.empty())
        return Say("report.date.written.plain", lang, { day, month, year });
    return Say("report.date.written", lang, { weekday, day, month, year });
}

std::string ShownMonth(const Date &month, Lang lang)
{
    if (lang == Lang::Cs || month.Month < 1 || month.Month > 12)
        return std::to_string(month.Month) + '.' + std::to_string(month.Year);
    return Say("report.month.written", lang,
               { MonthName(month.Month, lang), std::to_string(month.Year) });
}

std::string_view MonthName(int month, Lang lang)
{
    return month >= 1 && month <= 12 ? Say(MonthNames[static_cast<std::size_t>(month - 1)], lang)
                                     : std::string_view {};
}

std::string VerdictName(MessageCode code, Lang lang)
{
    static constexpr std::array<TextKey, 9> Names {
        "report.verdict.4",  "report.verdict.5",  "report.verdict.6",
        "report.verdict.7",  "report.verdict.8",  "report.verdict.9",
        "report.verdict.10", "report.verdict.11", "report.verdict.12",
    };
    if (code < 4 || code > 12)
        return {};
    return Text(Names[static_cast<std::size_t>(code - 4)], lang);
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

std::string CriticalMark(int criticalCycles, Lang lang)
{
    if (criticalCycles == 2)
        return Text("report.mark.2", lang);
    if (criticalCycles == 3)
        return Text("report.mark.3", lang);
    return {};
}

std::string WeekdayName(const Date &date, Lang lang)
{
    const int weekday = CivilWeekday(date); // 0 is Sunday
    if (weekday < 0)
        return {};
    static constexpr std::array<TextKey, 7> Names {
        "report.weekday.0", "report.weekday.1", "report.weekday.2", "report.weekday.3",
        "report.weekday.4", "report.weekday.5", "report.weekday.6",
    };
    return Text(Names[static_cast<std::size_t>(weekday)], lang);
}

std::string NamesInBrief(const std::vector<std::string> &names, bool *cut, Lang lang)
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
    const auto others = static_cast<std::int64_t>(names.size() - Shown);
    return SayCount("report.names.others", lang, others, { line });
}

std::string SpanStartNote(const Date &start, std::string_view name, Lang lang)
{
    const std::string day = ShownDate(start, lang);
    if (name.empty())
        return Say("report.note.span.start", lang, { day });
    return Say("report.note.span.start.person", lang, { name, day });
}

std::string LeftOutNote(const Date &day, Lang lang)
{
    const std::string shown = ShownDate(day, lang);
    return IsCivilDay(day) ? Say("report.note.left.out.late", lang, { shown })
                           : Say("report.note.left.out.calculation", lang, { shown });
}

std::string AgreementHeading(std::string_view first, std::string_view second, int dayDifference,
                             Lang lang)
{
    return SayCount("report.agreement.heading", lang, dayDifference, { first, second });
}

} // namespace cykl
