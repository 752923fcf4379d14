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

EventLog::EventLog(std::size_t reserve)
{
    events_.resize(reserve);
    capacity_ = events_.size();
    texts_.reserve(reserve / 8);
}

std::uint32_t EventLog::StoreText(std::string_view text)
{
    texts_.emplace_back(text);
    return static_cast<std::uint32_t>(texts_.size() - 1);
}

void EventLog::Grow()
{
    events_.resize(std::max<std::size_t>(64, 2 * events_.size()));
}

void EventLog::AddTextWrite(EventSource source, ChartProperty property, std::string_view text)
{
    Event event(EventKind::Write, source, property, ValueType::Text, 0, StoreText(text));
    NewEvent() = event;
}

void EventLog::AddNumberWriteAfterGrowing(EventSource source, ChartProperty property,
                                          ValueType type, double number)
{
    Grow();
    NewEvent() = Event(EventKind::Write, source, property, type, number);
}

void EventLog::Clear()
{
    size_ = 0;
    texts_.clear();
}

std::string_view EventLog::Text(const Event &event) const
{
    return event.TextIndex == Event::NoText ? std::string_view {} : texts_[event.TextIndex];
}

std::string_view EventLog::Title(const Event &event) const
{
    return event.TitleIndex == Event::NoText ? std::string_view {} : texts_[event.TitleIndex];
}

ChartValue EventLog::Value(const Event &event) const
{
    switch (event.Type) {
    case ValueType::Int16:
        return static_cast<std::int16_t>(event.Number);
    case ValueType::Bool:
        return event.Number != 0;
    case ValueType::Text:
        return std::string(Text(event));
    default:
        return event.Number;
    }
}

std::string EventLog::Line(const Event &e) const
{
    const std::string_view source = SourceName(e.Source);
    const std::string property = std::to_string(static_cast<int>(e.Property));
    switch (e.Kind) {
    case EventKind::Write:
        return Concat({ source, " ", property, " := ", TypedValue(Value(e)) });
    case EventKind::Read:
        return Concat({ source, " ", property, " ? ", FormatNumber(e.Number) });
    case EventKind::Visible:
        return Concat({ source, " visible ", e.Number != 0 ? "true" : "false" });
    case EventKind::Box:
        return Concat({ source, " ", std::to_string(static_cast<int>(e.Style)), " ",
                        Quoted(Title(e)), " ", Quoted(Text(e)) });
    case EventKind::Caption:
        return Concat({ source, " caption ", Quoted(Text(e)) });
    case EventKind::FillDay:
        return Concat({ source, " ", PortCallName(e.Kind), Text(e) });
    case EventKind::ConfirmCaption:
        return Concat({ source, " ", PortCallName(e.Kind), Quoted(Text(e)) });
    default:
        return Concat({ source, " ", PortCallName(e.Kind), FormatNumber(e.Number) });
    }
}

std::vector<std::string> EventLog::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(size_);
    for (const Event &e : Events())
        lines.push_back(Line(e));
    return lines;
}

std::vector<std::string> EventLog::Lines(EventSource source) const
{
    std::vector<std::string> lines;
    for (const Event &e : Events()) {
        if (e.Source == source)
            lines.push_back(Line(e));
    }
    return lines;
}

std::vector<MessageCode> EventLog::MessageCodes() const
{
    std::vector<MessageCode> codes;
    for (const Event &e : Events()) {
        if (e.Kind == EventKind::Message)
            codes.push_back(static_cast<MessageCode>(e.Number));
    }
    return codes;
}

std::vector<std::string> EventLog::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const Event &e : Events()) {
        if (e.Kind == EventKind::Box)
            texts.emplace_back(Text(e));
    }
    return texts;
}

} // namespace cykl::test
