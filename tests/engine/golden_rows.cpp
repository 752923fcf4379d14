// SPDX-License-Identifier: GPL-3.0-or-later
// The cycle values against cycle_golden.txt (its header says what each record means): the
// hash of the whole table, and every day where the sign of a tiny sine decides the value.
#include "calc/chain.h"
#include "engine_rows.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace cykl::test {

namespace {

constexpr std::array<int, 3> Periods = { PhysicalPeriod, EmotionalPeriod, IntellectualPeriod };

// FNV-1a, 64 bits, continued from h over text.
std::uint64_t Fnv1a(std::uint64_t h, std::string_view text)
{
    for (const unsigned char c : text)
        h = (h ^ c) * 0x100000001b3U;
    return h;
}

std::string TableHash(int first, int last)
{
    std::uint64_t h = 0xcbf29ce484222325U;
    std::array<char, 64> line {};
    for (int t = first; t <= last; ++t) {
        const auto value = [t](int period) { return static_cast<int>(CycleValue(t, period)); };
        const int n = std::snprintf(line.data(), line.size(), "%d %d %d %d\n", t, value(Periods[0]),
                                    value(Periods[1]), value(Periods[2]));
        h = Fnv1a(h, std::string_view(line.data(), static_cast<std::size_t>(n)));
    }
    std::snprintf(line.data(), line.size(), "%016llx", static_cast<unsigned long long>(h));
    return line.data();
}

std::string CheckTable(std::istringstream &record)
{
    int first = 0;
    int last = 0;
    std::string golden;
    if (!(record >> first >> last >> golden))
        return "unreadable record";
    const std::string hash = TableHash(first, last);
    return hash == golden ? ""
                          : "t " + std::to_string(first) + " to " + std::to_string(last) + ": hash "
            + hash + ", golden " + golden;
}

std::string CheckHalfPeriods(std::istringstream &record)
{
    int period = 0;
    int t = 0;
    std::string marks;
    if (!(record >> period >> t >> marks))
        return "unreadable record";
    const int step = period % 2 == 0 ? period / 2 : period;
    std::string failure;
    for (const char mark : marks) {
        const double value = CycleValue(t, period);
        if (value != (mark == '-' ? -1 : 0))
            failure += " t " + std::to_string(t) + ": " + std::to_string(static_cast<int>(value))
                + (mark == '-' ? " (golden -1);" : " (golden 0);");
        t += step;
    }
    return failure;
}

} // namespace

const std::vector<GoldenRow> &GoldenRows()
{
    static const std::vector<GoldenRow> rows = [] {
        std::vector<GoldenRow> read;
        std::ifstream file(CYKL_GOLDEN_FILE);
        for (std::string line; std::getline(file, line);) {
            if (line.empty() || line.front() == '#')
                continue;
            std::size_t nameEnd = 0; // the kind and the next two fields
            for (int field = 0; field < 3 && nameEnd != std::string::npos; ++field)
                nameEnd = line.find(' ', nameEnd + (field > 0 ? 1 : 0));
            read.push_back({ line.substr(0, nameEnd), line });
        }
        if (read.empty())
            read.push_back({ "golden file", "" });
        return read;
    }();
    return rows;
}

std::string Check(const GoldenRow &row)
{
    std::istringstream record(row.Record);
    std::string kind;
    record >> kind;
    if (kind == "table")
        return CheckTable(record);
    if (kind == "half")
        return CheckHalfPeriods(record);
    return "no records read from " CYKL_GOLDEN_FILE;
}

} // namespace cykl::test
