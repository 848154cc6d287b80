// quizloom-check against the cost of reading the same bytes: the bank of
// 100 largest legal tests (25 variants of 99 questions, every key filled)
// checked by the real program with one and with two workers, each round
// timed against `cat` of the same files in the same run, so the ratio holds
// on a busy machine too. Also the program's peak memory (through GNU time,
// when installed) on the bank and on a test holding 10 MB of empty lines, and
// the cost of listing the bank against listing an empty folder.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/bank/quiz_bank.h"
#include "support/temp_dir.h"

namespace {

namespace bench = quizloom::bench;
using bench::ChildRun;
using bench::runChild;
// The peak resident set of argv in kilobytes, or -1. The child's own
// resource usage cannot tell it: a process started from this one inherits
// this one's peak at exec. GNU time forks the program from a small process
// of its own and reports the program's peak alone.
long peakResidentKb(const std::vector<std::string>& argv) {
    constexpr const char* kTime = "/usr/bin/time";
    if (::access(kTime, X_OK) != 0)
        return -1;
    const quizloom::testing::TempDir dir;
    std::vector<std::string> timed{kTime, "-f", "%M", "-o", dir.file("peak")};
    timed.insert(timed.end(), argv.begin(), argv.end());
    runChild(timed);
    // The figure is the last line; a line about the exit status may come first.
    std::string text = quizloom::testing::readFileBytes(dir.file("peak"));
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return std::stol(text.substr(text.rfind('\n') + 1));
}

class Bank {
public:
    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    quizloom::testing::TempDir dir_;
    std::string folder_ = dir_.file("bank");
    std::vector<std::string> paths_ = bench::writeBank(folder_, false);
};

const Bank& bank() {
    static const Bank instance;
    return instance;
}

// quizloom-check -j N on the bank, and cat of its files, alternately.
void BM_CheckCliVsCat(benchmark::State& state) {
    const Bank& files = bank();
    std::vector<std::string> cat{"/bin/cat"};
    cat.insert(cat.end(), files.paths().begin(), files.paths().end());
    const std::vector<std::string> check{QUIZLOOM_CHECK_BINARY, "-j", std::to_string(state.range(0)),
                                         files.folder()};
    runChild(cat); // the files in the page cache, as for every later round
    double catSeconds = 0;
    double checkSeconds = 0;
    for (auto _ : state) {
        catSeconds += runChild(cat).seconds;
        const ChildRun run = runChild(check);
        if (run.status != 1)
            state.SkipWithError("unexpected exit status");
        checkSeconds += run.seconds;
        state.SetIterationTime(run.seconds);
    }
    state.counters["cat_ms"] = 1000 * catSeconds / static_cast<double>(state.iterations());
    state.counters["ratio_to_cat"] = checkSeconds / catSeconds;
    state.counters["peak_MB"] = static_cast<double>(peakResidentKb(check)) / 1024;
}
BENCHMARK(BM_CheckCliVsCat)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Peak memory on one test whose header section holds 10 MB of empty lines.
void BM_CheckCliEmptyLinesPeakMemory(benchmark::State& state) {
    const quizloom::testing::TempDir dir;
    std::filesystem::create_directories(dir.file("bank"));
    std::string bytes = bench::makeLargestTestBytes();
    bytes.insert(bytes.find("\r\n") + 2, std::string(10 * 1024 * 1024, '\n'));
    quizloom::testing::writeFileBytes(dir.file("bank/large.ini"), bytes);
    const std::vector<std::string> check{QUIZLOOM_CHECK_BINARY, "-j", "1", dir.file("bank")};
    for (auto _ : state)
        state.SetIterationTime(runChild(check).seconds);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / (1024 * 1024);
    state.counters["peak_MB"] = static_cast<double>(peakResidentKb(check)) / 1024;
}
BENCHMARK(BM_CheckCliEmptyLinesPeakMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Listing is what start-up and every change of folder pay for.
void BM_ListBankOfLargestTests(benchmark::State& state) {
    const std::string folder = bank().folder() + "/";
    for (auto _ : state) {
        const auto tests = quizloom::scanQuizFolder(folder);
        if (tests.size() != static_cast<std::size_t>(bench::kBankSize))
            state.SkipWithError("unexpected test count");
    }
}
BENCHMARK(BM_ListBankOfLargestTests)->Unit(benchmark::kMicrosecond);

void BM_ListEmptyFolder(benchmark::State& state) {
    const quizloom::testing::TempDir dir;
    const std::string folder = dir.path() + "/";
    for (auto _ : state)
        benchmark::DoNotOptimize(quizloom::scanQuizFolder(folder));
}
BENCHMARK(BM_ListEmptyFolder)->Unit(benchmark::kMicrosecond);

} // namespace
