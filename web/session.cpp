// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/session.h"

#include "calc/chain.h"
#include "calc/number_text.h"
#include "calendar/json.h"
#include "calendar/texts.h"
#include "display/chart_layout.h"
#include "display/chart_look.h"
#include "display/chart_svg.h"
#include "lang/catalogue.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace cykl::web {

namespace {

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
ChartModel OnShow(const HeldChart &chart)
{
    const ChartModel &model = chart.Model();
    if (chart.Visible())
        return model;
    return { model.Type(), static_cast<std::int16_t>(model.Points()),
             static_cast<std::int16_t>(model.Sets()) };
}

void WriteChart(JsonWriter &json, const HeldChart &chart, const ChartModel &onPage, Lang lang)
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
    json.Close(']').Key("description").String(DescribeChart(onPage, lang)).Close('}');
}

// The legend of the three cycles, in their order: caption, period (the tooltip) and the
// colours of the legend's line, the curve, the bar and a value on the bar.
void WriteLegend(JsonWriter &json, Lang lang)
{
    json.Open('[');
    for (int index = 0; index < static_cast<int>(look::Cycles(lang).size()); ++index) {
        const look::Cycle &cycle = look::Cycles(lang)[static_cast<std::size_t>(index)];
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

Date Session::Birth() const
{
    // Beyond a billion a number is refused as surely as at that billion.
    const auto part = [this](int field) {
        const double value = ReadNumber(window_.FieldText(field));
        return IsSmallWhole(value) ? static_cast<int>(std::clamp(value, -1e9, 1e9)) : 0;
    };
    return { part(1), part(2), part(3) };
}

std::string Session::StateJson() const
{
    JsonWriter json;
    json.Open('{').Key("caption").String(window_.Caption());
    json.Key("messages").Open('[');
    for (const ShownBox &message : window_.Boxes()) {
        json.Open('{').Key("style").String(StyleName(message.Style));
        json.Key("text").String(message.Text).Close('}');
    }
    json.Close(']');
    json.Key("month");
    WriteChart(json, window_.MonthChart(), OnPage(1), Language());
    json.Key("day");
    WriteChart(json, window_.DayChart(), OnPage(2), Language());
    json.Key("target");
    if (const auto target = Target()) {
        json.Open('{').Key("day").Number(target->Day).Key("month").Number(target->Month);
        json.Key("year").Number(target->Year);
        json.Key("month_name").String(MonthName(target->Month, Language())).Close('}');
    } else {
        json.Number(std::nullopt);
    }
    json.Key("legend");
    WriteLegend(json, Language());
    json.Key("grid").String(Css(look::GridLine)).Key("zero").String(Css(look::ZeroLine));
    json.Key("axis").String(Css(look::AxisLine)).Close('}');
    return json.Text();
}

std::string Session::ChartSvg(int chart, double width, double height, double fontPixels) const
{
    if (chart != 1 && chart != 2)
        return {};
    const auto target = Target();
    const layout::TypicalMeasure measure(fontPixels);
    const layout::Options options { true, chart == 1 && target ? target->Day - 1 : -1 };
    return layout::SvgElements(layout::LayOut(OnPage(chart), width, height, measure, options),
                               { chart == 1 ? "Graph1" : "Graph2", fontPixels, false, {} });
}

std::string Session::SecondCurvesSvg(double width, double height, double fontPixels) const
{
    const auto target = Target();
    const layout::TypicalMeasure measure(fontPixels);
    const layout::Options options { true, target ? target->Day - 1 : -1 };
    return layout::SvgElements(layout::LayOut(OnPage(1), width, height, measure, options),
                               { "Graph1-second", fontPixels, true, "second" });
}

std::optional<Date> Session::Target() const
{
    const Confirmation &shown = window_.Shown();
    if (shown.Refusal != 0 || shown.Month.Days == 0)
        return std::nullopt;
    const auto field
        = [this](int number) { return static_cast<int>(ReadNumber(window_.FieldText(number))); };
    return Date { field(4), field(5), field(6) };
}

ChartModel Session::OnPage(int chart) const
{
    ChartModel model = OnShow(chart == 1 ? window_.MonthChart() : window_.DayChart());
    const auto target = Target();
    if (chart == 2 && target) {
        model.Write(ChartProperty::RewindPositions, std::int16_t(1));
        model.Write(ChartProperty::PointLabel,
                    std::to_string(target->Day) + ". " + std::to_string(target->Month) + ".");
    }
    return model;
}

} // namespace cykl::web
