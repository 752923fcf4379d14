// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/session.h"

#include "calc/chain.h"
#include "display/chart_layout.h"
#include "display/chart_look.h"
#include "display/chart_svg.h"
#include "web/json.h"

#include <string_view>

namespace cykl::web {

namespace {

// The window's charts as the form describes them before the first reset.
constexpr std::int16_t MonthPoints = 31;
constexpr std::int16_t MonthSets = 3;
constexpr std::int16_t DayPoints = 3;
constexpr std::int16_t DaySets = 1;

// A colour as CSS writes it: #rrggbb.
std::string Css(look::Rgb colour)
{
    constexpr std::string_view Hex = "0123456789abcdef";
    std::string out = "#";
    for (const std::uint8_t channel : { colour.Red, colour.Green, colour.Blue }) {
        out += Hex[channel >> 4];
        out += Hex[channel & 0xf];
    }
    return out;
}

std::string_view StyleName(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Stop:
        return "stop";
    case MessageStyle::Exclamation:
        return "exclamation";
    case MessageStyle::Information:
        break;
    }
    return "information";
}

// A hidden chart is shown and described as an empty one: nothing of it is on show.
ChartModel OnShow(const ModelChart &chart)
{
    const ChartModel &model = chart.Model();
    if (chart.Visible())
        return model;
    return { model.Type(), static_cast<std::int16_t>(model.Points()),
             static_cast<std::int16_t>(model.Sets()) };
}

void WriteChart(JsonWriter &json, const ModelChart &chart)
{
    const ChartModel &model = chart.Model();
    json.Open('{').Key("type").Number(model.Type());
    json.Key("visible").Bool(chart.Visible());
    json.Key("labels").Open('[');
    for (int point = 0; point < model.Points(); ++point)
        json.String(model.Label(point));
    json.Close(']').Key("sets").Open('[');
    for (int set = 0; set < model.Sets(); ++set) {
        json.Open('[');
        for (int point = 0; point < model.Points(); ++point)
            json.Number(model.Value(set, point));
        json.Close(']');
    }
    json.Close(']').Key("description").String(DescribeChart(OnShow(chart))).Close('}');
}

// The legend of the three cycles, in their order: caption, period (the tooltip) and the
// colours of the legend's line, the curve, the bar and a value on the bar.
void WriteLegend(JsonWriter &json)
{
    json.Open('[');
    for (int index = 0; index < static_cast<int>(look::Cycles().size()); ++index) {
        const look::Cycle &cycle = look::Cycles()[static_cast<std::size_t>(index)];
        const look::SeriesColours &colours = look::ColoursOf(index);
        json.Open('{').Key("caption").String(cycle.Caption);
        json.Key("period").String(cycle.Period);
        json.Key("legend").String(Css(colours.Legend));
        json.Key("line").String(Css(colours.Line));
        json.Key("fill").String(Css(colours.Fill));
        json.Key("text").String(Css(colours.Text)).Close('}');
    }
    json.Close(']');
}

} // namespace

Session::Session()
    : graph1_(ChartTypeLine, MonthPoints, MonthSets), graph2_(ChartTypeBar, DayPoints, DaySets),
      caption_(CaptionConfirmed), display_(main_, *this, graph1_, graph2_, *this, *this)
{
}

void Session::SetField(int field, std::string text)
{
    if (field < 1 || field > static_cast<int>(fields_.size()))
        return;
    fields_[static_cast<std::size_t>(field - 1)] = std::move(text);
    Reset();
}

void Session::Confirm()
{
    messages_.clear();
    ConfirmInput(main_, display_);
}

void Session::Reset()
{
    messages_.clear();
    display_.ResetDisplay();
}

std::string Session::FieldText(int field) const
{
    if (field < 1 || field > static_cast<int>(fields_.size()))
        return {};
    return fields_[static_cast<std::size_t>(field - 1)];
}

void Session::Show(std::string_view text, std::string_view title, MessageStyle style)
{
    static_cast<void>(title); // the page names the program once, in its heading
    messages_.push_back({ style, std::string(text) });
}

void Session::SetCaption(std::string_view caption)
{
    caption_ = caption;
}

std::string Session::StateJson() const
{
    JsonWriter json;
    json.Open('{').Key("caption").String(caption_);
    json.Key("messages").Open('[');
    for (const Message &message : messages_) {
        json.Open('{').Key("style").String(StyleName(message.Style));
        json.Key("text").String(message.Text).Close('}');
    }
    json.Close(']');
    json.Key("month");
    WriteChart(json, graph1_);
    json.Key("day");
    WriteChart(json, graph2_);
    json.Key("legend");
    WriteLegend(json);
    json.Key("grid").String(Css(look::GridLine)).Key("zero").String(Css(look::ZeroLine));
    json.Key("axis").String(Css(look::AxisLine)).Close('}');
    return json.Text();
}

std::string Session::ChartSvg(int chart, double width, double height, double fontPixels) const
{
    if (chart != 1 && chart != 2)
        return {};
    const ModelChart &shown = chart == 1 ? graph1_ : graph2_;
    const layout::TypicalMeasure measure(fontPixels);
    const layout::Options options { true, -1 };
    return layout::SvgElements(layout::LayOut(OnShow(shown), width, height, measure, options),
                               { chart == 1 ? "Graph1" : "Graph2", fontPixels });
}

} // namespace cykl::web
