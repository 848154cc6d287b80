// The core structure check over a bank of 100 largest legal tests (25
// variants of 99 questions, every key filled); every fifth test is damaged,
// either in a question or in its header.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "core/checker/structure_check.h"
#include "support/temp_dir.h"

namespace {

using quizloom::bench::kBankSize;

// Written once per process into a private folder, removed at exit.
class Bank {
public:
    const std::vector<std::string>& paths() const { return paths_; }

private:
    quizloom::testing::TempDir folder_;
    std::vector<std::string> paths_ = quizloom::bench::writeBank(folder_.path(), false);
};

const Bank& bank() {
    static const Bank instance;
    return instance;
}

void checkBank(benchmark::State& state, bool printOnlyDamaged) {
    const std::vector<std::string>& paths = bank().paths();
    std::size_t damaged = 0;
    for (auto _ : state) {
        const auto run = quizloom::check::checkQuizzes(paths, {.printOnlyDamaged = printOnlyDamaged});
        damaged = run.damagedCount;
        benchmark::DoNotOptimize(run.sectionLines.data());
    }
    if (damaged != quizloom::bench::kBankDamaged)
        state.SkipWithError("unexpected damaged count");
    state.counters["files"] = kBankSize;
    state.counters["damaged"] = static_cast<double>(damaged);
    state.SetItemsProcessed(state.iterations() * kBankSize);
}

void BM_CheckBankOfLargestTests(benchmark::State& state) {
    checkBank(state, true);
}
void BM_CheckBankOfLargestTestsReportAll(benchmark::State& state) {
    checkBank(state, false);
}

void BM_CheckOneLargestTest(benchmark::State& state) {
    const std::string& path = bank().paths().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(quizloom::check::checkQuizFile(path, true).passed);
}

} // namespace

BENCHMARK(BM_CheckBankOfLargestTests)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckBankOfLargestTestsReportAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckOneLargestTest)->Unit(benchmark::kMillisecond);
