// SPDX-License-Identifier: GPL-3.0-or-later
#include "diary/plan.h"

#include "calendar/civil_calendar.h"
#include "calendar/texts.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace cykl::diary {

namespace {

constexpr std::string_view Heading = "cyklometrika diary plan 1";
constexpr std::array<std::string_view, 3> ScaleNames = { "energy", "mood", "focus" };

std::optional<int> WholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

template<typename T, std::size_t N>
std::optional<T> NamedIn(const std::array<std::string_view, N> &names, std::string_view name)
{
    for (std::size_t k = 0; k < N; ++k) {
        if (names[k] == name)
            return static_cast<T>(k);
    }
    return std::nullopt;
}

// Splits off the text up to the next separator (or the end).
std::string_view Take(std::string_view &text, char separator)
{
    const std::size_t at = text.find(separator);
    const std::string_view head = text.substr(0, at);
    text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
    return head;
}

// "key value" with exactly this key; the value, or nothing.
std::optional<std::string_view> Field(std::string_view line, std::string_view key)
{
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ')
        return std::nullopt;
    return line.substr(key.size() + 1);
}

std::optional<Date> CivilIso(std::optional<std::string_view> text)
{
    if (!text)
        return std::nullopt;
    const std::optional<Date> date = ParseDate(*text);
    if (!date || !IsCivilDay(*date) || IsoDate(*date) != *text)
        return std::nullopt;
    return date;
}

std::optional<Hypothesis> HypothesisLine(std::string_view line)
{
    std::optional<std::string_view> rest = Field(line, "test");
    if (!rest)
        return std::nullopt;
    const auto cycle = NamedIn<Cycle>(CycleKeys, Take(*rest, ' '));
    const auto scale = NamedIn<Scale>(ScaleNames, Take(*rest, ' '));
    if (!cycle || !scale || *rest != "higher")
        return std::nullopt;
    return Hypothesis { *cycle, *scale };
}

std::optional<int> AlphaValue(std::optional<std::string_view> text)
{
    if (!text || text->size() != 6 || text->substr(0, 2) != "0.")
        return std::nullopt;
    const std::optional<int> value = WholeNumber(text->substr(2));
    if (!value || *value < 1 || *value > 5000)
        return std::nullopt;
    return value;
}

std::optional<int> DaysValue(std::optional<std::string_view> text)
{
    const std::optional<int> value = text ? WholeNumber(*text) : std::nullopt;
    if (!value || *value < 1)
        return std::nullopt;
    return value;
}

} // namespace

Plan DefaultPlan(const Date &birth, const Date &registered)
{
    return { .Birth = birth,
             .Registered = registered,
             .Hypotheses = { { Cycle::Physical, Scale::Energy },
                             { Cycle::Emotional, Scale::Mood },
                             { Cycle::Intellectual, Scale::Focus } } };
}

std::string_view CycleName(Cycle cycle)
{
    return CycleKeys.at(static_cast<std::size_t>(cycle));
}

std::string_view ScaleName(Scale scale)
{
    return ScaleNames.at(static_cast<std::size_t>(scale));
}

std::string PlanText(const Plan &plan)
{
    std::array<char, 16> alpha {};
    std::snprintf(alpha.data(), alpha.size(), "0.%04d", plan.AlphaPerTenThousand);
    std::string text = std::string(Heading) + "\nbirth " + IsoDate(plan.Birth) + "\nregistered "
        + IsoDate(plan.Registered) + "\nalpha " + alpha.data() + "\ncorrection holm\nminimum-days "
        + std::to_string(plan.MinimumDays) + "\n";
    for (const Hypothesis &h : plan.Hypotheses)
        text += "test " + std::string(CycleName(h.Curve)) + " " + std::string(ScaleName(h.Rating))
            + " higher\n";
    return text;
}

std::optional<Plan> ParsePlan(std::string_view text)
{
    const std::string_view original = text;
    if (Take(text, '\n') != Heading)
        return std::nullopt;
    const auto birth = CivilIso(Field(Take(text, '\n'), "birth"));
    const auto registered = CivilIso(Field(Take(text, '\n'), "registered"));
    const auto alpha = AlphaValue(Field(Take(text, '\n'), "alpha"));
    const bool holm = Take(text, '\n') == "correction holm";
    const auto days = DaysValue(Field(Take(text, '\n'), "minimum-days"));
    if (!birth || !registered || !alpha || !holm || !days)
        return std::nullopt;
    Plan plan { .Birth = *birth,
                .Registered = *registered,
                .Hypotheses = {},
                .AlphaPerTenThousand = *alpha,
                .MinimumDays = *days };
    while (!text.empty()) {
        const auto hypothesis = HypothesisLine(Take(text, '\n'));
        if (!hypothesis)
            return std::nullopt;
        plan.Hypotheses.push_back(*hypothesis);
    }
    if (plan.Hypotheses.empty() || PlanText(plan) != original)
        return std::nullopt;
    return plan;
}

std::string PlanChecksum(const Plan &plan)
{
    std::array<char, 24> text {};
    std::snprintf(text.data(), text.size(), "%016llx",
                  static_cast<unsigned long long>(Fnv1a(PlanText(plan))));
    return text.data();
}

} // namespace cykl::diary
