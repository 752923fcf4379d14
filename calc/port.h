// SPDX-License-Identifier: GPL-3.0-or-later
// The one narrow interface through which the confirmation chain reaches the window:
// the six field texts, the message boxes, the chart steps and the confirm button caption.
#pragma once

#include "lang/catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cykl {

using MessageCode = std::int16_t;

// The captions of Command1: the charts show the current input, or they do not.
inline constexpr std::string_view CaptionConfirmed = Say("button.confirmed", Lang::Cs);
inline constexpr std::string_view CaptionUnconfirmed = Say("button.unconfirmed", Lang::Cs);

// The longest month has 31 days; index 0 holds day 1.
inline constexpr int MaxMonthDays = 31;
using DayValues = std::array<double, MaxMonthDays>;

// The month's three curves, in cycle order: physical, emotional, intellectual.
struct MonthValues {
    std::int16_t Days = 0; // N, 28 to 31
    DayValues Physical {};
    DayValues Emotional {};
    DayValues Intellectual {};
};

class Port {
public:
    virtual ~Port() = default;

    // The current text of Text1 to Text6 (field = 1 .. 6), UTF-8.
    virtual std::string FieldText(int field) const = 0;

    // One box of the catalogue; returns when the user has closed it.
    virtual void ShowMessage(MessageCode code) = 0;

    // Chart steps of DrawCycles, in the order they run.
    virtual void SetUpCharts(std::int16_t days) = 0; // before the day walk
    virtual void LabelDay(std::int16_t day) = 0; // once per day, after its values
    virtual void FillMonthChart(const MonthValues &values) = 0;
    virtual void FillDayChart(double chosenDay, double targetMonth, double physical,
                              double emotional, double intellectual)
        = 0;

    // The caption of Command1, set after the last verdict box.
    virtual void SetConfirmCaption(std::string_view caption) = 0;
};

} // namespace cykl
