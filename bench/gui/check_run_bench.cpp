// The check run in the real window over a bank of 100 largest legal tests
// (25 variants of 99 questions, every key filled; every fifth test damaged,
// in a question or in its header; with many_findings, the damaged tests
// lose every correct answer, so each gives some four hundred report lines
// before the error cap stops it), report shown and report file written,
// against the core check of the same bank. The run should cost no more
// than about one and a half core checks: putting the report into the
// report box must not become the bottleneck.
//
// The benchmark main() with its QApplication comes from the navigation
// benchmark of the same program.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/checker/structure_check.h"
#include "gui/app/form_quizloom.h"
#include "support/temp_dir.h"
#include "ui_form_quizloom.h"

namespace {

using quizloom::bench::kBankSize;

// Any dialog is a fault of the run; it is counted and answered with Cancel.
class CountingDialogs final : public Dialogs {
public:
    int shown = 0;
    void errorBox(QWidget*, const QString&, const QString&) override { ++shown; }
    void messageBox(QWidget*, const QString&, const QString&) override { ++shown; }
    bool confirm(QWidget*, const QString&, const QString&) override { return ++shown, false; }
    SaveChoice askSaveChanges(QWidget*, const QString&, const QString&) override {
        return SaveChoice::Cancel;
    }
    std::optional<ChosenFile> chooseFile(QWidget*, const QString&, const QStringList&, const QString&,
                                         bool) override {
        return std::nullopt;
    }
    std::optional<int> chooseOne(QWidget*, const QString&, const QString&, const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return std::nullopt;
    }
    int execDialog(QDialog&) override { return ++shown, QDialog::Rejected; }
};

// A private folder, the current directory while it lives (the report file
// is written there), with the bank in its "Тесты" folder, which the window
// takes as its working directory.
class BankFolder {
public:
    explicit BankFolder(bool manyFindings)
        : paths_(quizloom::bench::writeBank(testsDir(), manyFindings)), previous_(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(folder_.path()));
    }
    ~BankFolder() { QDir::setCurrent(previous_); }
    std::string testsDir() const { return folder_.file("Тесты"); }
    std::string settingsPath() const { return folder_.file("bench.INI"); }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    quizloom::testing::TempDir folder_;
    std::vector<std::string> paths_;
    QString previous_;
};

void BM_CoreCheckOfTheBank(benchmark::State& state) {
    const bool onlyDamaged = state.range(0) != 0;
    BankFolder bank(state.range(1) != 0);
    std::size_t damaged = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto run = quizloom::check::checkQuizzes(bank.paths(), {.printOnlyDamaged = onlyDamaged});
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
    CountingDialogs dialogs;
    TFormQuizloom window(QString::fromStdString(bank.settingsPath()), dialogs);
    window.show();
    QApplication::processEvents();
    Ui::TFormQuizloom& form = window.form();
    if (window.testCount() != kBankSize) {
        state.SkipWithError("the bank was not listed");
        return;
    }
    form.NPrintStatMin->setChecked(onlyDamaged);
    int lines = 0;
    for (auto _ : state) {
        form.NTesting->trigger();
        QApplication::processEvents(); // the report drawn on screen
        lines = form.Memo1->blockCount();
    }
    if (dialogs.shown != 0 || window.editorShown())
        state.SkipWithError("the run did not end in its report");
    state.counters["files"] = kBankSize;
    state.counters["report_lines"] = lines;
    window.hide();
}
BENCHMARK(BM_WindowCheckRunOfTheBank)->Apply(bankCases);

} // namespace
