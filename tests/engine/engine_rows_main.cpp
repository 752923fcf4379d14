// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's own tables without Qt: every row of engine_rows.h, checked in standard C++,
// so that the engine-only build tests the engine. Prints each failing row and a summary;
// exits 1 when a row fails.
#include "engine_rows.h"

#include <cstdio>
#include <string>

namespace {

struct Tally {
    int Checked = 0;
    int Failed = 0;
};

template<typename Row> void RunTable(const char *table, const std::vector<Row> &rows, Tally &tally)
{
    for (const Row &row : rows) {
        const std::string failure = cykl::test::Check(row);
        ++tally.Checked;
        if (!failure.empty()) {
            ++tally.Failed;
            std::printf("FAIL   : %s(%s) %s\n", table, row.Name.c_str(), failure.c_str());
        }
    }
}

} // namespace

int main()
{
    using namespace cykl::test;
    Tally tally;
    RunTable("cycleValue", CycleRows(), tally);
    RunTable("verdicts", VerdictRows(), tally);
    RunTable("leapRule", LeapRows(), tally);
    RunTable("readNumber", ReadNumberRows(), tally);
    RunTable("confirmInput", ConfirmRows(), tally);
    RunTable("daysLived", DaysLivedRows(), tally);
    RunTable("checkTargetDay", TargetDayRows(), tally);
    RunTable("dayCount", DayCountRows(), tally);
    RunTable("golden", GoldenRows(), tally);
    RunTable("pluralRule", PluralRows(), tally);
    std::printf("engine rows: %d passed, %d failed\n", tally.Checked - tally.Failed, tally.Failed);
    return tally.Failed == 0 ? 0 : 1;
}
