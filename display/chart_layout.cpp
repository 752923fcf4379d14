// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/chart_layout.h"

#include "calc/number_text.h"
#include "display/chart_look.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cykl::layout {

namespace {

constexpr double TickLength = 4.5;
constexpr double LabelGap = 4; // between the plot's bottom and the labels under it
constexpr double AxisLabelGap = 5; // between the value labels and the plot's left edge
constexpr double ValueAxisRoom = 32; // what the day labels leave to the value axis
constexpr double MarkRadius = 2.5;
constexpr double Spill = 0.5; // how far the curves may reach past the plot

std::string NumberText(double value)
{
    std::array<char, 40> buffer {};
    char *end = WriteWholeNumber(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), end);
}

std::string Trimmed(const std::string &label)
{
    constexpr std::string_view Space = " \t\n\v\f\r";
    const auto first = label.find_first_not_of(Space);
    if (first == std::string::npos)
        return {};
    return label.substr(first, label.find_last_not_of(Space) - first + 1);
}

// The plot and the labels' boxes, in the chart's own coordinates.
class Frame {
public:
    Frame(Chart &chart, const TextMeasure &measure)
        : Out(chart), Measure(measure), BoxHeight(std::ceil(measure.Height()) + 2)
    {
        double widest = 0;
        for (double value = look::ValueMax; value >= look::ValueMin; value -= look::ValueStep)
            widest = std::max(widest, BoxWidth(NumberText(value)));
        chart.Plot = { widest + AxisLabelGap + 1, BoxHeight / 2, chart.Width - 0.5,
                       chart.Height - BoxHeight - LabelGap - 1 };
        chart.Clip = { chart.Plot.Left - Spill, chart.Plot.Top - Spill, chart.Plot.Right + Spill,
                       chart.Plot.Bottom + Spill };
    }

    const Box &Plot() const { return Out.Plot; }
    double PlotWidth() const { return Plot().Right - Plot().Left; }
    double BoxWidth(const std::string &text) const { return Measure.Width(text) + 2; }
    double Y(double value) const
    {
        return Plot().Top
            + (look::ValueMax - value) / (look::ValueMax - look::ValueMin)
            * (Plot().Bottom - Plot().Top);
    }
    void Add(Element element) const { Out.Elements.push_back(std::move(element)); }
    void AddLine(Point from, Point to, LineRole role, Cap ends, int set = 0) const
    {
        Add(Line { from, to, role, ends, set });
    }
    // A text whose box has its top left corner at topLeft.
    void AddText(std::string text, Point topLeft, Anchor stand, TextRole role, int set = 0) const
    {
        const Box area { topLeft.X, topLeft.Y, topLeft.X + BoxWidth(text), topLeft.Y + BoxHeight };
        const double baseline = topLeft.Y + (1 + Measure.Ascent());
        Add(Text { std::move(text), area, baseline, stand, role, set });
    }

    Chart &Out;
    const TextMeasure &Measure;
    double BoxHeight;
};

// The grid, the labels -100 to 100 and their ticks, and the axis line left of the plot.
void LayOutValueAxis(const Frame &frame)
{
    const double axisX = std::round(frame.Plot().Left) - 1;
    for (double value = look::ValueMax; value >= look::ValueMin; value -= look::ValueStep) {
        const double y = frame.Y(value);
        frame.AddLine({ frame.Plot().Left, y }, { frame.Plot().Right, y }, LineRole::Grid,
                      Cap::Square);
        frame.AddLine({ axisX - TickLength, y }, { axisX + 0.5, y }, LineRole::Tick, Cap::Flat);
        std::string text = NumberText(value);
        const double right = frame.Plot().Left - AxisLabelGap;
        const Point topLeft { std::round(right - frame.BoxWidth(text)),
                              std::round(y - frame.BoxHeight / 2) };
        frame.AddText(std::move(text), topLeft, Anchor::End, TextRole::Label);
    }
    frame.AddLine({ axisX, frame.Plot().Top }, { axisX, frame.Plot().Bottom }, LineRole::Axis,
                  Cap::Square);
}

struct CategoryLabel {
    std::string Text;
    double X;
};

// The axis line under the plot, a tick at each x, and the labels centred under their x.
void LayOutCategoryAxis(const Frame &frame, const std::vector<double> &ticks,
                        std::vector<CategoryLabel> labels)
{
    const double bottom = frame.Plot().Bottom;
    frame.AddLine({ frame.Plot().Left, bottom }, { frame.Plot().Right, bottom }, LineRole::Axis,
                  Cap::Square);
    for (const double x : ticks)
        frame.AddLine({ x, bottom - 0.5 }, { x, bottom + TickLength }, LineRole::Tick, Cap::Flat);
    for (CategoryLabel &label : labels) {
        const Point topLeft { std::round(label.X - frame.BoxWidth(label.Text) / 2),
                              std::round(bottom + LabelGap) };
        frame.AddText(std::move(label.Text), topLeft, Anchor::Centre, TextRole::Label);
    }
}

void LayOutZeroLine(const Frame &frame)
{
    const double y = frame.Y(0);
    frame.AddLine({ frame.Plot().Left, y }, { frame.Plot().Right, y }, LineRole::Zero, Cap::Square);
}

// How many points apart the day labels stand so that none is cut short: every point when
// there is room, else every 2nd, 5th, 10th... point.
int DayLabelStep(const Frame &frame, const ChartModel &model)
{
    double widest = frame.Measure.Width(std::to_string(model.Points()));
    for (int point = 0; point < model.Points(); ++point)
        widest = std::max(widest, frame.Measure.Width(Trimmed(model.Label(point))));
    const double room = std::max(1.0, frame.Out.Width - ValueAxisRoom) / model.Points();
    for (const int step : { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000 }) {
        if (step * room >= widest + look::LabelPadding)
            return step;
    }
    return ChartModel::MaxPoints;
}

// Point 1 is always labelled; with a step of 5 or more the labels fall on the multiples of
// the step (1, 5, 10, 15...), otherwise on every step-th point from 1 (1, 3, 5...). Without
// any label (at start, after a reset) the points are numbered, so the empty grid keeps the
// layout of a drawn month.
void LayOutDayAxis(const Frame &frame, const ChartModel &model)
{
    const int points = model.Points();
    bool numbered = true;
    for (int point = 0; point < points && numbered; ++point)
        numbered = model.Label(point).empty();
    const int step = DayLabelStep(frame, model);
    std::vector<double> ticks { frame.Plot().Left };
    std::vector<CategoryLabel> labels;
    for (int point = 1; point <= points; ++point) {
        const bool shown = step < 5 ? (point - 1) % step == 0 : point == 1 || point % step == 0;
        std::string text = numbered ? std::to_string(point) : Trimmed(model.Label(point - 1));
        if (shown && !text.empty()) {
            const double x = frame.Plot().Left + (point - 0.5) / points * frame.PlotWidth();
            ticks.push_back(x);
            labels.push_back({ std::move(text), x });
        }
    }
    LayOutCategoryAxis(frame, ticks, std::move(labels));
}

void LayOutCurves(const Frame &frame, const ChartModel &model, int marked, int first)
{
    const int points = model.Points();
    const auto x
        = [&](int point) { return frame.Plot().Left + (point + 0.5) / points * frame.PlotWidth(); };
    for (int set = 0; set < model.Sets(); ++set) {
        Curve curve { {}, set };
        for (int point = std::max(first, 0); point < points; ++point) {
            if (const auto value = model.Value(set, point))
                curve.Points.push_back({ x(point), frame.Y(*value) });
        }
        if (!curve.Points.empty())
            frame.Add(std::move(curve));
        if (const auto value = model.Value(set, marked))
            frame.Add(Mark { { x(marked), frame.Y(*value) }, MarkRadius, set });
    }
}

void LayOutLineChart(const Frame &frame, const ChartModel &model, const Options &options)
{
    LayOutValueAxis(frame);
    LayOutDayAxis(frame, model);
    LayOutZeroLine(frame);
    LayOutCurves(frame, model, options.MarkedPoint, options.FirstPoint);
}

// The value written on a bar, centred on centre: on the fill where it fits, else beside.
void LayOutBarValue(const Frame &frame, double value, int index, Point centre)
{
    std::string text = NumberText(value);
    const bool fits = std::abs(value) >= look::ShortestLabelledBar;
    const double width = frame.BoxWidth(text);
    frame.AddText(std::move(text), { centre.X - width / 2, centre.Y - frame.BoxHeight / 2 },
                  Anchor::Centre, fits ? TextRole::ValueOnBar : TextRole::ValueBeside, index);
}

// The place of one bar across the chart, from its left to its right edge.
struct Slot {
    double Left;
    double Right;
};

// One bar from 0 to the value, and the value in its middle when every bar has one. A bar
// at 0 is no area and shows nothing here.
void LayOutBar(const Frame &frame, Slot slot, double value, int index, bool labelled)
{
    if (value == 0)
        return;
    const Box area { slot.Left, frame.Y(value), slot.Right, frame.Y(0) };
    frame.Add(Bar { area, index });
    if (labelled) {
        LayOutBarValue(frame, value, index,
                       { (area.Left + area.Right) / 2, (area.Top + area.Bottom) / 2 });
    }
}

// On a printed chart a bar at 0 still shows: a hairline in its colour over the zero line,
// its value above it.
void LayOutZeroBar(const Frame &frame, Slot slot, int index, bool labelled)
{
    const double y = frame.Y(0);
    frame.AddLine({ slot.Left, y }, { slot.Right, y }, LineRole::ZeroBar, Cap::Flat, index);
    if (labelled)
        LayOutBarValue(frame, 0, index, { (slot.Left + slot.Right) / 2, y - frame.BoxHeight / 2 });
}

bool Complete(const ChartModel &model)
{
    for (int set = 0; set < model.Sets(); ++set) {
        for (int point = 0; point < model.Points(); ++point) {
            if (!model.Value(set, point))
                return false;
        }
    }
    return true;
}

// One category per set (the first labelled by the chart's first label, the others by their
// number), one bar per point in each, side by side over nine tenths of the category.
void LayOutBarChart(const Frame &frame, const ChartModel &model, const Options &options)
{
    LayOutValueAxis(frame);
    const int sets = model.Sets();
    const double width = frame.PlotWidth() / sets;
    std::vector<double> ticks;
    std::vector<CategoryLabel> labels;
    labels.reserve(static_cast<std::size_t>(sets));
    for (int set = 0; set <= sets; ++set)
        ticks.push_back(frame.Plot().Left + set * width);
    for (int set = 0; set < sets; ++set) {
        labels.push_back({ set == 0 ? Trimmed(model.Label(0)) : std::to_string(set + 1),
                           frame.Plot().Left + (set + 0.5) * width });
    }
    LayOutCategoryAxis(frame, ticks, std::move(labels));
    const bool complete = Complete(model);
    const double barWidth = width * look::BarWidth / model.Points();
    const auto slot = [&](int set, int point) {
        const double left = frame.Plot().Left + (set + (1 - look::BarWidth) / 2) * width;
        return Slot { left + point * barWidth, left + point * barWidth + barWidth };
    };
    for (int set = 0; set < sets; ++set) {
        for (int point = 0; point < model.Points(); ++point)
            LayOutBar(frame, slot(set, point), model.Value(set, point).value_or(0.0), point,
                      complete);
    }
    LayOutZeroLine(frame);
    for (int set = 0; set < sets && options.ShowZeroBars; ++set) {
        for (int point = 0; point < model.Points(); ++point) {
            if (model.Value(set, point) == 0.0)
                LayOutZeroBar(frame, slot(set, point), point, complete);
        }
    }
}

} // namespace

Chart LayOut(const ChartModel &model, double width, double height, const TextMeasure &measure,
             const Options &options)
{
    Chart chart;
    chart.Width = width;
    chart.Height = height;
    const Frame frame(chart, measure);
    if (model.Type() == ChartTypeBar) {
        LayOutBarChart(frame, model, options);
    } else {
        LayOutLineChart(frame, model, options);
    }
    return chart;
}

// Shares of the pixel size: a digit, a minus or hyphen, a slash or full stop, a space, and
// anything else (the widest Latin capitals); the line and the ascent.
double TypicalMeasure::Width(std::string_view utf8) const
{
    double em = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xc0) == 0x80)
            continue; // a continuation byte of a character already counted
        if (c >= '0' && c <= '9')
            em += 0.556;
        else if (c == '-')
            em += 0.333;
        else if (c == '/' || c == '.' || c == ' ')
            em += 0.278;
        else
            em += 0.722;
    }
    return em * pixels_;
}

double TypicalMeasure::Height() const
{
    return 1.15 * pixels_;
}

double TypicalMeasure::Ascent() const
{
    return 0.905 * pixels_;
}

} // namespace cykl::layout
