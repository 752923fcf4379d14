// SPDX-License-Identifier: GPL-3.0-or-later
// One full confirmation of a 31-day month (10 1 1996 to 5 3 1996: no verdict box) against
// its floor, the 93 CycleValue calls the month needs: once through a port that only hands
// out the six texts, so the chain alone is measured, and once through the display with
// chart controls, box and caption that do nothing, so the display's writes are added. The
// goal is the chain within 1.5 times the floor.
#include "calc/chain.h"
#include "display/display.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace cykl;

const std::array<std::string, 6> WorkedExample = { "10", "1", "1996", "5", "3", "1996" };

std::string ExampleField(int field)
{
    return WorkedExample.at(static_cast<std::size_t>(field - 1));
}

class QuietPort final : public Port {
public:
    std::string FieldText(int field) const override { return ExampleField(field); }
    void ShowMessage(MessageCode) override { }
    void SetUpCharts(std::int16_t) override { }
    void LabelDay(std::int16_t) override { }
    void FillMonthChart(const MonthValues &values) override
    {
        benchmark::DoNotOptimize(values.Days);
    }
    void FillDayChart(double, double, double physical, double, double) override
    {
        benchmark::DoNotOptimize(physical);
    }
    void SetConfirmCaption(std::string_view) override { }
};

// Keeps the point count it is given, as the display reads it back.
class QuietChart final : public ChartControl {
public:
    void Write(ChartProperty property, const ChartValue &value) override
    {
        if (property == ChartProperty::PointCount)
            points_ = std::get<std::int16_t>(value);
    }
    double Read(ChartProperty) const override { return points_; }
    void SetVisible(bool) override { }

private:
    std::int16_t points_ = MaxMonthDays;
};

class QuietWindow final : public FieldSource, public MessageBoxSeam, public CaptionTarget {
public:
    std::string FieldText(int field) const override { return ExampleField(field); }
    void Show(std::string_view, std::string_view, MessageStyle) override { }
    void SetCaption(std::string_view) override { }
};

void ChainAlone(benchmark::State &state)
{
    Main main;
    QuietPort port;
    for (auto _ : state)
        ConfirmInput(main, port);
}

void ChainAndDisplay(benchmark::State &state)
{
    Main main;
    QuietChart graph1;
    QuietChart graph2;
    QuietWindow window;
    Display display(main, window, graph1, graph2, window, window);
    for (auto _ : state)
        ConfirmInput(main, display);
}

void CycleValueFloor(benchmark::State &state)
{
    std::array<double, std::size_t { 3 } * MaxMonthDays> values {};
    for (auto _ : state) {
        double t = 51; // DaysLived of the month above
        benchmark::DoNotOptimize(t);
        for (std::size_t day = 0; day < MaxMonthDays; ++day, t += 1) {
            values[3 * day] = CycleValue(t, PhysicalPeriod);
            values[3 * day + 1] = CycleValue(t, EmotionalPeriod);
            values[3 * day + 2] = CycleValue(t, IntellectualPeriod);
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(ChainAlone);
BENCHMARK(ChainAndDisplay);
BENCHMARK(CycleValueFloor);
BENCHMARK_MAIN();
