// The window's peak memory: a fresh process opens the window, runs the
// check over every test, goes back to the editor and takes a navigation
// step in edit mode; its peak resident size on a bank of 100 largest legal
// tests against the same with an empty folder. The growth should stay
// within the largest file + 32 MiB (each file is read, checked and let go
// in turn). The timing of this benchmark means nothing.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "bench_window.h"
#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

namespace quizloom::bench {
namespace {

// The peak resident size of this process image. Not getrusage(): its
// maximum is carried over from the parent through fork and exec.
long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int windowPeakChild(const std::string& folder) {
    QDir::setCurrent(QString::fromStdString(folder));
    BenchDialogs dialogs;
    {
        TFormQuizloom window(QString::fromStdString(folder + "/bench.INI"), dialogs);
        window.show();
        QApplication::processEvents();
        Ui::TFormQuizloom& form = window.form();
        form.NPrintStatMin->setChecked(false);
        form.NTesting->trigger();
        QApplication::processEvents();
        form.NClearStat->trigger();
        form.RadioButtonEdit->click();
        form.BtnPlusQ->click();
        QApplication::processEvents();
    }
    std::printf("%ld %d\n", peakResidentKiB(), dialogs.shown);
    return 0;
}

} // namespace quizloom::bench

namespace {

// Peak resident size of the child in MiB; negative on failure.
double childPeakMiB(const std::string& folder) {
    QProcess child;
    child.start(
        QCoreApplication::applicationFilePath(),
        {QString::fromLatin1(quizloom::bench::kWindowPeakChildOption), QString::fromStdString(folder)});
    if (!child.waitForFinished(300'000) || child.exitCode() != 0)
        return -1;
    const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).split(' ');
    if (fields.size() != 2 || fields[1].trimmed() != "0" || fields[0].toLong() <= 0)
        return -1; // a dialog came up, or no peak
    return fields[0].toDouble() / 1024;
}

void BM_WindowPeakMemory(benchmark::State& state) {
    quizloom::bench::WindowSandbox empty;
    quizloom::bench::WindowSandbox bank;
    const std::vector<std::string> paths = quizloom::bench::writeBank(bank.testsDir(), false);
    std::uintmax_t largest = 0;
    for (const std::string& path : paths)
        largest = std::max(largest, std::filesystem::file_size(path));
    double emptyPeak = 0;
    double bankPeak = 0;
    for (auto _ : state) {
        emptyPeak = childPeakMiB(empty.folder());
        bankPeak = childPeakMiB(bank.folder());
    }
    if (emptyPeak < 0 || bankPeak < 0) {
        state.SkipWithError("the window's process failed");
        return;
    }
    state.counters["empty_peak_mib"] = emptyPeak;
    state.counters["bank_peak_mib"] = bankPeak;
    state.counters["growth_mib"] = bankPeak - emptyPeak;
    state.counters["allowed_mib"] = static_cast<double>(largest) / (1 << 20) + 32;
}
BENCHMARK(BM_WindowPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
