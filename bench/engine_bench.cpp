// SPDX-License-Identifier: GPL-3.0-or-later
// One full confirmation of a 31-day month (10 1 1996 to 5 3 1996: no verdict box) through
// Display and the recorders, against its floor: the 93 CycleValue calls the
// month needs. The goal is the confirmation within 1.5 times the floor. The recorders'
// log is cleared between iterations and keeps its memory, so nothing grows.
#include "calc/chain.h"
#include "tests/support/rig.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

using namespace cykl;

void Confirmation(benchmark::State &state)
{
    test::ConfirmationRig rig;
    rig.fields = test::FixedFields("10", "1", "1996", "5", "3", "1996");
    for (auto _ : state) {
        rig.log.Clear();
        ConfirmInput(rig.main, rig.display);
        benchmark::DoNotOptimize(rig.log.Size());
    }
    state.counters["events"] = static_cast<double>(rig.log.Size());
}

void CycleValueFloor(benchmark::State &state)
{
    std::array<double, 3 * MaxMonthDays> values {};
    for (auto _ : state) {
        double t = 51; // DaysLived of the month above
        benchmark::DoNotOptimize(t);
        for (std::size_t day = 0; day < MaxMonthDays; ++day, t += 1) {
            values[3 * day] = CycleValue(t, PhysicalPeriod);
            values[3 * day + 1] = CycleValue(t, EmotionalPeriod);
            values[3 * day + 2] = CycleValue(t, IntellectualPeriod);
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(Confirmation);
BENCHMARK(CycleValueFloor);
BENCHMARK_MAIN();
