// SPDX-License-Identifier: GPL-3.0-or-later
// MAIN: the program-wide variables of the calculation, owned by the main window
// and handed down the confirmation chain by reference.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace cykl {

// The seven numbers of one confirmation, each held as a double.
struct InputDateRecord {
    double BirthDay = 0;
    double BirthMonth = 0;
    double BirthYear = 0;
    double TargetDay = 0; // as typed; CountDays then replaces it with 1
    double TargetMonth = 0;
    double TargetYear = 0;
    double ChosenDay = 0; // the typed target day, saved by CountDays
};

// Twelve signed 16-bit month lengths, indexed by month 1 to 12. February is always 28;
// each reader adds the leap day by its own rule. Rebuilt by every CountDays; before the
// first one it does not exist and nothing reads it.
class MonthLengthTable {
public:
    void Fill();
    bool IsBuilt() const { return built_; }
    // month must be 1 to 12 and the table built.
    std::int16_t operator()(int month) const
    {
        // The confirmation checks keep every month it passes on within 1 to 12; anything
        // else here is a fault of the program, never of the input.
        if (!built_ || month < 1 || month > 12)
            std::abort();
        return lengths_[static_cast<std::size_t>(month - 1)];
    }

private:
    std::array<std::int16_t, 12> lengths_ {};
    bool built_ = false;
};

struct Main {
    InputDateRecord InputDates;
    MonthLengthTable MonthLength;
};

} // namespace cykl
