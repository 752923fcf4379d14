// SPDX-License-Identifier: GPL-3.0-or-later
// The display: ShowMessage with its catalogue, ResetDisplay, and the chart steps of
// DrawCycles as property writes to Graph1 and Graph2. It is the chain's Port.
#pragma once

#include "calc/main_module.h"
#include "calc/port.h"
#include "display/chart_control.h"
#include "display/seams.h"

namespace cykl {

// The window as the confirmation chain sees it: the six field texts from the window,
// the message boxes of the catalogue, and the chart steps of DrawCycles as property
// writes to Graph1 and Graph2.
class Display final : public Port {
public:
    Display(const Main &main, const FieldSource &fields, ChartControl &graph1, ChartControl &graph2,
            MessageBoxSeam &box, CaptionTarget &command1, Lang lang = Lang::Cs);

    std::string FieldText(int field) const override;
    void ShowMessage(MessageCode code) override;
    void SetUpCharts(std::int16_t days) override;
    void LabelDay(std::int16_t day) override;
    void FillMonthChart(const MonthValues &values) override;
    void FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                      double intellectual) override;
    void SetConfirmCaption(std::string_view caption) override;

    void ResetDisplay();
    // The language of the boxes and the caption from the next step on.
    void SetLanguage(Lang lang) { lang_ = lang; }

private:
    const Main &main_;
    const FieldSource &fields_;
    ChartControl &graph1_;
    ChartControl &graph2_;
    MessageBoxSeam &box_;
    CaptionTarget &command1_;
    Lang lang_; // of the boxes and the caption
};

} // namespace cykl
