// SPDX-License-Identifier: GPL-3.0-or-later
// The confirmation chain ConfirmInput -> CountDays -> CheckTargetDay -> DrawCycles.
// Each link calls the next as its last act.
#pragma once

#include "calc/main_module.h"
#include "calc/port.h"

#include <string_view>

namespace cykl {

inline constexpr int PhysicalPeriod = 23;
inline constexpr int EmotionalPeriod = 28;
inline constexpr int IntellectualPeriod = 33;

// Leap rule of the calculation: divisible by 4, century years included (1900, 2100 leap).
bool IsLeap(double year);

// floor(100 * sin(((2 * pi) * t) / period)) in exactly this order of operations.
double CycleValue(double t, int period);

// A field text read as its leading decimal number; no number gives 0.
double ReadNumber(std::string_view text);

void ConfirmInput(Main &main, Port &port);
void CountDays(Main &main, Port &port);
void CheckTargetDay(Main &main, Port &port, double &DaysLived);
void DrawCycles(Main &main, Port &port, double &DaysLived);

} // namespace cykl
