// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/civil_calendar.h"

#include <chrono>

namespace cykl {

namespace {

std::chrono::year_month_day Civil(const Date &date)
{
    return { std::chrono::year(date.Year), std::chrono::month(static_cast<unsigned>(date.Month)),
             std::chrono::day(static_cast<unsigned>(date.Day)) };
}

} // namespace

bool IsCivilDay(const Date &date)
{
    return date.Year >= FirstYear && date.Year <= LastYear && Civil(date).ok();
}

Date NextCivilDay(const Date &date)
{
    const std::chrono::year_month_day civil = Civil(date);
    if (civil.ok()) {
        const std::chrono::year_month_day next { std::chrono::sys_days(civil)
                                                 + std::chrono::days(1) };
        return { static_cast<int>(static_cast<unsigned>(next.day())),
                 static_cast<int>(static_cast<unsigned>(next.month())),
                 static_cast<int>(next.year()) };
    }
    return NextMonth(date);
}

int CivilWeekday(const Date &date)
{
    if (!IsCivilDay(date))
        return -1;
    return static_cast<int>(std::chrono::weekday(std::chrono::sys_days(Civil(date))).c_encoding());
}

} // namespace cykl
