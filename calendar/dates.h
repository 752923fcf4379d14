// SPDX-License-Identifier: GPL-3.0-or-later
// Dates and months as the command line gives them, and the calendar of the calculation:
// its month lengths and its leap rule (every year divisible by 4, 1900 and 2100 included).
#pragma once

#include <optional>
#include <string_view>

namespace cykl {

// A day on the calculation's calendar. A parsed date may still be one that the
// confirmation refuses (31.2.1996, day 0, month 13, year 0): that is for the chain to say.
struct Date {
    int Day = 0;
    int Month = 0;
    int Year = 0;

    friend bool operator==(const Date &, const Date &) = default;
    // Earlier days first: by year, then month, then day.
    friend auto operator<=>(const Date &a, const Date &b)
    {
        if (a.Year != b.Year)
            return a.Year <=> b.Year;
        if (a.Month != b.Month)
            return a.Month <=> b.Month;
        return a.Day <=> b.Day;
    }
};

// The years the companion accepts; beyond them ISO dates and calendar programs stop.
inline constexpr int FirstYear = 1;
inline constexpr int LastYear = 9999;

// "D.M.YYYY" (day and month of one or two digits, year of one to nine) or "YYYY-MM-DD"
// (year of four to nine digits, two-digit month and day). Surrounding blanks are allowed;
// anything else is not a date.
std::optional<Date> ParseDate(std::string_view text);

// "M.YYYY" or "YYYY-MM", with the same digit counts; the day of the result is 1.
std::optional<Date> ParseMonth(std::string_view text);

// The length of a month (1 to 12) with the calculation's leap day.
int DaysInMonth(int month, int year);

// True when the day exists on the calculation's calendar within the accepted years.
bool IsValidDay(const Date &date);

// The next day, and the first day of the next month. The year may pass LastYear.
Date NextDay(const Date &date);
Date NextMonth(const Date &date);

// The day n >= 0 days later, walked on the calculation's calendar; it stops walking once
// the year passes LastYear, as no later day is accepted anyway.
Date AddDays(Date date, int days);

} // namespace cykl
