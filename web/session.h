// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the web page sees it: the six field texts go in, and the display's state
// comes out as one JSON text (the button's caption, the messages in the order their boxes
// would appear, both charts with their descriptions, and the legend). The page shows
// exactly that, so every number and text it shows comes from the engine.
#pragma once

#include "calc/main_module.h"
#include "display/chart_model.h"
#include "display/display.h"

#include <array>
#include <string>
#include <vector>

namespace cykl::web {

// A chart control that keeps what is written to it, as the window's chart does.
class ModelChart final : public ChartControl {
public:
    ModelChart(std::int16_t type, std::int16_t points, std::int16_t sets)
        : model_(type, points, sets)
    {
    }
    void Write(ChartProperty property, const ChartValue &value) override
    {
        model_.Write(property, value);
    }
    double Read(ChartProperty property) const override { return model_.Read(property); }
    void SetVisible(bool visible) override { visible_ = visible; }

    const ChartModel &Model() const { return model_; }
    bool Visible() const { return visible_; }

private:
    ChartModel model_;
    bool visible_ = true;
};

class Session final : public FieldSource, public MessageBoxSeam, public CaptionTarget {
public:
    Session();

    // Field 1 to 6 (Text1 to Text6), UTF-8; other numbers are ignored. Like a typed
    // change in the window, it returns the display to its unconfirmed state.
    void SetField(int field, std::string text);
    // The confirm button: runs the confirmation chain on the six texts.
    void Confirm();
    // ResetDisplay, as a change of any field runs it.
    void Reset();

    // The display as it stands, with the messages of the last confirmation.
    std::string StateJson() const;
    // Chart 1 (Graph1) or 2 (Graph2) as it stands, laid out at width x height pixels with
    // labels of fontPixels and a bar at 0 shown, as SVG elements (display/chart_svg.h); a
    // hidden chart as an empty one, an unknown chart as nothing.
    std::string ChartSvg(int chart, double width, double height, double fontPixels) const;

    std::string FieldText(int field) const override;
    void Show(std::string_view text, std::string_view title, MessageStyle style) override;
    void SetCaption(std::string_view caption) override;

private:
    struct Message {
        MessageStyle Style;
        std::string Text;
    };

    Main main_;
    std::array<std::string, 6> fields_;
    ModelChart graph1_;
    ModelChart graph2_;
    std::string caption_;
    std::vector<Message> messages_;
    Display display_;
};

} // namespace cykl::web
