// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recorders.h"

#include <charconv>
#include <type_traits>

namespace cykl::test {

namespace {

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
    return "'" + std::string(text) + "'";
}

std::string TypedValue(const ChartValue &value)
{
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int16_t>)
                return "i16 " + std::to_string(v);
            else if constexpr (std::is_same_v<T, double>)
                return "f64 " + FormatNumber(v);
            else if constexpr (std::is_same_v<T, std::string>)
                return "str " + Quoted(v);
            else
                return v ? "bool true" : "bool false";
        },
        value);
}

// The number a port event carries, written without its type.
std::string PlainValue(const ChartValue &value)
{
    const std::string typed = TypedValue(value);
    return typed.substr(typed.find(' ') + 1);
}

std::string PortLine(const Event &e)
{
    switch (e.Kind) {
    case EventKind::Field:
        return "FieldText " + PlainValue(e.Value);
    case EventKind::Message:
        return "ShowMessage " + PlainValue(e.Value);
    case EventKind::SetUp:
        return "SetUpCharts " + PlainValue(e.Value);
    case EventKind::Label:
        return "LabelDay " + PlainValue(e.Value);
    case EventKind::FillMonth:
        return "FillMonthChart " + PlainValue(e.Value);
    case EventKind::FillDay:
        return "FillDayChart " + e.Text;
    case EventKind::ConfirmCaption:
        return "SetConfirmCaption " + Quoted(e.Text);
    default:
        return "?";
    }
}

} // namespace

std::string FormatNumber(double value)
{
    std::array<char, 32> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string Event::Line() const
{
    std::string line(SourceName(Source));
    line += ' ';
    const auto property = std::to_string(static_cast<int>(Property));
    switch (Kind) {
    case EventKind::Write:
        return line + property + " := " + TypedValue(Value);
    case EventKind::Read:
        return line + property + " ? " + PlainValue(Value);
    case EventKind::Visible:
        return line + "visible " + PlainValue(Value);
    case EventKind::Box:
        return line + std::to_string(static_cast<int>(Style)) + ' ' + Quoted(Title) + ' '
            + Quoted(Text);
    case EventKind::Caption:
        return line + "caption " + Quoted(Text);
    default:
        return line + PortLine(*this);
    }
}

std::vector<std::string> EventLog::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(events_.size());
    for (const Event &e : events_)
        lines.push_back(e.Line());
    return lines;
}

std::vector<std::string> EventLog::Lines(EventSource source) const
{
    std::vector<std::string> lines;
    for (const Event &e : events_) {
        if (e.Source == source)
            lines.push_back(e.Line());
    }
    return lines;
}

std::vector<MessageCode> EventLog::MessageCodes() const
{
    std::vector<MessageCode> codes;
    for (const Event &e : events_) {
        if (e.Kind == EventKind::Message)
            codes.push_back(std::get<std::int16_t>(e.Value));
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
