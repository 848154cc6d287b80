// The core structure check over a bank of 100 largest legal tests (25
// variants of 99 questions, every key filled); every fifth test is damaged,
// either in a question or in its header.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "checker/structure_check.h"
#include "text/cp1251.h"

namespace {

constexpr int kBankSize = 100;

void replaceOnce(std::string& bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    if (at == std::string::npos)
        throw std::logic_error("test data lacks " + from);
    bytes.replace(at, from.size(), to);
}

// Written once per process into a private folder, removed at exit.
class Bank {
public:
    Bank() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quizloom-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create " + pattern);
        folder_ = pattern;
        const std::string clean = quizloom::bench::makeLargestTestBytes();
        // A question whose section name is wrong reads as missing; a level of 3 is a header problem.
        std::string missingQuestion = clean;
        replaceOnce(missingQuestion, "\r\n[1250]\r\n", "\r\n[12500]\r\n");
        std::string badLevel = clean;
        replaceOnce(badLevel, quizloom::utf8ToCp1251("Уровень=1"), quizloom::utf8ToCp1251("Уровень=3"));
        for (int i = 0; i < kBankSize; ++i) {
            const std::string& bytes = i % 10 == 3 ? missingQuestion : i % 10 == 8 ? badLevel : clean;
            paths_.push_back(folder_ + "/test" + std::to_string(1000 + i) + ".ini");
            writeFile(paths_.back(), bytes);
        }
    }
    ~Bank() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    static void writeFile(const std::string& path, const std::string& bytes) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
            throw std::runtime_error("cannot write " + path);
    }
    std::string folder_;
    std::vector<std::string> paths_;
};

const Bank& bank() {
    static const Bank instance;
    return instance;
}

void checkBank(benchmark::State& state, bool printOnlyDamaged) {
    const std::vector<std::string>& paths = bank().paths();
    std::size_t damaged = 0;
    for (auto _ : state) {
        const auto run = quizloom::check::checkTests(paths, {.printOnlyDamaged = printOnlyDamaged});
        damaged = run.damagedCount;
        benchmark::DoNotOptimize(run.sectionLines.data());
    }
    if (damaged != kBankSize / 5)
        state.SkipWithError("unexpected damaged count");
    state.counters["files"] = kBankSize;
    state.counters["damaged"] = static_cast<double>(damaged);
    state.SetItemsProcessed(state.iterations() * kBankSize);
}

void BM_CheckBankOfLargestTests(benchmark::State& state) { checkBank(state, true); }
void BM_CheckBankOfLargestTestsReportAll(benchmark::State& state) { checkBank(state, false); }

void BM_CheckOneLargestTest(benchmark::State& state) {
    const std::string& path = bank().paths().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(quizloom::check::checkTestFile(path, true).passed);
}

} // namespace

BENCHMARK(BM_CheckBankOfLargestTests)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckBankOfLargestTestsReportAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckOneLargestTest)->Unit(benchmark::kMillisecond);
