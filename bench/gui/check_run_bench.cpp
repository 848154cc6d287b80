// The check run in the real window over a bank of 100 largest legal tests
// (25 variants of 99 questions, every key filled; every fifth test damaged,
// in a question or in its header; with many_findings, the damaged tests
// lose every correct answer, so each gives some four hundred report lines
// before the error cap stops it): files checked off the GUI thread under
// the progress dialog, report shown, report file written. The yardstick is
// the core check of the same bank with one worker, which is what
// quizloom-check -j 1 does before printing; the window's run should cost no
// more than 1.2 of it. Meanwhile a 10 ms timer on the GUI thread measures
// how late the window answers (worst_late_ms; at most 100 ms wanted), the
// applying of the result and the painting of the report included.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "bench_support.h"
#include "bench_window.h"
#include "core/checker/structure_check.h"
#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

namespace {

using quizloom::bench::kBankSize;

class BankFolder : public quizloom::bench::WindowSandbox {
public:
    explicit BankFolder(bool manyFindings) : paths_(quizloom::bench::writeBank(testsDir(), manyFindings)) {}
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

// A 10 ms timer on the GUI thread; the worst delay beyond 10 ms between two
// of its firings, or between the last one and stop().
class LatenessProbe {
public:
    static constexpr qint64 kIntervalNs = 10'000'000;
    LatenessProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(static_cast<int>(kIntervalNs / 1'000'000));
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        clock_.start();
        last_ = 0;
        timer_.start();
    }
    void stop() {
        tick();
        timer_.stop();
    }
    double worstMs() const { return static_cast<double>(worst_) / 1e6; }

private:
    void tick() {
        const qint64 now = clock_.nsecsElapsed();
        worst_ = std::max(worst_, now - last_ - kIntervalNs);
        last_ = now;
    }
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 worst_ = 0;
};

void BM_CoreCheckOfTheBank(benchmark::State& state) {
    const bool onlyDamaged = state.range(0) != 0;
    BankFolder bank(state.range(1) != 0);
    std::size_t damaged = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto run =
            quizloom::check::checkQuizzes(bank.paths(), {.printOnlyDamaged = onlyDamaged, .workers = 1});
        damaged = run.damagedCount;
        lines = run.sectionLines.size();
        benchmark::DoNotOptimize(run.sectionLines.data());
    }
    if (damaged != quizloom::bench::kBankDamaged)
        state.SkipWithError("unexpected number of damaged tests");
    state.counters["files"] = kBankSize;
    state.counters["report_lines"] = static_cast<double>(lines);
}

void bankCases(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"only_damaged", "many_findings"});
    bench->Args({1, 0})->Args({0, 0})->Args({1, 1});
    bench->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CoreCheckOfTheBank)->Apply(bankCases);

void BM_WindowCheckRunOfTheBank(benchmark::State& state) {
    const bool onlyDamaged = state.range(0) != 0;
    BankFolder bank(state.range(1) != 0);
    quizloom::bench::BenchDialogs dialogs;
    TFormQuizloom window(bank.settingsPath(), dialogs);
    window.show();
    QApplication::processEvents();
    Ui::TFormQuizloom& form = window.form();
    if (window.testCount() != kBankSize) {
        state.SkipWithError("the bank was not listed");
        return;
    }
    form.NPrintStatMin->setChecked(onlyDamaged);
    int lines = 0;
    LatenessProbe probe;
    for (auto _ : state) {
        probe.start();
        form.NTesting->trigger();
        QApplication::processEvents(); // the report drawn on screen
        probe.stop();
        lines = form.Memo1->blockCount();
    }
    if (dialogs.shown != 0 || window.editorShown())
        state.SkipWithError("the run did not end in its report");
    state.counters["files"] = kBankSize;
    state.counters["report_lines"] = lines;
    state.counters["worst_late_ms"] = probe.worstMs();
    window.hide();
}
BENCHMARK(BM_WindowCheckRunOfTheBank)->Apply(bankCases);

} // namespace
