// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/engine.h"

#include "display/catalogue.h"

#include <algorithm>

namespace cykl {

namespace {

bool YearsAccepted(const Date &birth, const Date &target)
{
    return birth.Year <= LastYear && target.Year <= LastYear;
}

// One confirmation in the given window; a year beyond LastYear is refused with code 1.
Confirmation ConfirmIn(HeldWindow &window, const Date &birth, const Date &target)
{
    if (!YearsAccepted(birth, target)) {
        Confirmation refused;
        refused.Refusal = 1;
        return refused;
    }
    return window.Confirm(Typed(birth, target));
}

} // namespace

InputDateRecord Typed(const Date &birth, const Date &target)
{
    return { .BirthDay = double(birth.Day),
             .BirthMonth = double(birth.Month),
             .BirthYear = double(birth.Year),
             .TargetDay = double(target.Day),
             .TargetMonth = double(target.Month),
             .TargetYear = double(target.Year) };
}

Confirmation Confirm(const Date &birth, const Date &target)
{
    HeldWindow window(HeldWindow::Shows::Numbers);
    return ConfirmIn(window, birth, target);
}

std::string MessageText(MessageCode code, const Date &birth, const Date &target, Lang lang)
{
    const CatalogueEntry *entry = FindMessage(code);
    if (entry == nullptr)
        return {};
    MessageBuffer buffer;
    return std::string(ComposeMessage(*entry, birth.Year, target.Year, buffer, lang));
}

Date MonthTarget(const Date &birth, const Date &month)
{
    const bool birthMonth = birth.Year == month.Year && birth.Month == month.Month;
    return { birthMonth ? std::max(birth.Day, 1) : 1, month.Month, month.Year };
}

Date SpanStart(const Date &birth, const Date &from, const Date &to)
{
    return from < birth && !(to < birth) ? birth : from;
}

int CriticalCycles(const Verdicts &codes)
{
    return static_cast<int>(
        std::count_if(codes.begin(), codes.end(), [](MessageCode c) { return c <= 6; }));
}

CriticalList FindCriticalDays(const Date &birth, const Date &from, const Date &to)
{
    CriticalList list;
    HeldWindow window(HeldWindow::Shows::Numbers);
    // An end that is no day at all is refused as the window refuses such a date.
    if (const auto end = ConfirmIn(window, birth, to); end.Refusal == 1) {
        list.Refusal = 1;
        list.RefusedDay = to;
        return list;
    }
    // At most 366 days a year, up to the last year the window accepts; the pages of what
    // is never used are never touched.
    const int lastYear = std::min(to.Year, birth.Year + 150);
    if (lastYear >= from.Year)
        list.Days.reserve(366 * static_cast<std::size_t>(lastYear - from.Year + 1));
    for (Date first = from; first <= to; first = NextMonth(first)) {
        const Confirmation &month = ConfirmIn(window, birth, first);
        if (month.Refusal != 0) {
            list.Refusal = month.Refusal;
            list.RefusedDay = first;
            list.Days.clear();
            return list;
        }
        const bool lastMonth = first.Year == to.Year && first.Month == to.Month;
        const int lastDay = lastMonth ? to.Day : month.Month.Days;
        for (int day = first.Day; day <= lastDay; ++day) {
            const auto k = static_cast<std::size_t>(day - 1);
            const DayValues3 values { month.Month.Physical[k], month.Month.Emotional[k],
                                      month.Month.Intellectual[k] };
            const Verdicts codes
                = DailyVerdicts(values.Physical, values.Emotional, values.Intellectual);
            if (!codes.empty())
                list.Days.push_back({ { day, first.Month, first.Year }, values, codes });
        }
    }
    return list;
}

} // namespace cykl
