// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/together.h"

#include "calc/chain.h"
#include "calendar/fnv1a.h"
#include "calendar/texts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

namespace cykl {

namespace {

// The earliest day among the lists' next days, or none when every list is done.
const Date *EarliestNext(const std::vector<CriticalList> &lists,
                         const std::vector<std::size_t> &next)
{
    const Date *earliest = nullptr;
    for (std::size_t k = 0; k < lists.size(); ++k) {
        if (next[k] < lists[k].Days.size()
            && (earliest == nullptr || lists[k].Days[next[k]].Day < *earliest))
            earliest = &lists[k].Days[next[k]].Day;
    }
    return earliest;
}

} // namespace

int DaysBetween(const Date &first, const Date &second)
{
    if (second < first)
        return -DaysBetween(second, first);
    const InputDateRecord dates { .BirthDay = double(first.Day),
                                  .BirthMonth = double(first.Month),
                                  .BirthYear = double(first.Year),
                                  .TargetDay = 1,
                                  .TargetMonth = double(second.Month),
                                  .TargetYear = double(second.Year) };
    MonthLengthTable monthLength;
    monthLength.Fill();
    return static_cast<int>(CountDaysLived(dates, monthLength)) + second.Day - 1;
}

int CycleAgreement(int dayDifference, int period)
{
    const int rest = dayDifference % period;
    const int phase = std::min(rest, period - rest);
    // 100 * (period - 2 * phase) / period, to the nearest whole number.
    return (200 * (period - 2 * phase) + period) / (2 * period);
}

Agreement CompareBirths(const Date &a, const Date &b)
{
    Agreement result;
    const int days = DaysBetween(a, b);
    result.DayDifference = days < 0 ? -days : days;
    int sum = 0;
    for (std::size_t k = 0; k < CyclePeriods.size(); ++k) {
        const int rest = result.DayDifference % CyclePeriods[k];
        result.Phase[k] = std::min(rest, CyclePeriods[k] - rest);
        result.Cycles[k] = CycleAgreement(result.DayDifference, CyclePeriods[k]);
        sum += result.Cycles[k];
    }
    result.Overall = (2 * sum + 3) / 6; // sum / 3 to the nearest whole number
    return result;
}

std::vector<SharedDay> FindSharedDays(const std::vector<CriticalList> &lists)
{
    // The lists are walked side by side, one day at a time: each day's verdicts are
    // gathered by code, and a code that two or more people hold is shared.
    std::vector<std::size_t> next(lists.size(), 0);
    std::array<std::vector<std::size_t>, 13> holders;
    std::vector<SharedDay> days;
    while (const Date *earliest = EarliestNext(lists, next)) {
        const Date day = *earliest;
        for (std::vector<std::size_t> &people : holders)
            people.clear();
        for (std::size_t k = 0; k < lists.size(); ++k) {
            if (next[k] == lists[k].Days.size() || lists[k].Days[next[k]].Day != day)
                continue;
            for (const MessageCode code : lists[k].Days[next[k]++].Codes)
                holders[static_cast<std::size_t>(code)].push_back(k);
        }
        SharedDay shared { day, {} };
        for (MessageCode code = 4; code <= 12; ++code) {
            if (holders[static_cast<std::size_t>(code)].size() >= 2)
                shared.Verdicts.push_back({ code, holders[static_cast<std::size_t>(code)] });
        }
        if (!shared.Verdicts.empty())
            days.push_back(std::move(shared));
    }
    return days;
}

std::string SharedVerdictLine(const SharedVerdict &shared, const std::vector<SharedPerson> &people,
                              Lang lang)
{
    std::string names;
    for (const std::size_t person : shared.People)
        names += (names.empty() ? "" : ", ") + people[person].Name;
    return VerdictName(shared.Code, lang) + " (" + names + ')';
}

namespace {

// The people who share a verdict as a part of its UID: the hash of their births and names
// ("19900305 Petr\n19960110 Jana\n"), earlier births first, in sixteen hex digits. It
// stays while the same people share the verdict, whoever else the calendar holds.
std::string SharersKey(const SharedVerdict &shared, const std::vector<SharedPerson> &people)
{
    std::vector<std::pair<Date, std::string>> sharers;
    for (const std::size_t person : shared.People)
        sharers.emplace_back(people[person].Birth, people[person].Name);
    std::sort(sharers.begin(), sharers.end());
    std::string text;
    for (const auto &[birth, name] : sharers)
        text.append(CompactDate(birth)).append(" ").append(name).append("\n");
    std::array<char, 20> hex {};
    std::snprintf(hex.data(), hex.size(), "%016llx", static_cast<unsigned long long>(Fnv1a(text)));
    return hex.data();
}

std::vector<std::string> NamesOf(const SharedVerdict &shared,
                                 const std::vector<SharedPerson> &people)
{
    std::vector<std::string> names;
    for (const std::size_t person : shared.People)
        names.push_back(people[person].Name);
    return names;
}

// "20270105-s-physical-critical-<16 hex digits>@cyklometrika".
std::string SharedUid(const Date &day, const SharedVerdict &shared,
                      const std::vector<SharedPerson> &people)
{
    std::string uid = CompactDate(day);
    uid.append("-s-").append(CycleKey(shared.Code)).append("-").append(VerdictKind(shared.Code));
    return uid.append("-").append(SharersKey(shared, people)).append("@cyklometrika");
}

} // namespace

CalendarResult SharedCalendar(const std::vector<SharedPerson> &people,
                              const std::vector<SharedDay> &days, const CalendarOptions &options)
{
    const Lang lang = options.Language;
    std::vector<std::string> everyone;
    everyone.reserve(people.size());
    for (const SharedPerson &person : people)
        everyone.push_back(person.Name);
    std::vector<CalendarEvent> events;
    for (const SharedDay &day : days) {
        for (const SharedVerdict &shared : day.Verdicts) {
            std::string summary = Say("report.shared.summary", lang,
                                      { VerdictName(shared.Code, lang),
                                        NamesInBrief(NamesOf(shared, people), nullptr, lang) });
            std::string description = SharedVerdictLine(shared, people, lang);
            description += ": ";
            description
                += MessageText(shared.Code, people[shared.People.front()].Birth, day.Day, lang);
            events.push_back({ SharedUid(day.Day, shared, people), day.Day, day.Day,
                               std::move(summary), std::move(description) });
        }
    }
    return EventCalendar(std::string(Say("report.calendar.shared", lang)), everyone, events,
                         options);
}

} // namespace cykl
