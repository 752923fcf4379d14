// SPDX-License-Identifier: GPL-3.0-or-later
// Field texts, as pasting can make them, through a sequence of confirmations on one window
// state: ConfirmInput and the display into the recorders. Lines 1 to 6 of the input are the
// six fields of the first confirmation, lines 7 to 12 those of the second, and so on.
// Besides crashes and sanitizer reports it traps when a confirmation's message codes, day
// count or target-day values differ from an independent reference (the closed-form day
// number of tests/support), or when its events are out of order: more than one refusal
// (codes 1 to 3), anything after a refusal but its box and the reset, a verdict box before
// the day chart is drawn and shown, an outcome that is neither a refusal nor a complete
// chart, or a caption that is not the last event.
#include "calc/chain.h"
#include "tests/support/day_number.h"
#include "tests/support/recorders.h"
#include "tests/support/rig.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace cykl;
using namespace cykl::test;

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool IsWrite(const Event &e, EventSource source, ChartProperty property)
{
    return e.Kind == EventKind::Write && e.Source == source && e.Property == property;
}

bool IsVisible(const Event &e, EventSource source, bool visible)
{
    return e.Kind == EventKind::Visible && e.Source == source && (e.Number != 0) == visible;
}

// After a refusal: its box, then exactly the writes of ResetDisplay.
void CheckRefusalTail(const std::vector<Event> &events, std::size_t at)
{
    Require(events.size() == at + 6);
    Require(events[at + 1].Kind == EventKind::Box);
    Require(IsWrite(events[at + 2], EventSource::Graph1, ChartProperty::ResetRequest));
    Require(IsWrite(events[at + 3], EventSource::Graph1, ChartProperty::DrawRequest));
    Require(IsVisible(events[at + 4], EventSource::Graph2, false));
    Require(events[at + 5].Kind == EventKind::Caption && events[at + 5].Text == CaptionUnconfirmed);
}

void CheckOrder(const std::vector<Event> &events)
{
    bool dayChartDrawn = false;
    bool dayChartShown = false;
    bool chartTouched = false;
    MessageCode lastVerdict = 3;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event &e = events[i];
        chartTouched
            = chartTouched || e.Source == EventSource::Graph1 || e.Source == EventSource::Graph2;
        dayChartDrawn
            = dayChartDrawn || IsWrite(e, EventSource::Graph2, ChartProperty::DrawRequest);
        dayChartShown = dayChartShown || IsVisible(e, EventSource::Graph2, true);
        if (e.Kind != EventKind::Message)
            continue;
        const auto code = static_cast<MessageCode>(e.Number);
        Require(code >= 1 && code <= 12);
        if (code <= 3) {
            Require(!chartTouched);
            CheckRefusalTail(events, i);
            return;
        }
        Require(dayChartDrawn && dayChartShown && code > lastVerdict);
        Require(i + 1 < events.size() && events[i + 1].Kind == EventKind::Box);
        lastVerdict = code;
    }
    // No refusal: a complete chart, and the caption "Údaje platí" last of all.
    Require(dayChartDrawn && dayChartShown && events.size() >= 2);
    Require(events.back().Kind == EventKind::Caption && events.back().Text == CaptionConfirmed);
    Require(events[events.size() - 2].Kind == EventKind::ConfirmCaption);
}

// What one confirmation must come to, worked out on the closed-form calendar.
struct Outcome {
    std::vector<MessageCode> Codes;
    bool Drawn = false;
    std::int64_t DaysLived = 0; // to the first day of the target month
    int Days = 0; // of the target month
    std::array<double, 5> Day {}; // chosen day, month and the three values
};

Outcome Refused(MessageCode code)
{
    return { .Codes = { code } };
}

bool IsWholeNumber(double x)
{
    return std::isfinite(x) && x == std::floor(x);
}

// Read as numbers: birth day, month, year, target day, month, year.
Outcome Expect(const std::array<double, 6> &v)
{
    const auto [bd, bm, by, td, tm, ty] = v;
    if (by == 0 || ty == 0)
        return Refused(1);
    constexpr double YearLimit = 9007199254740992.0; // 2^53
    const bool dates = IsWholeNumber(bd) && IsWholeNumber(td) && bd >= 1 && td >= 1
        && IsWholeNumber(bm) && IsWholeNumber(tm) && bm >= 1 && bm <= 12 && tm >= 1 && tm <= 12;
    const bool years = IsWholeNumber(by) && IsWholeNumber(ty) && std::abs(by) < YearLimit
        && std::abs(ty) < YearLimit;
    if (!dates || !years)
        return Refused(1);
    if (std::array { ty, tm, td } < std::array { by, bm, bd })
        return Refused(2);
    if (ty - by > 150)
        return Refused(3);
    const auto birthYear = static_cast<std::int64_t>(by);
    const auto targetYear = static_cast<std::int64_t>(ty);
    const int birthMonth = static_cast<int>(bm);
    const int targetMonth = static_cast<int>(tm);
    if (bd > MonthDays(birthMonth, birthYear) || td > MonthDays(targetMonth, targetYear))
        return Refused(1);

    Outcome o;
    o.Drawn = true;
    o.DaysLived = DayNumber(1, targetMonth, targetYear)
        - DayNumber(static_cast<std::int64_t>(bd), birthMonth, birthYear);
    o.Days = MonthDays(targetMonth, targetYear);
    const double t = static_cast<double>(o.DaysLived) + td - 1;
    const double p = CycleValue(t, PhysicalPeriod);
    const double e = CycleValue(t, EmotionalPeriod);
    const double i = CycleValue(t, IntellectualPeriod);
    o.Day = { td, tm, p, e, i };
    const std::array<bool, 9> verdicts
        = { std::abs(p) <= 3, std::abs(e) <= 3, std::abs(i) <= 3, p >= 98, p <= -98,
            e >= 98,          e <= -98,         i >= 98,          i <= -98 };
    for (std::size_t k = 0; k < verdicts.size(); ++k) {
        if (verdicts[k])
            o.Codes.push_back(static_cast<MessageCode>(4 + k));
    }
    return o;
}

void CheckOutcome(const Outcome &expected, const EventLog &log, const RecordingPort &port)
{
    Require(log.MessageCodes() == expected.Codes);
    if (!expected.Drawn)
        return;
    const MonthValues &month = port.LastMonth();
    Require(month.Days == expected.Days);
    const double first = static_cast<double>(expected.DaysLived);
    Require(month.Physical[0] == CycleValue(first, PhysicalPeriod));
    Require(month.Emotional[0] == CycleValue(first, EmotionalPeriod));
    Require(month.Intellectual[0] == CycleValue(first, IntellectualPeriod));
    Require(port.LastDay() == expected.Day);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    ConfirmationRig rig;
    RecordingPort port(rig.Log, rig.Screen);
    do {
        std::array<std::string, 6> texts;
        for (std::string &text : texts) {
            const std::size_t end = std::min(input.find('\n'), input.size());
            text = input.substr(0, end);
            input.remove_prefix(std::min(end + 1, input.size()));
        }
        std::array<double, 6> numbers {};
        for (std::size_t k = 0; k < texts.size(); ++k)
            numbers[k] = ReadNumber(texts[k]);
        rig.Fields = FixedFields(texts);
        rig.Log.Clear();
        ConfirmInput(rig.State, port);
        CheckOrder(rig.Log.Events());
        CheckOutcome(Expect(numbers), rig.Log, port);
    } while (!input.empty());
    return 0;
}
