// SPDX-License-Identifier: GPL-3.0-or-later
// The critical days of a full 150-year span (birth 1 January 1850, every day to
// 31 December 2000, 55,152 days) against the bare cost of their cycle evaluations: three
// CycleValue calls per day. The goal is the whole search within 1.5 times that floor.
// Beside it, a family's shared days of a year against its ten people's own critical days
// of that year, from which they are found: the goal is within 2 times those lists.
#include "calc/chain.h"
#include "calendar/engine.h"
#include "calendar/together.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace cykl;

constexpr Date Birth { 1, 1, 1850 };
constexpr Date Last { 31, 12, 2000 };

int SpanDays()
{
    int days = 1;
    for (Date day = Birth; day < Last; day = NextDay(day))
        ++days;
    return days;
}

void CriticalSpan(benchmark::State &state)
{
    std::size_t found = 0;
    for (auto _ : state) {
        const CriticalList list = FindCriticalDays(Birth, Birth, Last);
        found = list.Days.size();
        benchmark::DoNotOptimize(list.Days.data());
    }
    state.counters["days"] = SpanDays();
    state.counters["critical"] = static_cast<double>(found);
}

void CycleValueFloor(benchmark::State &state)
{
    const int days = SpanDays();
    std::vector<double> values(3 * static_cast<std::size_t>(days));
    for (auto _ : state) {
        double t = 0;
        benchmark::DoNotOptimize(t);
        for (std::size_t day = 0; day < static_cast<std::size_t>(days); ++day, t += 1) {
            values[3 * day] = CycleValue(t, PhysicalPeriod);
            values[3 * day + 1] = CycleValue(t, EmotionalPeriod);
            values[3 * day + 2] = CycleValue(t, IntellectualPeriod);
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    state.counters["days"] = days;
}

// Ten births a few years apart, and the year they are looked at.
std::vector<Date> Family()
{
    std::vector<Date> births(10);
    for (int i = 0; i < 10; ++i)
        births[static_cast<std::size_t>(i)] = { 1 + 3 * i, 1 + i, 1950 + 7 * i };
    return births;
}
constexpr Date YearFrom { 1, 1, 2027 };
constexpr Date YearTo { 31, 12, 2027 };

void FamilyOwnLists(benchmark::State &state)
{
    const std::vector<Date> births = Family();
    for (auto _ : state) {
        for (const Date &birth : births) {
            const CriticalList list = FindCriticalDays(birth, YearFrom, YearTo);
            benchmark::DoNotOptimize(list.Days.data());
        }
    }
}

void FamilySharedDays(benchmark::State &state)
{
    const std::vector<Date> births = Family();
    std::size_t shared = 0;
    for (auto _ : state) {
        std::vector<CriticalList> lists(births.size());
        for (std::size_t k = 0; k < births.size(); ++k)
            lists[k] = FindCriticalDays(births[k], YearFrom, YearTo);
        const std::vector<SharedDay> days = FindSharedDays(lists);
        shared = days.size();
        benchmark::DoNotOptimize(days.data());
    }
    state.counters["shared"] = static_cast<double>(shared);
}

} // namespace

BENCHMARK(FamilyOwnLists)->Unit(benchmark::kMicrosecond);
BENCHMARK(FamilySharedDays)->Unit(benchmark::kMicrosecond);
BENCHMARK(CriticalSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(CycleValueFloor)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
