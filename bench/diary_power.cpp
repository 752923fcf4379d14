// SPDX-License-Identifier: GPL-3.0-or-later
// The diary test's honesty at full size, printed as tables: how often it finds a link in
// diaries with none (a Monday dip, a lighter weekend, carry-over 0.5), how often the naive
// critical-day comparison does on the same diaries, and how often the emotional
// hypothesis is found against the size of a true effect and the diary's length.
// The null table is also run through the companion command, diary by diary, as a person
// would have the diaries (bench/diary_command.h).
// diary_power [diaries]: 1000 diaries per cell unless given.
#include "bench/diary_command.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace cykl::diary;

constexpr std::uint64_t Seed = 20250106;

// The share of the diaries in which the command finds any hypothesis significant.
double CommandAny(const Scenario &scenario, int diaries)
{
    int any = 0;
    for (int k = 0; k < diaries; ++k) {
        cykl::test::MemoryEnvironment env;
        QString birth;
        cykl::bench::StoreSimulated(SimulateDiary(scenario, Seed + std::uint64_t(k)), env, birth);
        any += cykl::bench::CommandResult(env, birth)["significant_any"].toBool() ? 1 : 0;
    }
    return double(any) / diaries;
}

void NullTable(int diaries)
{
    const Rates rates = Simulate({ .Days = 120 }, diaries, Seed);
    std::printf("No effect, 120 days, %d diaries\n", diaries);
    std::printf("  any hypothesis significant (planned test): %5.1f %%\n", 100 * rates.Any);
    std::printf("  the same through the command diary test:   %5.1f %%\n",
                100 * CommandAny({ .Days = 120 }, diaries));
    std::printf("  naive critical-day test finds a link:      %5.1f %%\n\n", 100 * rates.Naive);
}

void PowerTable(int diaries)
{
    constexpr std::array<double, 4> Effects = { 0.2, 0.4, 0.6, 0.8 };
    constexpr std::array<int, 4> Lengths = { 90, 120, 180, 365 };
    std::printf("Emotional hypothesis found (%%), %d diaries per cell\n", diaries);
    std::printf("| effect (SD) |");
    for (const int days : Lengths)
        std::printf(" %d days |", days);
    std::printf("\n|---|---|---|---|---|\n");
    for (const double effect : Effects) {
        std::printf("| %.1f |", effect);
        for (const int days : Lengths) {
            const Rates rates = Simulate({ .Days = days, .Effect = effect }, diaries, Seed);
            std::printf(" %.1f |", 100 * rates.Emotional);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int diaries = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (diaries < 1)
        return 2;
    NullTable(diaries);
    PowerTable(diaries);
    return 0;
}
