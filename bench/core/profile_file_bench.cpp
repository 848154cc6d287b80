// Profile files at the largest legal test: reading every key, saving one
// question as the editor does, and, for comparison, the bare atomic rewrite
// of the same file that any save has to pay for. Set QUIZLOOM_BENCH_DIR to
// measure on a particular file system (default: the temporary directory).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "core/ini/profile_file.h"
#include "core/ini/profile_replace.h"
#include "core/quiz/quiz_format.h"
#include "support/temp_dir.h"

namespace {

using quizloom::ProfileFile;
namespace bench = quizloom::bench;
namespace tf = quizloom::quiz;

constexpr int kSavedVariant = 13;
constexpr int kSavedQuestion = 50;

class LargestTestFile {
public:
    LargestTestFile() {
        const char* base = std::getenv("QUIZLOOM_BENCH_DIR");
        std::string pattern = (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                              "quizloom-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create " + pattern);
        dir_ = pattern;
        path_ = dir_ + "/largest.ini";
        bytes_ = bench::makeLargestTestBytes();
        quizloom::testing::writeFileBytes(path_, bytes_);
    }
    ~LargestTestFile() { std::filesystem::remove_all(dir_); }

    const std::string& path() const { return path_; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string dir_;
    std::string path_;
    std::string bytes_;
};

const LargestTestFile& largestTest() {
    static const LargestTestFile file;
    return file;
}

void BM_OpenAndReadEveryKey(benchmark::State& state) {
    const std::string& path = largestTest().path();
    const char* const headerKeys[] = {
        "Название теста",      "Дисциплина", "Тип",      "Уровень", "Количество вариантов",
        "Количество вопросов", "Оценка 5",   "Оценка 4", "Оценка 3"};
    std::size_t keys = 0;
    for (auto _ : state) {
        const ProfileFile file(path);
        for (const char* key : headerKeys)
            benchmark::DoNotOptimize(file.readString("Тест", key, ""));
        keys = std::size(headerKeys);
        for (int variant = 1; variant <= bench::kLargestVariants; ++variant) {
            for (int question = 1; question <= bench::kLargestQuestions; ++question) {
                const std::string section = tf::sectionName(variant, question);
                benchmark::DoNotOptimize(file.readString(section, "Вопрос", ""));
                for (int i = 1; i <= tf::kAnswerCount; ++i) {
                    benchmark::DoNotOptimize(file.readString(section, tf::optionKey(i), ""));
                    benchmark::DoNotOptimize(file.readString(section, tf::correctKey(i), "Error"));
                }
                keys += 1 + 2 * tf::kAnswerCount;
            }
        }
    }
    state.counters["keys"] = static_cast<double>(keys);
    state.counters["bytes"] = static_cast<double>(largestTest().bytes().size());
}
BENCHMARK(BM_OpenAndReadEveryKey)->Unit(benchmark::kMillisecond);

// What the editor's save writes: the header keys and every key of the
// question shown. The question text alternates so that each save really
// changes the file.
void BM_SaveQuestion(benchmark::State& state) {
    const std::string& path = largestTest().path();
    const std::string section = tf::sectionName(kSavedVariant, kSavedQuestion);
    const std::string texts[] = {bench::questionText(kSavedVariant, kSavedQuestion) + " (правка)",
                                 bench::questionText(kSavedVariant, kSavedQuestion)};
    int round = 0;
    for (auto _ : state) {
        ProfileFile file(path);
        file.writeString("Тест", "Дисциплина", "физиология");
        file.writeString("Тест", "Тип", "много вариантов ответа");
        file.writeString("Тест", "Уровень", "1");
        file.writeString("Тест", "Количество вариантов", std::to_string(bench::kLargestVariants));
        file.writeString("Тест", "Количество вопросов", std::to_string(bench::kLargestQuestions));
        file.writeString("Тест", "Оценка 5", "95");
        file.writeString("Тест", "Оценка 4", "85");
        file.writeString("Тест", "Оценка 3", "75");
        file.writeString(section, "Вопрос", texts[round++ % 2]);
        for (int i = 1; i <= tf::kAnswerCount; ++i) {
            const std::string option = bench::optionText(kSavedVariant, kSavedQuestion, i);
            file.writeString(section, tf::optionKey(i), option);
            file.writeString(section, tf::correctKey(i), option);
        }
        file.release();
    }
}
BENCHMARK(BM_SaveQuestion)->Unit(benchmark::kMillisecond);

// The floor for any save: the same bytes written to a temporary file,
// flushed to disk and renamed over the original.
void BM_PlainAtomicRewrite(benchmark::State& state) {
    const std::string& path = largestTest().path();
    const std::string_view chunks[] = {largestTest().bytes()};
    for (auto _ : state) {
        if (!quizloom::profile::replaceFile(path, chunks))
            state.SkipWithError("rewrite failed");
    }
}
BENCHMARK(BM_PlainAtomicRewrite)->Unit(benchmark::kMillisecond);

} // namespace
