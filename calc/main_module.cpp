// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/main_module.h"

namespace cykl {

void MonthLengthTable::Fill()
{
    lengths_ = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    built_ = true;
}

} // namespace cykl
