// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/held_window.h"

#include "calc/chain.h"

namespace cykl {

namespace {

// The window's charts as the form describes them before the first reset.
constexpr std::int16_t MonthPoints = MaxMonthDays;
constexpr std::int16_t MonthSets = 3;
constexpr std::int16_t DayPoints = 3;
constexpr std::int16_t DaySets = 1;

} // namespace

HeldChart::HeldChart(std::int16_t type, std::int16_t points, std::int16_t sets)
    : model_(type, points, sets), shown_(type, points, sets)
{
}

void HeldChart::Write(ChartProperty property, const ChartValue &value)
{
    if (model_.Write(property, value) == ChartModel::Effect::Draw)
        shown_ = model_;
}

HeldWindow::HeldWindow(Shows shows)
    : shows_(shows), graph1_(ChartTypeLine, MonthPoints, MonthSets),
      graph2_(ChartTypeBar, DayPoints, DaySets), caption_(CaptionConfirmed),
      display_(main_, *this, graph1_, graph2_, *this, *this), recorder_(*this)
{
}

void HeldWindow::Begin()
{
    boxes_.clear();
    shown_ = {};
}

const Confirmation &HeldWindow::Confirm(const InputDateRecord &typed)
{
    Begin();
    ConfirmNumbers(main_, recorder_, typed);
    return shown_;
}

void HeldWindow::SetField(int field, std::string text)
{
    if (field < 1 || field > static_cast<int>(fields_.size()))
        return;
    fields_[static_cast<std::size_t>(field - 1)] = std::move(text);
    Reset();
}

const Confirmation &HeldWindow::ConfirmFields()
{
    Begin();
    ConfirmInput(main_, recorder_);
    return shown_;
}

void HeldWindow::Reset()
{
    Begin();
    display_.ResetDisplay();
}

void HeldWindow::SetLanguage(Lang lang)
{
    if (lang == lang_)
        return;
    lang_ = lang;
    display_.SetLanguage(lang);
    Reset();
}

std::string HeldWindow::FieldText(int field) const
{
    if (field < 1 || field > static_cast<int>(fields_.size()))
        return {};
    return fields_[static_cast<std::size_t>(field - 1)];
}

void HeldWindow::Show(std::string_view text, std::string_view, MessageStyle style)
{
    boxes_.push_back({ style, std::string(text) });
}

void HeldWindow::SetCaption(std::string_view caption)
{
    caption_ = caption;
}

void HeldWindow::Recorder::ShowMessage(MessageCode code)
{
    if (code <= 3)
        window_.shown_.Refusal = code;
    else
        window_.shown_.Verdicts.push_back(code);
    if (window_.shows_ == Shows::Everything)
        window_.display_.ShowMessage(code);
}

void HeldWindow::Recorder::SetUpCharts(std::int16_t days)
{
    if (window_.shows_ == Shows::Everything)
        window_.display_.SetUpCharts(days);
}

void HeldWindow::Recorder::LabelDay(std::int16_t day)
{
    if (window_.shows_ == Shows::Everything)
        window_.display_.LabelDay(day);
}

void HeldWindow::Recorder::FillMonthChart(const MonthValues &values)
{
    window_.shown_.Month = values;
    if (window_.shows_ == Shows::Everything)
        window_.display_.FillMonthChart(values);
}

void HeldWindow::Recorder::FillDayChart(double chosenDay, double targetMonth, double physical,
                                        double emotional, double intellectual)
{
    window_.shown_.Day = { physical, emotional, intellectual };
    if (window_.shows_ == Shows::Everything)
        window_.display_.FillDayChart(chosenDay, targetMonth, physical, emotional, intellectual);
}

void HeldWindow::Recorder::SetConfirmCaption(std::string_view caption)
{
    if (window_.shows_ == Shows::Everything)
        window_.display_.SetConfirmCaption(caption);
}

} // namespace cykl
