// SPDX-License-Identifier: GPL-3.0-or-later
// A closed-form day number of the calculation's calendar, independent of the day count
// under test: every year divisible by 4 has 366 days (1900 and 2100 included, negative
// years alike), all other years 365.
#pragma once

#include <array>
#include <cstdint>

namespace cykl::test {

inline constexpr std::array<std::int64_t, 12> DaysBeforeMonth
    = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };

constexpr bool IsLeapYear(std::int64_t year)
{
    return year % 4 == 0;
}

constexpr int MonthDays(int month, std::int64_t year)
{
    constexpr std::array<int, 12> Length = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return Length[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

// The leap years among 0 .. year - 1, negative for a negative year (floor division).
constexpr std::int64_t LeapYearsBefore(std::int64_t year)
{
    const std::int64_t shifted = year + 3;
    return shifted >= 0 ? shifted / 4 : -((-shifted + 3) / 4);
}

// Day 1 of month 1 of year 0 is day 1. Years up to 2^53 in magnitude fit.
constexpr std::int64_t DayNumber(std::int64_t day, int month, std::int64_t year)
{
    const bool leapDayPassed = IsLeapYear(year) && month > 2;
    return 365 * year + LeapYearsBefore(year) + DaysBeforeMonth[static_cast<std::size_t>(month - 1)]
        + (leapDayPassed ? 1 : 0) + day;
}

static_assert(DayNumber(1, 1, 1) - DayNumber(1, 1, 0) == 366);
static_assert(DayNumber(1, 1, 0) - DayNumber(1, 1, -1) == 365);
static_assert(DayNumber(1, 1, -3) - DayNumber(1, 1, -4) == 366);
static_assert(DayNumber(1, 3, 1900) - DayNumber(28, 2, 1900) == 2);

} // namespace cykl::test
