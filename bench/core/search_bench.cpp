// One search over the bank of 100 largest legal tests against the check of
// the same bank with the same number of workers, each round timed against
// the other in the same run so that the ratio holds on a busy machine: in
// the core, and as the programs quizloom-find and quizloom-check. The text
// is found nowhere, so every field of every question is read to the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/bank/quiz_bank.h"
#include "core/checker/structure_check.h"
#include "core/search/quiz_search.h"
#include "support/temp_dir.h"

namespace {

namespace bench = quizloom::bench;
using Clock = std::chrono::steady_clock;

constexpr const char* kAbsentText = "гиппокамп";

class Bank {
public:
    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& paths() const { return paths_; }
    const std::vector<quizloom::QuizEntry>& tests() const { return tests_; }

private:
    quizloom::testing::TempDir dir_;
    std::string folder_ = dir_.file("bank");
    std::vector<std::string> paths_ = bench::writeBank(folder_, false);
    std::vector<quizloom::QuizEntry> tests_ = quizloom::scanQuizFolder(folder_ + "/");
};

const Bank& bank() {
    static const Bank instance;
    return instance;
}

double secondsOf(const auto& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_SearchVsCheckInCore(benchmark::State& state) {
    const Bank& files = bank();
    const auto workers = static_cast<unsigned>(state.range(0));
    double checkSeconds = 0;
    double searchSeconds = 0;
    for (auto _ : state) {
        checkSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(quizloom::check::checkQuizzes(files.paths(), {.workers = workers}));
        });
        const double seconds = secondsOf([&] {
            const auto result =
                quizloom::search::searchQuizzes(files.tests(), kAbsentText, {.workers = workers});
            if (result.hitCount != 0)
                state.SkipWithError("the text was found");
        });
        searchSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["check_ms"] = 1000 * checkSeconds / static_cast<double>(state.iterations());
    state.counters["ratio_to_check"] = searchSeconds / checkSeconds;
}
BENCHMARK(BM_SearchVsCheckInCore)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The programs with their default workers (one per core) on both sides.
void BM_FindCliVsCheckCli(benchmark::State& state) {
    const Bank& files = bank();
    const std::vector<std::string> check{QUIZLOOM_CHECK_BINARY, files.folder()};
    const std::vector<std::string> find{QUIZLOOM_FIND_BINARY, "-i", "--yo", kAbsentText, files.folder()};
    bench::runChild(check); // the files in the page cache, as for every later round
    double checkSeconds = 0;
    double findSeconds = 0;
    for (auto _ : state) {
        checkSeconds += bench::runChild(check).seconds;
        const bench::ChildRun run = bench::runChild(find);
        if (run.status != 1)
            state.SkipWithError("unexpected exit status");
        findSeconds += run.seconds;
        state.SetIterationTime(run.seconds);
    }
    state.counters["check_ms"] = 1000 * checkSeconds / static_cast<double>(state.iterations());
    state.counters["ratio_to_check"] = findSeconds / checkSeconds;
}
BENCHMARK(BM_FindCliVsCheckCli)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
