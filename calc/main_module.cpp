// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/main_module.h"

#include <cstdlib>

namespace cykl {

void MonthLengthTable::Fill()
{
    lengths_ = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    built_ = true;
}

std::int16_t MonthLengthTable::operator()(int month) const
{
    // The confirmation checks keep every month it passes on within 1 to 12; anything
    // else here is a fault of the program, never of the input.
    if (!built_ || month < 1 || month > 12)
        std::abort();
    return lengths_[static_cast<std::size_t>(month - 1)];
}

} // namespace cykl
