// Start-up of the real window, from its construction to the first test
// shown: with a bank of 100 largest legal tests against an empty folder.
// The list reads each file only up to the end of its header section and the
// first test is parsed once, so the bank should cost no more than 1.3 of
// the empty start-up.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench_support.h"
#include "bench_window.h"
#include "gui/app/form_quizloom.h"

namespace {

void BM_StartUp(benchmark::State& state) {
    const bool withBank = state.range(0) != 0;
    quizloom::bench::WindowSandbox sandbox;
    if (withBank)
        quizloom::bench::writeBank(sandbox.testsDir(), false);
    quizloom::bench::BenchDialogs dialogs;
    int listed = 0;
    for (auto _ : state) {
        TFormQuizloom window(sandbox.settingsPath(), dialogs);
        window.show();
        QApplication::processEvents(); // the start-up sequence, then the first paint
        listed = window.testCount();
    }
    if (listed != (withBank ? quizloom::bench::kBankSize : 0) || dialogs.shown != 0)
        state.SkipWithError("the window did not start as expected");
    state.counters["tests"] = listed;
}
BENCHMARK(BM_StartUp)->ArgName("bank")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
