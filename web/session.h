// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the web page sees it: the six field texts go in, and the display's state
// comes out as one JSON text (the button's caption, the messages in the order their boxes
// would appear, both charts with their descriptions, and the legend). The page shows
// exactly that, so every number and text it shows comes from the engine.
#pragma once

#include "calendar/dates.h"
#include "display/held_window.h"

#include <optional>
#include <string>
#include <utility>

namespace cykl::web {

class Session final {
public:
    // Field 1 to 6 (Text1 to Text6), UTF-8; other numbers are ignored. Like a typed
    // change in the window, it returns the display to its unconfirmed state.
    void SetField(int field, std::string text) { window_.SetField(field, std::move(text)); }
    // The confirm button: runs the confirmation chain on the six texts.
    void Confirm() { window_.ConfirmFields(); }
    // ResetDisplay, as a change of any field runs it.
    void Reset() { window_.Reset(); }
    // The language of every text from here on (a change resets the display).
    void SetLanguage(Lang lang) { window_.SetLanguage(lang); }
    Lang Language() const { return window_.Language(); }

    // The birth date of fields 1 to 3, read as the confirmation reads them, for the lists
    // beyond the window; a number that is no whole day, month or year reads as 0, which
    // the window refuses.
    Date Birth() const;
    std::string FieldText(int field) const { return window_.FieldText(field); }
    // Whether a confirmation of the fields is on show (the charts drawn).
    bool Confirmed() const { return Target().has_value(); }
    // The target day of the confirmation on show, as the window read it from its fields;
    // none while nothing is confirmed.
    std::optional<Date> Target() const;

    // The display as it stands, with the messages of the last confirmation.
    std::string StateJson() const;
    // Chart 1 (Graph1) or 2 (Graph2) as it stands, laid out at width x height pixels with
    // labels of fontPixels, a bar at 0 shown and the target day marked on the month's
    // curves, as SVG elements (display/chart_svg.h); a hidden chart as an empty one, an
    // unknown chart as nothing.
    std::string ChartSvg(int chart, double width, double height, double fontPixels) const;
    // The month's curves with the target day marked, alone, to lay over another person's
    // month chart of the same size: in a group of class "second", clipped by
    // "Graph1-second-clip".
    std::string SecondCurvesSvg(double width, double height, double fontPixels) const;

private:
    // The chart as the page shows it: the day chart's day in the page's form, "5. 3.".
    ChartModel OnPage(int chart) const;

    HeldWindow window_;
};

} // namespace cykl::web
