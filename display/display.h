// SPDX-License-Identifier: GPL-3.0-or-later
// The display: ShowMessage with its catalogue, ResetDisplay, and the chart steps of
// DrawCycles as property writes to Graph1 and Graph2.
#pragma once

#include "calc/main_module.h"
#include "calc/port.h"
#include "display/chart_control.h"
#include "display/seams.h"

namespace cykl {

class Display {
public:
    Display(const Main &main, ChartControl &graph1, ChartControl &graph2, MessageBoxSeam &box,
            CaptionTarget &command1);

    void ShowMessage(MessageCode code);
    void ResetDisplay();

    void SetUpCharts(std::int16_t days);
    void LabelDay(std::int16_t day);
    void FillMonthChart(const MonthValues &values);
    void FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                      double intellectual);
    void SetConfirmCaption(std::string_view caption);

private:
    const Main &main_;
    ChartControl &graph1_;
    ChartControl &graph2_;
    MessageBoxSeam &box_;
    CaptionTarget &command1_;
};

// The chain's Port over a Display and the window's six fields: the one adapter that
// production and tests share.
class DisplayPort final : public Port {
public:
    DisplayPort(const FieldSource &fields, Display &display);

    std::string FieldText(int field) const override;
    void ShowMessage(MessageCode code) override;
    void SetUpCharts(std::int16_t days) override;
    void LabelDay(std::int16_t day) override;
    void FillMonthChart(const MonthValues &values) override;
    void FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                      double intellectual) override;
    void SetConfirmCaption(std::string_view caption) override;

private:
    const FieldSource &fields_;
    Display &display_;
};

} // namespace cykl
