// SPDX-License-Identifier: GPL-3.0-or-later
// The critical days of a full 150-year span (birth 1 January 1850, every day to
// 31 December 2000, 55,152 days) against the bare cost of their cycle evaluations: three
// CycleValue calls per day. The goal is the whole search within 1.5 times that floor.
#include "calc/chain.h"
#include "calendar/engine.h"

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

} // namespace

BENCHMARK(CriticalSpan)->Unit(benchmark::kMillisecond);
BENCHMARK(CycleValueFloor)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
