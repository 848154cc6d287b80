// One refresh of the question overview for the largest legal test (25
// variants of 99 questions, every key filled): what the panel pays after
// every display, save and paste.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/overview/question_overview.h"
#include "support/temp_dir.h"

namespace {

namespace bench = quizloom::bench;

void BM_OverviewRefreshLargestTest(benchmark::State& state) {
    const quizloom::testing::TempDir dir;
    const std::string path = dir.file("largest.ini");
    bench::writeLargestTest(path);
    const std::string variants = std::to_string(bench::kLargestVariants);
    const std::string questions = std::to_string(bench::kLargestQuestions);
    for (auto _ : state) {
        const auto overview = quizloom::overview::buildOverview(path, variants, questions);
        if (overview.variants.size() != static_cast<std::size_t>(bench::kLargestVariants))
            state.SkipWithError("unexpected variant count");
        benchmark::DoNotOptimize(overview.variants.data());
    }
}
BENCHMARK(BM_OverviewRefreshLargestTest)->Unit(benchmark::kMillisecond);

} // namespace
