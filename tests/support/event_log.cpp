// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recorders.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <type_traits>

namespace cykl::test {

namespace {

// Joins the parts with one allocation (and without operator+ on a literal, which GCC 12
// at -O3 wrongly warns about).
std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string_view part : parts)
        joined.append(part);
    return joined;
}

std::string_view SourceName(EventSource source)
{
    switch (source) {
    case EventSource::Graph1:
        return "Graph1";
    case EventSource::Graph2:
        return "Graph2";
    case EventSource::Box:
        return "box";
    case EventSource::Command1:
        return "Command1";
    case EventSource::Port:
        return "port";
    }
    return "?";
}

std::string Quoted(std::string_view text)
{
    return Concat({ "'", text, "'" });
}

std::string TypedValue(const ChartValue &value)
{
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int16_t>)
                return Concat({ "i16 ", std::to_string(v) });
            else if constexpr (std::is_same_v<T, double>)
                return Concat({ "f64 ", FormatNumber(v) });
            else if constexpr (std::is_same_v<T, std::string>)
                return Concat({ "str ", Quoted(v) });
            else
                return v ? "bool true" : "bool false";
        },
        value);
}

std::string_view PortCallName(EventKind kind)
{
    switch (kind) {
    case EventKind::Field:
        return "FieldText ";
    case EventKind::Message:
        return "ShowMessage ";
    case EventKind::SetUp:
        return "SetUpCharts ";
    case EventKind::Label:
        return "LabelDay ";
    case EventKind::FillMonth:
        return "FillMonthChart ";
    case EventKind::FillDay:
        return "FillDayChart ";
    case EventKind::ConfirmCaption:
        return "SetConfirmCaption ";
    default:
        return "? ";
    }
}

} // namespace

std::string FormatNumber(double value)
{
    std::array<char, 32> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string EventLog::Line(const Event &e)
{
    const std::string_view source = SourceName(e.Source);
    const std::string property = std::to_string(static_cast<int>(e.Property));
    switch (e.Kind) {
    case EventKind::Write:
        return Concat({ source, " ", property, " := ", TypedValue(e.Value) });
    case EventKind::Read:
        return Concat({ source, " ", property, " ? ", FormatNumber(e.Number) });
    case EventKind::Visible:
        return Concat({ source, " visible ", e.Number != 0 ? "true" : "false" });
    case EventKind::Box:
        return Concat({ source, " ", std::to_string(static_cast<int>(e.Style)), " ",
                        Quoted(e.Title), " ", Quoted(e.Text) });
    case EventKind::Caption:
        return Concat({ source, " caption ", Quoted(e.Text) });
    case EventKind::FillDay:
        return Concat({ source, " ", PortCallName(e.Kind), e.Text });
    case EventKind::ConfirmCaption:
        return Concat({ source, " ", PortCallName(e.Kind), Quoted(e.Text) });
    default:
        return Concat({ source, " ", PortCallName(e.Kind), FormatNumber(e.Number) });
    }
}

std::vector<std::string> EventLog::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(events_.size());
    for (const Event &e : events_)
        lines.push_back(Line(e));
    return lines;
}

std::vector<std::string> EventLog::Lines(EventSource source) const
{
    std::vector<std::string> lines;
    for (const Event &e : events_) {
        if (e.Source == source)
            lines.push_back(Line(e));
    }
    return lines;
}

std::vector<MessageCode> EventLog::MessageCodes() const
{
    std::vector<MessageCode> codes;
    for (const Event &e : events_) {
        if (e.Kind == EventKind::Message)
            codes.push_back(static_cast<MessageCode>(e.Number));
    }
    return codes;
}

std::vector<std::string> EventLog::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const Event &e : events_) {
        if (e.Kind == EventKind::Box)
            texts.push_back(e.Text);
    }
    return texts;
}

} // namespace cykl::test
