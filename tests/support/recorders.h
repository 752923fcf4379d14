// SPDX-License-Identifier: GPL-3.0-or-later
// Recorders of the seams for tests: every chart write, read and visibility change, every
// message box, caption and Port call lands in one shared log, in the order it happened.
#pragma once

#include "calc/port.h"
#include "display/chart_control.h"
#include "display/seams.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cykl::test {

enum class EventSource : std::uint8_t { Graph1, Graph2, Box, Command1, Port };

enum class EventKind : std::uint8_t {
    Write, // a chart property write: Property and its value
    Read, // a chart property read: Property, Number holds the double returned
    Visible, // a chart shown or hidden: Number holds the bool
    Box, // a message box: Style, Text, Title
    Caption, // the caption of Command1: Text
    Field, // Port::FieldText: Number holds the field number
    Message, // Port::ShowMessage: Number holds the code
    SetUp, // Port::SetUpCharts: Number holds the day count
    Label, // Port::LabelDay: Number holds the day
    FillMonth, // Port::FillMonthChart: Number holds the day count
    FillDay, // Port::FillDayChart: Text holds "day month P E I"
    ConfirmCaption, // Port::SetConfirmCaption: Text
};

// One entry of the log.
struct Event {
    EventKind Kind = EventKind::Write;
    EventSource Source = EventSource::Graph1;
    ChartProperty Property {}; // of a write or read
    ChartValue Value {}; // of a write
    double Number = 0; // a read's result, a visibility, a field number, code, day or count
    MessageStyle Style {}; // of a box
    std::string Text {}; // a box text, caption or port arguments
    std::string Title {}; // of a box
};

// The log the recorders share.
class EventLog {
public:
    void Add(Event event) { events_.push_back(std::move(event)); }
    void Clear() { events_.clear(); }

    const std::vector<Event> &Events() const { return events_; }
    std::size_t Size() const { return events_.size(); }

    // One line of text per event, the form the tests compare, for example
    // "Graph1 30 := i16 31", "Graph1 16 := f64 -27", "Graph2 25 := str ' 5/3'",
    // "Graph1 30 ? 31", "Graph2 visible false", "box 64 'Cyklometrika' 'text'",
    // "Command1 caption 'Údaje platí'", "port ShowMessage 4".
    static std::string Line(const Event &event);
    std::vector<std::string> Lines() const;
    std::vector<std::string> Lines(EventSource source) const; // of one source only

    // The codes of the port's ShowMessage calls, and the texts of the boxes shown.
    std::vector<MessageCode> MessageCodes() const;
    std::vector<std::string> BoxTexts() const;

private:
    std::vector<Event> events_;
};

// A chart control that logs and models the read-back of its point count (property 30):
// it reports the last point count written, or the one it started with.
class RecordingChart final : public ChartControl {
public:
    RecordingChart(EventLog &log, EventSource source, std::int16_t initialPoints);

    void Write(ChartProperty property, const ChartValue &value) override;
    double Read(ChartProperty property) const override;
    void SetVisible(bool visible) override;

    // From now on, report this point count whatever is written (a faulty control).
    void ReportPoints(double points);

    std::int16_t Points() const { return points_; }
    bool Visible() const { return visible_; }

private:
    EventLog &log_;
    EventSource source_;
    std::int16_t points_;
    bool visible_ = true;
    bool forced_ = false;
    double forcedPoints_ = 0;
};

class RecordingMessageBox final : public MessageBoxSeam {
public:
    explicit RecordingMessageBox(EventLog &log);
    void Show(std::string_view text, std::string_view title, MessageStyle style) override;

private:
    EventLog &log_;
};

class RecordingCaption final : public CaptionTarget {
public:
    explicit RecordingCaption(EventLog &log);
    void SetCaption(std::string_view caption) override;
    const std::string &Caption() const { return caption_; }

private:
    EventLog &log_;
    std::string caption_;
};

// Six fixed field texts, Text1 to Text6.
class FixedFields final : public FieldSource {
public:
    FixedFields() = default;
    explicit FixedFields(const std::array<std::string, 6> &texts);
    FixedFields(std::string_view birthDay, std::string_view birthMonth, std::string_view birthYear,
                std::string_view targetDay, std::string_view targetMonth,
                std::string_view targetYear);

    void Set(int field, std::string_view text);
    std::string FieldText(int field) const override; // "" for a field outside 1 .. 6

private:
    std::array<std::string, 6> texts_;
};

// A Port that logs every call. It either answers on its own (fields from a FieldSource,
// everything else only logged) or forwards each call to another Port after logging it.
class RecordingPort final : public Port {
public:
    RecordingPort(EventLog &log, const FieldSource &fields);
    RecordingPort(EventLog &log, Port &forward);

    std::string FieldText(int field) const override;
    void ShowMessage(MessageCode code) override;
    void SetUpCharts(std::int16_t days) override;
    void LabelDay(std::int16_t day) override;
    void FillMonthChart(const MonthValues &values) override;
    void FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                      double intellectual) override;
    void SetConfirmCaption(std::string_view caption) override;

    // The arguments of the last FillMonthChart and FillDayChart calls.
    const MonthValues &LastMonth() const { return lastMonth_; }
    const std::array<double, 5> &LastDay() const { return lastDay_; }

private:
    void Log(EventKind kind, double number, std::string_view text = {}) const;

    EventLog &log_;
    const FieldSource *fields_ = nullptr;
    Port *forward_ = nullptr;
    MonthValues lastMonth_ {};
    std::array<double, 5> lastDay_ {};
};

// A double written the way the log lines write it: shortest form, "63", "-0.5".
std::string FormatNumber(double value);

} // namespace cykl::test
