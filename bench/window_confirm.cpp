// SPDX-License-Identifier: GPL-3.0-or-later
// One confirmation of a 31-day month (birth 10 1 1996, target 5 3 1996) in the main window,
// from the click on Command1 until both charts have been painted. Each round first edits a
// field and lets the reset display paint, outside the timing, as a user would.
#include "tests/ui/fakes.h"
#include "tests/ui/probe.h"

#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <iterator>
#include <vector>

namespace {

using namespace cykl;
using namespace cykl::test;

// Notes every paint of a chart or of anything inside it.
class ChartPaints final : public QObject {
public:
    ChartPaints(QWidget &graph1, QWidget &graph2) : graph1_(graph1), graph2_(graph2)
    {
        qApp->installEventFilter(this);
    }
    ~ChartPaints() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            Graph1Painted |= widget == &graph1_ || graph1_.isAncestorOf(widget);
            Graph2Painted |= widget == &graph2_ || graph2_.isAncestorOf(widget);
        }
        return false;
    }

    bool Graph1Painted = false;
    bool Graph2Painted = false;

private:
    QWidget &graph1_;
    QWidget &graph2_;
};

// Runs the window loop until the condition holds; false after a second without it.
template<class Condition> bool ProcessUntil(Condition condition)
{
    QElapsedTimer limit;
    limit.start();
    while (!condition()) {
        if (limit.elapsed() > 1000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

void ConfirmMonth(benchmark::State &state)
{
    Seams seams;
    Form1 form(seams.For());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    TypeDates(form, { "10", "1", "1996", "5", "3", "1996" });
    QWidget &graph1 = *Chart(form, "Graph1");
    QWidget &graph2 = *Chart(form, "Graph2");
    QPushButton &command1 = *Button(form, "Command1");
    QLineEdit &text1 = *Field(form, 1);
    std::vector<double> times;
    for (auto _ : state) {
        text1.setText(QStringLiteral("1")); // an edit, then back: the display is reset
        text1.setText(QStringLiteral("10"));
        ChartPaints paints(graph1, graph2);
        ProcessUntil([&] { return paints.Graph1Painted; });
        paints.Graph1Painted = paints.Graph2Painted = false;

        const auto start = std::chrono::steady_clock::now();
        command1.click();
        const bool painted
            = ProcessUntil([&] { return paints.Graph1Painted && paints.Graph2Painted; });
        const auto end = std::chrono::steady_clock::now();
        if (!painted || !seams.Box.Boxes.empty()) {
            state.SkipWithError("the confirmation did not paint both charts");
            break;
        }
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
    }
    if (!times.empty()) {
        const auto middle = times.begin() + std::ssize(times) / 2;
        std::nth_element(times.begin(), middle, times.end());
        state.counters["median_ms"] = *middle;
    }
}

BENCHMARK(ConfirmMonth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
