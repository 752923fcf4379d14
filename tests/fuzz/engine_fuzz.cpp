// SPDX-License-Identifier: GPL-3.0-or-later
// Any six field texts, as pasting can make them, through ConfirmInput and Display into
// the recorders. Besides crashes and sanitizer reports it traps on a broken
// order of events: more than one refusal (codes 1 to 3), anything after a refusal but its
// box and the reset, a verdict box before the day chart is drawn and shown, an outcome
// that is neither a refusal nor a complete chart, or a caption that is not the last event.
#include "tests/support/recorders.h"
#include "tests/support/rig.h"

#include <cstddef>
#include <cstdint>
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
void CheckRefusalTail(const EventLog &log, std::size_t at)
{
    const std::vector<Event> &events = log.Events();
    Require(events.size() == at + 6);
    Require(events[at + 1].Kind == EventKind::Box);
    Require(IsWrite(events[at + 2], EventSource::Graph1, ChartProperty::ResetRequest));
    Require(IsWrite(events[at + 3], EventSource::Graph1, ChartProperty::DrawRequest));
    Require(IsVisible(events[at + 4], EventSource::Graph2, false));
    Require(events[at + 5].Kind == EventKind::Caption
            && events[at + 5].Text == CaptionUnconfirmed);
}

void CheckLog(const EventLog &log)
{
    const std::vector<Event> &events = log.Events();
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
            CheckRefusalTail(log, i);
            return;
        }
        Require(dayChartDrawn && dayChartShown && code > lastVerdict);
        Require(i + 1 < events.size() && events[i + 1].Kind == EventKind::Box);
        lastVerdict = code;
    }
    // No refusal: a complete chart, and the caption "Údaje platí" last of all.
    Require(dayChartDrawn && dayChartShown && events.size() >= 2);
    Require(events.back().Kind == EventKind::Caption
            && events.back().Text == CaptionConfirmed);
    Require(events[events.size() - 2].Kind == EventKind::ConfirmCaption);
}

// The input as six field texts, separated by new lines; missing fields are empty.
FixedFields SplitFields(std::string_view input)
{
    FixedFields fields;
    for (int field = 1; field <= 6; ++field) {
        const std::size_t end = input.find('\n');
        fields.Set(field, input.substr(0, end));
        if (end == std::string_view::npos)
            break;
        input.remove_prefix(end + 1);
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ConfirmationRig rig;
    rig.fields = SplitFields({ reinterpret_cast<const char *>(data), size });
    RecordingPort port(rig.log, rig.display);
    ConfirmInput(rig.main, port);
    CheckLog(rig.log);
    return 0;
}
