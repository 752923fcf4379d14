// SPDX-License-Identifier: GPL-3.0-or-later
// One test of a year's diary (365 days, the default plan of three hypotheses, each ranked
// among the placebo sines): the goal is well under 50 ms. Reading the entries (one
// confirmation per month for the window's cycle values) is measured on its own as well.
#include "diary/simulate.h"

#include <benchmark/benchmark.h>

namespace {

using namespace cykl::diary;

const SimulatedDiary &Year()
{
    static const SimulatedDiary diary = SimulateDiary({ .Days = 365, .Effect = 0.2 }, 1);
    return diary;
}

void ReadYear(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSample(Year().Registered.Birth, Year().Entries));
}

void TestYear(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RunTest(Year().Registered, Year().Entries));
}

} // namespace

BENCHMARK(ReadYear)->Unit(benchmark::kMillisecond);
BENCHMARK(TestYear)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
