// Listing a bank of 100 largest legal tests: what start-up pays per file to
// find each test's name, which should be about the cost of opening the
// file, not of reading its questions.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "core/bank/quiz_bank.h"
#include "support/temp_dir.h"

namespace {

void BM_ListBankOfLargestTests(benchmark::State& state) {
    const quizloom::testing::TempDir dir;
    const std::string folder = dir.file("bank") + "/";
    quizloom::bench::writeBank(folder, false);
    std::size_t listed = 0;
    for (auto _ : state)
        listed = quizloom::scanQuizFolder(folder).size();
    state.counters["tests"] = static_cast<double>(listed);
    state.counters["per_file_us"] =
        benchmark::Counter(static_cast<double>(quizloom::bench::kBankSize) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ListBankOfLargestTests)->Unit(benchmark::kMicrosecond);

} // namespace
