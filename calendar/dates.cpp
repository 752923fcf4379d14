// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/dates.h"

#include "calc/chain.h"

#include <array>
#include <cstddef>

namespace cykl {

namespace {

constexpr int MaxYearDigits = 9; // keeps every year within an int

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A run of digits, its count within [least, most], as a number.
std::optional<int> Digits(std::string_view text, std::size_t least, std::size_t most)
{
    if (text.size() < least || text.size() > most)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = 10 * value + (c - '0');
    }
    return value;
}

// Splits text at every separator into exactly N parts.
template<std::size_t N>
std::optional<std::array<std::string_view, N>> Split(std::string_view text, char separator)
{
    std::array<std::string_view, N> parts;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t at = text.find(separator);
        if ((at == std::string_view::npos) != (i == N - 1))
            return std::nullopt;
        parts[i] = text.substr(0, at);
        text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    }
    return parts;
}

} // namespace

std::optional<Date> ParseDate(std::string_view text)
{
    text = Trimmed(text);
    if (const auto czech = Split<3>(text, '.')) {
        const auto day = Digits((*czech)[0], 1, 2);
        const auto month = Digits((*czech)[1], 1, 2);
        const auto year = Digits((*czech)[2], 1, MaxYearDigits);
        if (day && month && year)
            return Date { *day, *month, *year };
        return std::nullopt;
    }
    if (const auto iso = Split<3>(text, '-')) {
        const auto year = Digits((*iso)[0], 4, MaxYearDigits);
        const auto month = Digits((*iso)[1], 2, 2);
        const auto day = Digits((*iso)[2], 2, 2);
        if (day && month && year)
            return Date { *day, *month, *year };
    }
    return std::nullopt;
}

std::optional<Date> ParseMonth(std::string_view text)
{
    text = Trimmed(text);
    if (const auto czech = Split<2>(text, '.')) {
        const auto month = Digits((*czech)[0], 1, 2);
        const auto year = Digits((*czech)[1], 1, MaxYearDigits);
        if (month && year)
            return Date { 1, *month, *year };
        return std::nullopt;
    }
    if (const auto iso = Split<2>(text, '-')) {
        const auto year = Digits((*iso)[0], 4, MaxYearDigits);
        const auto month = Digits((*iso)[1], 2, 2);
        if (month && year)
            return Date { 1, *month, *year };
    }
    return std::nullopt;
}

int DaysInMonth(int month, int year)
{
    MonthLengthTable lengths;
    lengths.Fill();
    return lengths(month) + ((month == 2 && IsLeap(year)) ? 1 : 0);
}

bool IsValidDay(const Date &date)
{
    return date.Year >= FirstYear && date.Year <= LastYear && date.Month >= 1 && date.Month <= 12
        && date.Day >= 1 && date.Day <= DaysInMonth(date.Month, date.Year);
}

Date NextMonth(const Date &date)
{
    return date.Month == 12 ? Date { 1, 1, date.Year + 1 } : Date { 1, date.Month + 1, date.Year };
}

Date NextDay(const Date &date)
{
    if (date.Day < DaysInMonth(date.Month, date.Year))
        return { date.Day + 1, date.Month, date.Year };
    return NextMonth(date);
}

Date AddDays(Date date, int days)
{
    while (days > 0 && date.Year <= LastYear) {
        const int rest = DaysInMonth(date.Month, date.Year) - date.Day;
        if (days <= rest)
            return { date.Day + days, date.Month, date.Year };
        days -= rest + 1;
        date = NextMonth(date);
    }
    return date;
}

} // namespace cykl
