// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recorders.h"

#include <cmath>

namespace cykl::test {

RecordingChart::RecordingChart(EventLog &log, EventSource source, std::int16_t initialPoints)
    : log_(log), source_(source), points_(initialPoints)
{
}

void RecordingChart::Write(ChartProperty property, const ChartValue &value)
{
    if (property == ChartProperty::PointCount) {
        if (const auto *points = std::get_if<std::int16_t>(&value))
            points_ = *points;
    }
    log_.Add({ .Kind = EventKind::Write, .Source = source_, .Property = property, .Value = value });
}

double RecordingChart::Read(ChartProperty property) const
{
    double value = 0;
    if (property == ChartProperty::PointCount)
        value = forced_ ? forcedPoints_ : points_;
    log_.Add({ .Kind = EventKind::Read, .Source = source_, .Property = property, .Number = value });
    return value;
}

void RecordingChart::SetVisible(bool visible)
{
    visible_ = visible;
    log_.Add({ .Kind = EventKind::Visible, .Source = source_, .Number = visible ? 1.0 : 0.0 });
}

void RecordingChart::ReportPoints(double points)
{
    forced_ = true;
    forcedPoints_ = points;
}

RecordingMessageBox::RecordingMessageBox(EventLog &log) : log_(log) { }

void RecordingMessageBox::Show(std::string_view text, std::string_view title, MessageStyle style)
{
    log_.Add({ .Kind = EventKind::Box,
               .Source = EventSource::Box,
               .Style = style,
               .Text = std::string(text),
               .Title = std::string(title) });
}

RecordingCaption::RecordingCaption(EventLog &log) : log_(log) { }

void RecordingCaption::SetCaption(std::string_view caption)
{
    caption_ = caption;
    log_.Add({ .Kind = EventKind::Caption, .Source = EventSource::Command1, .Text = caption_ });
}

FixedFields::FixedFields(const std::array<std::string, 6> &texts) : texts_(texts) { }

FixedFields::FixedFields(std::string_view birthDay, std::string_view birthMonth,
                         std::string_view birthYear, std::string_view targetDay,
                         std::string_view targetMonth, std::string_view targetYear)
    : texts_ { std::string(birthDay),  std::string(birthMonth),  std::string(birthYear),
               std::string(targetDay), std::string(targetMonth), std::string(targetYear) }
{
}

void FixedFields::Set(int field, std::string_view text)
{
    if (field >= 1 && field <= 6)
        texts_[static_cast<std::size_t>(field - 1)] = text;
}

std::string FixedFields::FieldText(int field) const
{
    if (field < 1 || field > 6)
        return {};
    return texts_[static_cast<std::size_t>(field - 1)];
}

RecordingPort::RecordingPort(EventLog &log, const FieldSource &fields) : log_(log), fields_(&fields)
{
}

RecordingPort::RecordingPort(EventLog &log, Port &forward) : log_(log), forward_(&forward) { }

void RecordingPort::Log(EventKind kind, double number, std::string_view text) const
{
    log_.Add(
        { .Kind = kind, .Source = EventSource::Port, .Number = number, .Text = std::string(text) });
}

std::string RecordingPort::FieldText(int field) const
{
    Log(EventKind::Field, field);
    return forward_ != nullptr ? forward_->FieldText(field) : fields_->FieldText(field);
}

void RecordingPort::ShowMessage(MessageCode code)
{
    Log(EventKind::Message, code);
    if (forward_ != nullptr)
        forward_->ShowMessage(code);
}

void RecordingPort::SetUpCharts(std::int16_t days)
{
    Log(EventKind::SetUp, days);
    if (forward_ != nullptr)
        forward_->SetUpCharts(days);
}

void RecordingPort::LabelDay(std::int16_t day)
{
    Log(EventKind::Label, day);
    if (forward_ != nullptr)
        forward_->LabelDay(day);
}

void RecordingPort::FillMonthChart(const MonthValues &values)
{
    lastMonth_ = values;
    Log(EventKind::FillMonth, values.Days);
    if (forward_ != nullptr)
        forward_->FillMonthChart(values);
}

void RecordingPort::FillDayChart(double chosenDay, double targetMonth, double physical,
                                 double emotional, double intellectual)
{
    lastDay_ = { chosenDay, targetMonth, physical, emotional, intellectual };
    std::string text;
    for (const double v : lastDay_) {
        if (!text.empty())
            text += ' ';
        text += FormatNumber(v);
    }
    Log(EventKind::FillDay, 0, text);
    if (forward_ != nullptr)
        forward_->FillDayChart(chosenDay, targetMonth, physical, emotional, intellectual);
}

void RecordingPort::SetConfirmCaption(std::string_view caption)
{
    Log(EventKind::ConfirmCaption, 0, caption);
    if (forward_ != nullptr)
        forward_->SetConfirmCaption(caption);
}

} // namespace cykl::test
