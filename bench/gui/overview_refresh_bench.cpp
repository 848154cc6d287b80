// One refresh of the question overview in the real window on the largest
// legal test (25 x 99, every key filled): a display of the shown question
// makes the panel rebuild its tree. The same display with the panel hidden
// is the yardstick; the difference is the refresh, which should stay
// within 30 ms.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <string>

#include "bench_support.h"
#include "bench_window.h"
#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

namespace {

void displayLoop(benchmark::State& state, bool withOverview) {
    quizloom::bench::WindowSandbox sandbox;
    quizloom::bench::writeLargestTest(sandbox.testsDir() + "/largest.ini");
    quizloom::bench::BenchDialogs dialogs;
    TFormQuizloom window(sandbox.settingsPath(), dialogs);
    window.show();
    QApplication::processEvents();
    if (window.testCount() != 1 || window.form().EditMaxQue->text() != "99") {
        state.SkipWithError("the largest test was not opened");
        return;
    }
    if (withOverview)
        window.form().MenuOverview->trigger();
    for (auto _ : state)
        window.guarded([&] { window.ShowQuestion(); });
    if (dialogs.shown != 0)
        state.SkipWithError("a dialog came up");
    window.hide();
}

void BM_DisplayWithOverviewShown(benchmark::State& state) {
    displayLoop(state, true);
}
BENCHMARK(BM_DisplayWithOverviewShown)->Unit(benchmark::kMillisecond);

void BM_DisplayWithOverviewHidden(benchmark::State& state) {
    displayLoop(state, false);
}
BENCHMARK(BM_DisplayWithOverviewHidden)->Unit(benchmark::kMillisecond);

} // namespace
