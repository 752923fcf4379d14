// SPDX-License-Identifier: GPL-3.0-or-later
// One test of a year's diary (365 days, the default plan of three hypotheses, each ranked
// among the placebo sines): the goal is well under 50 ms, for the test alone and for the
// whole command diary test (its diary file read and the shown day recorded). Reading the
// entries (one confirmation per month for the window's cycle values) is measured on its
// own as well.
#include "bench/diary_command.h"

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

void CommandTestYear(benchmark::State &state)
{
    cykl::test::MemoryEnvironment env;
    QString birth;
    cykl::bench::StoreSimulated(Year(), env, birth);
    for (auto _ : state)
        benchmark::DoNotOptimize(cykl::bench::CommandResult(env, birth));
}

} // namespace

BENCHMARK(ReadYear)->Unit(benchmark::kMillisecond);
BENCHMARK(TestYear)->Unit(benchmark::kMillisecond);
BENCHMARK(CommandTestYear)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
