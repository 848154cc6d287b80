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
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form_quizloom.h"
#include "bench_support.h"
#include "checker/structure_check.h"
#include "text/cp1251.h"
#include "ui_form_quizloom.h"

namespace {

constexpr int kBankSize = 100;
constexpr int kDamaged = kBankSize / 5;

// Any dialog is a fault of the run; it is counted and answered with Cancel.
class CountingDialogs final : public Dialogs {
public:
    int shown = 0;
    void errorBox(QWidget*, const QString&, const QString&) override { ++shown; }
    void messageBox(QWidget*, const QString&, const QString&) override { ++shown; }
    bool confirm(QWidget*, const QString&, const QString&) override { return ++shown, false; }
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

void replaceOnce(std::string& bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    if (at == std::string::npos)
        throw std::logic_error("test data lacks " + from);
    bytes.replace(at, from.size(), to);
}

void replaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
}

// A private folder, the current directory while it lives (the report file
// is written there), with the bank in its "Тесты" folder, which the window
// takes as its working directory.
class BankFolder {
public:
    explicit BankFolder(bool manyFindings) {
        std::string pattern = (std::filesystem::temp_directory_path() / "quizloom-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        root_ = pattern;
        std::filesystem::create_directories(testsDir());
        const std::string clean = quizloom::bench::makeLargestTestBytes();
        // A section whose name is wrong reads as a missing question; a level of 3 is a header problem.
        std::string missingQuestion = clean;
        replaceOnce(missingQuestion, "\r\n[1250]\r\n", "\r\n[12500]\r\n");
        std::string badLevel = clean;
        replaceOnce(badLevel, quizloom::utf8ToCp1251("Уровень=1"), quizloom::utf8ToCp1251("Уровень=3"));
        if (manyFindings) {
            // Renamed keys read as absent: no question has a correct answer.
            const std::string key = quizloom::utf8ToCp1251("Правильный ответ №");
            const std::string renamed = quizloom::utf8ToCp1251("Правильный ответ No");
            replaceAll(missingQuestion, key, renamed);
            replaceAll(badLevel, key, renamed);
        }
        for (int i = 0; i < kBankSize; ++i) {
            const std::string& bytes = i % 10 == 3 ? missingQuestion : i % 10 == 8 ? badLevel : clean;
            paths_.push_back(testsDir() + "/test" + std::to_string(1000 + i) + ".ini");
            writeFile(paths_.back(), bytes);
        }
        previous_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(root_));
    }
    ~BankFolder() {
        QDir::setCurrent(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string testsDir() const { return root_ + "/Тесты"; }
    std::string settingsPath() const { return root_ + "/bench.INI"; }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::string root_;
    QString previous_;
    std::vector<std::string> paths_;
};

void BM_CoreCheckOfTheBank(benchmark::State& state) {
    const bool onlyDamaged = state.range(0) != 0;
    BankFolder bank(state.range(1) != 0);
    std::size_t damaged = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto run = quizloom::check::checkTests(bank.paths(), {.printOnlyDamaged = onlyDamaged});
        damaged = run.damagedCount;
        lines = run.sectionLines.size();
        benchmark::DoNotOptimize(run.sectionLines.data());
    }
    if (damaged != kDamaged)
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
