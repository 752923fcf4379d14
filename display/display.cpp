// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/display.h"

#include "calc/number_text.h"
#include "display/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace cykl {

namespace {

constexpr std::int16_t On = 1;
constexpr std::int16_t DataSetsOfMonth = 3;
constexpr std::int16_t DataSetsOfDay = 1;
constexpr std::int16_t PointsOfDay = 3;

// The chart reports numbers as doubles; the program takes the point count as a 16-bit
// integer. A value outside that range is held at its nearest end, not-a-number as 0.
std::int16_t ToInt16(double value)
{
    constexpr double Low = std::numeric_limits<std::int16_t>::min();
    constexpr double High = std::numeric_limits<std::int16_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<std::int16_t>(std::trunc(std::clamp(value, Low, High)));
}

} // namespace

Display::Display(const Main &main, const FieldSource &fields, ChartControl &graph1,
                 ChartControl &graph2, MessageBoxSeam &box, CaptionTarget &command1, Lang lang)
    : main_(main), fields_(fields), graph1_(graph1), graph2_(graph2), box_(box),
      command1_(command1), lang_(lang)
{
}

std::string Display::FieldText(int field) const
{
    return fields_.FieldText(field);
}

void Display::ShowMessage(MessageCode code)
{
    const CatalogueEntry *entry = FindMessage(code);
    if (entry == nullptr)
        return;
    MessageBuffer buffer;
    const auto &dates = main_.InputDates;
    box_.Show(ComposeMessage(*entry, dates.BirthYear, dates.TargetYear, buffer, lang_),
              Say("message.title", lang_), entry->Style);
    if (entry->ResetsDisplay)
        ResetDisplay();
}

void Display::ResetDisplay()
{
    graph1_.Write(ChartProperty::ResetRequest, On);
    graph1_.Write(ChartProperty::DrawRequest, DrawNow);
    graph2_.SetVisible(false);
    command1_.SetCaption(Say("button.unconfirmed", lang_));
}

void Display::SetUpCharts(std::int16_t days)
{
    graph1_.Write(ChartProperty::PointCount, days);
    graph1_.Write(ChartProperty::SetCount, DataSetsOfMonth);
    graph1_.Write(ChartProperty::RewindPositions, On);
    graph1_.Write(ChartProperty::AutoAdvance, On);
    graph2_.Write(ChartProperty::AutoAdvance, On);
}

void Display::LabelDay(std::int16_t day)
{
    graph1_.Write(ChartProperty::PointLabel, day);
}

void Display::FillMonthChart(const MonthValues &values)
{
    // Each set is written up to the point count the chart reports back; the values of
    // days beyond the month's own length are never read, whatever the chart reports.
    // One value object serves every write.
    const int days = std::clamp<int>(values.Days, 0, MaxMonthDays);
    ChartValue value(0.0);
    double &number = *std::get_if<double>(&value);
    for (const DayValues *set : { &values.Physical, &values.Emotional, &values.Intellectual }) {
        const std::int16_t points = ToInt16(graph1_.Read(ChartProperty::PointCount));
        const int last = std::min<int>(points, days);
        for (int j = 1; j <= last; ++j) {
            number = (*set)[static_cast<std::size_t>(j - 1)];
            graph1_.Write(ChartProperty::DataValue, value);
        }
    }
    graph1_.Write(ChartProperty::ChartType, ChartTypeLine);
    graph1_.Write(ChartProperty::DrawRequest, DrawNow);
}

void Display::FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                           double intellectual)
{
    // " <day>/<month>", digits only. The longest numbers fit, so no heap is needed.
    std::array<char, 64> text {};
    char *const last = text.data() + text.size();
    char *out = text.data();
    *out++ = ' ';
    out = WriteWholeNumber(out, last - 1, chosenDay);
    *out++ = '/';
    out = WriteWholeNumber(out, last, targetMonth);
    graph2_.Write(ChartProperty::PointLabel,
                  std::string(text.data(), static_cast<std::size_t>(out - text.data())));

    graph2_.Write(ChartProperty::PointCount, PointsOfDay);
    graph2_.Write(ChartProperty::SetCount, DataSetsOfDay);
    graph2_.Write(ChartProperty::RewindPositions, On);
    graph2_.Write(ChartProperty::DataValue, physical);
    graph2_.Write(ChartProperty::DataValue, emotional);
    graph2_.Write(ChartProperty::DataValue, intellectual);
    graph2_.Write(ChartProperty::ChartType, ChartTypeBar);
    graph2_.Write(ChartProperty::DrawRequest, DrawNow);
    graph2_.SetVisible(true);
}

void Display::SetConfirmCaption(std::string_view caption)
{
    // The chain gives the catalogue's Czech caption; the button says it in its language.
    for (const TextKey &key : { TextKey("button.confirmed"), TextKey("button.unconfirmed") }) {
        if (caption == Say(key, Lang::Cs))
            caption = Say(key, lang_);
    }
    command1_.SetCaption(caption);
}

} // namespace cykl
