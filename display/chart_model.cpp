// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/chart_model.h"

#include "calc/number_text.h"
#include "display/chart_look.h"
#include "lang/catalogue.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace cykl {

namespace {

std::string NumberText(double value)
{
    if (value == 0.0) {
        value = 0.0; // no "-0"
    }
    std::array<char, 32> buffer {};
    return std::string(buffer.data(),
                       WriteShortest(buffer.data(), buffer.data() + buffer.size(), value));
}

const std::int16_t *AsInteger(const ChartValue &value)
{
    return std::get_if<std::int16_t>(&value);
}

// A number where the property takes one: a 16-bit integer or a double.
std::optional<double> AsNumber(const ChartValue &value)
{
    if (const auto *integer = AsInteger(value)) {
        return *integer;
    }
    if (const auto *real = std::get_if<double>(&value)) {
        return *real;
    }
    return std::nullopt;
}

std::optional<std::string> AsLabel(const ChartValue &value)
{
    if (const auto *text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto *integer = AsInteger(value)) {
        return std::to_string(*integer);
    }
    if (const auto *real = std::get_if<double>(&value)) {
        return NumberText(*real);
    }
    return std::nullopt;
}

} // namespace

ChartModel::ChartModel(std::int16_t type, std::int16_t points, std::int16_t sets) : type_(type)
{
    Resize(std::clamp<int>(points, 1, MaxPoints), std::clamp<int>(sets, 1, MaxSets));
}

ChartModel::Effect ChartModel::Write(ChartProperty property, const ChartValue &value)
{
    switch (property) {
    case ChartProperty::PointLabel:
        if (auto label = AsLabel(value)) {
            PutLabel(std::move(*label));
        }
        return Effect::None;
    case ChartProperty::DataValue:
        if (const auto number = AsNumber(value)) {
            PutValue(*number);
        }
        return Effect::None;
    case ChartProperty::PointCount:
    case ChartProperty::SetCount:
    case ChartProperty::ChartType:
        return WriteCount(property, value);
    case ChartProperty::RewindPositions:
    case ChartProperty::AutoAdvance:
    case ChartProperty::ResetRequest:
    case ChartProperty::DrawRequest:
        return WriteFlag(property, value);
    }
    return Effect::None;
}

ChartModel::Effect ChartModel::WriteCount(ChartProperty property, const ChartValue &value)
{
    const auto *integer = AsInteger(value);
    if (integer == nullptr) {
        return Effect::None;
    }
    if (property == ChartProperty::ChartType) {
        type_ = *integer;
    } else if (property == ChartProperty::PointCount && *integer >= 1 && *integer <= MaxPoints) {
        Resize(*integer, sets_);
    } else if (property == ChartProperty::SetCount && *integer >= 1 && *integer <= MaxSets) {
        Resize(points_, *integer);
    }
    return Effect::None;
}

ChartModel::Effect ChartModel::WriteFlag(ChartProperty property, const ChartValue &value)
{
    const auto *integer = AsInteger(value);
    if (integer == nullptr) {
        return Effect::None;
    }
    switch (property) {
    case ChartProperty::AutoAdvance:
        if (*integer == 0 || *integer == 1) {
            autoAdvance_ = *integer == 1;
        }
        break;
    case ChartProperty::RewindPositions:
        if (*integer == 1) {
            Rewind();
        }
        break;
    case ChartProperty::ResetRequest:
        if (*integer == 1) {
            Clear();
            return Effect::Cleared;
        }
        break;
    case ChartProperty::DrawRequest:
        return *integer == DrawNow ? Effect::Draw : Effect::None;
    default:
        break;
    }
    return Effect::None;
}

double ChartModel::Read(ChartProperty property) const
{
    switch (property) {
    case ChartProperty::PointCount:
        return points_;
    case ChartProperty::SetCount:
        return sets_;
    case ChartProperty::ChartType:
        return type_;
    case ChartProperty::AutoAdvance:
        return autoAdvance_ ? 1 : 0;
    default:
        return 0;
    }
}

const std::string &ChartModel::Label(int point) const
{
    static const std::string none;
    if (point < 0 || point >= points_) {
        return none;
    }
    return labels_[static_cast<std::size_t>(point)];
}

std::optional<double> ChartModel::Value(int set, int point) const
{
    if (set < 0 || set >= sets_ || point < 0 || point >= points_) {
        return std::nullopt;
    }
    return values_[static_cast<std::size_t>(set) * static_cast<std::size_t>(points_)
                   + static_cast<std::size_t>(point)];
}

bool ChartModel::Empty() const
{
    // (iterator pairs, not ranges: libc++ 14, the WebAssembly build's, has no range algorithms)
    return std::all_of(labels_.begin(), labels_.end(),
                       [](const auto &label) { return label.empty(); })
        && std::none_of(values_.begin(), values_.end(),
                        [](const auto &value) { return value.has_value(); });
}

void ChartModel::Resize(int points, int sets)
{
    std::vector<std::optional<double>> values(static_cast<std::size_t>(points * sets));
    for (int set = 0; set < std::min(sets, sets_); ++set) {
        for (int point = 0; point < std::min(points, points_); ++point) {
            values[static_cast<std::size_t>(set) * static_cast<std::size_t>(points)
                   + static_cast<std::size_t>(point)]
                = Value(set, point);
        }
    }
    values_ = std::move(values);
    labels_.resize(static_cast<std::size_t>(points));
    points_ = points;
    sets_ = sets;
    Rewind();
}

void ChartModel::Rewind()
{
    labelPosition_ = 0;
    valuePosition_ = 0;
}

void ChartModel::Clear()
{
    std::fill(labels_.begin(), labels_.end(), std::string());
    std::fill(values_.begin(), values_.end(), std::nullopt);
    Rewind();
}

void ChartModel::PutLabel(std::string label)
{
    if (labelPosition_ >= points_) {
        return;
    }
    labels_[static_cast<std::size_t>(labelPosition_)] = std::move(label);
    if (autoAdvance_) {
        ++labelPosition_;
    }
}

void ChartModel::PutValue(double value)
{
    if (valuePosition_ >= points_ * sets_) {
        return;
    }
    values_[static_cast<std::size_t>(valuePosition_)] = value;
    if (autoAdvance_) {
        ++valuePosition_;
    }
}

namespace {

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void AppendValue(std::string &out, int index, double value, Lang lang)
{
    if (!out.empty()) {
        out += ", ";
    }
    out += look::SeriesName(index, lang) + ' ' + NumberText(value) + " %";
}

// The points of a bar chart's sets, named by cycle.
std::string DescribeBars(const ChartModel &model, Lang lang)
{
    const auto day = Trimmed(model.Label(0));
    std::string values;
    for (int set = 0; set < model.Sets(); ++set) {
        for (int point = 0; point < model.Points(); ++point) {
            if (const auto value = model.Value(set, point)) {
                AppendValue(values, point, *value, lang);
            }
        }
    }
    if (values.empty() || day.empty()) {
        return values;
    }
    return Say("chart.day.values", lang, { day, values });
}

// Day by day, the values of a line chart's sets, named by cycle.
std::string DescribeLines(const ChartModel &model, Lang lang)
{
    std::string out;
    for (int point = 0; point < model.Points(); ++point) {
        std::string values;
        for (int set = 0; set < model.Sets(); ++set) {
            if (const auto value = model.Value(set, point)) {
                AppendValue(values, set, *value, lang);
            }
        }
        if (values.empty()) {
            continue;
        }
        auto day = Trimmed(model.Label(point));
        if (day.empty()) {
            day = std::to_string(point + 1);
        }
        out += out.empty() ? "" : "; ";
        out += Say("chart.day.values", lang, { day, values });
    }
    return out;
}

} // namespace

std::string DescribeChart(const ChartModel &model, Lang lang)
{
    const auto text
        = model.Type() == ChartTypeBar ? DescribeBars(model, lang) : DescribeLines(model, lang);
    return text.empty() ? std::string(Say("chart.unconfirmed", lang)) : text;
}

} // namespace cykl
