// The paper of the largest legal test (25 variants of 99 questions, five
// options each) with every variant, shuffled, and the answer key, as the
// "PDF…" button makes it: the test read, every part laid out by Qt with
// its questions kept on one page, painted into a PDF file. peak_mib is the process's peak resident size
// during the run and growth_mib that less its size before (each variant's document is let go once painted, so
// the growth should not rise with the variants).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "bench_window.h"
#include "core/print/paper_test.h"
#include "gui/print/paper_pages.h"

namespace {

namespace pr = quizloom::print;

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + std::string_view(field).size(), nullptr, 10);
    return -1;
}

// Lets the peak resident size start again from the present size.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_PdfOfTheLargestTest(benchmark::State& state) {
    quizloom::bench::WindowSandbox sandbox;
    const std::string quiz = sandbox.testsDir() + "/largest.ini";
    quizloom::bench::writeLargestTest(quiz);
    const QString pdf = QString::fromStdString(sandbox.folder() + "/paper.pdf");
    const pr::PaperChoices choices{"все", true, true, 123456, true, true, 12};
    long before = 0;
    long peak = 0;
    for (auto _ : state) {
        resetPeak();
        before = statusKiB("VmRSS:");
        const pr::PaperTest test = pr::buildPaperTest(quiz, choices, 1);
        QSaveFile file(pdf);
        file.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&file);
            pr::useA4(writer);
            pr::paintPaper(test, choices, writer, [&](const QString&) { return true; });
        }
        file.commit();
        peak = statusKiB("VmHWM:");
    }
    state.counters["peak_mib"] = static_cast<double>(peak) / 1024;
    state.counters["growth_mib"] = static_cast<double>(peak - before) / 1024;
    state.counters["pdf_mib"] = static_cast<double>(QFileInfo(pdf).size()) / (1 << 20);
}
BENCHMARK(BM_PdfOfTheLargestTest)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
