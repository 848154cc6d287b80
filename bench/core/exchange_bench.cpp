// Import from each exchange format at 500, 2,000 and 10,000 questions, to
// see that the time per question stays flat; and, at the largest legal
// test, import (document to new test file) against export (test file to
// document), each with the atomic write of its output. That test has 25
// variants of 99 questions, each with five options of which one is correct,
// so that every format holds all of it.
//
// 10,000 questions are more than a test holds: the reader stops at the
// first question beyond the limit and the source is refused, which is where
// any import of such a source ends.
//
// And text that looks like markup without being it, many "&" without ";"
// or "<a" without ">", up to the longest text the import reads: the time per
// byte stays flat.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/exchange/export_model.h"
#include "core/exchange/markup_text.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/ini/profile_replace.h"
#include "core/quiz/quiz_format.h"
#include "core/text/error.h"
#include "support/temp_dir.h"

namespace {

namespace bench = quizloom::bench;
namespace ex = quizloom::exchange;
namespace qz = quizloom::quiz;

constexpr int kLargest = bench::kLargestVariants * bench::kLargestQuestions;

// count questions of the test "Бенчмарк", 99 to a variant, with the texts of
// the largest test: five options, the second one correct.
std::string documentOf(ex::Format format, int count) {
    ex::ExportQuiz quiz;
    quiz.header = {{std::string(qz::kKeyName), "Бенчмарк"}, {std::string(qz::kKeySubject), "физиология"}};
    for (int i = 0; i < count; ++i) {
        const int variant = i / bench::kLargestQuestions + 1;
        const int position = i % bench::kLargestQuestions + 1;
        ex::ExportQuestion question;
        question.quizName = "Бенчмарк";
        question.variant = variant;
        question.name = qz::sectionName(variant, position);
        question.single = true;
        question.text = bench::questionText(variant, position);
        for (int option = 1; option <= qz::kAnswerCount; ++option)
            question.answers.push_back({bench::optionText(variant, position, option), option == 2});
        quiz.questions.push_back(std::move(question));
    }
    const std::vector<ex::ExportQuiz> quizzes = {quiz};
    switch (format) {
    case ex::Format::Gift:
        return ex::writeGift(quizzes);
    case ex::Format::Aiken:
        return ex::writeAiken(quizzes);
    case ex::Format::MoodleXml:
        break;
    }
    return ex::writeMoodleXml(quizzes);
}

void BM_Import(benchmark::State& state) {
    const auto format = static_cast<ex::Format>(state.range(0));
    const int count = static_cast<int>(state.range(1));
    const std::string document = documentOf(format, count);
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ex::importQuiz(document, format, "bench.txt"));
        } catch (const quizloom::Error&) {
            if (count <= kLargest)
                state.SkipWithError("a legal source was refused");
        }
    }
    state.SetLabel(std::string(ex::formatName(format)));
    state.SetItemsProcessed(state.iterations() * count);
    // CPU time per question.
    state.counters["per_question"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Import)
    ->ArgsProduct({{static_cast<int>(ex::Format::MoodleXml), static_cast<int>(ex::Format::Gift),
                    static_cast<int>(ex::Format::Aiken)},
                   {500, 2000, 10000}})
    ->Unit(benchmark::kMillisecond);

class LargestTest {
public:
    LargestTest() : path_(dir_.file("largest.ini")) {
        const ex::ImportResult test =
            ex::importQuiz(documentOf(ex::Format::MoodleXml, kLargest), ex::Format::MoodleXml, "largest.xml");
        ex::writeImportedQuiz(path_, test, "Бенчмарк", "физиология", ex::ExistingFile::Refuse);
    }
    const quizloom::testing::TempDir& dir() const { return dir_; }
    const std::string& path() const { return path_; }

private:
    quizloom::testing::TempDir dir_;
    std::string path_;
};

const LargestTest& largestTest() {
    static const LargestTest test;
    return test;
}

void BM_ExportLargest(benchmark::State& state) {
    const auto format = static_cast<ex::Format>(state.range(0));
    const std::string out = largestTest().dir().file("export.out");
    for (auto _ : state) {
        const ex::ExportResult result = ex::exportQuizzes({largestTest().path()}, format);
        const std::string_view chunks[] = {result.text};
        if (!quizloom::profile::replaceFile(out, chunks))
            state.SkipWithError("cannot write the document");
    }
    state.SetLabel(std::string(ex::formatName(format)));
}
BENCHMARK(BM_ExportLargest)
    ->DenseRange(static_cast<int>(ex::Format::MoodleXml), static_cast<int>(ex::Format::Aiken))
    ->Unit(benchmark::kMillisecond);

void BM_ImportLargest(benchmark::State& state) {
    const auto format = static_cast<ex::Format>(state.range(0));
    const std::string document = ex::exportQuizzes({largestTest().path()}, format).text;
    const std::string out = largestTest().dir().file("import.ini");
    for (auto _ : state) {
        const ex::ImportResult result = ex::importQuiz(document, format, "largest.txt");
        ex::writeImportedQuiz(out, result, result.suggestedName, result.subject.value_or(""),
                              ex::ExistingFile::Refuse);
        state.PauseTiming();
        std::filesystem::remove(out);
        state.ResumeTiming();
    }
    state.SetLabel(std::string(ex::formatName(format)));
}
BENCHMARK(BM_ImportLargest)
    ->DenseRange(static_cast<int>(ex::Format::MoodleXml), static_cast<int>(ex::Format::Aiken))
    ->Unit(benchmark::kMillisecond);

void BM_UnclosedMarkup(benchmark::State& state) {
    const std::string piece = state.range(0) == 0 ? "&" : "<a";
    const auto bytes = static_cast<std::size_t>(state.range(1));
    std::string text;
    while (text.size() + piece.size() <= bytes)
        text += piece;
    const ex::SourceText source{text, ex::Markup::Html};
    for (auto _ : state)
        benchmark::DoNotOptimize(ex::cleanText(source));
    state.SetLabel(piece);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_UnclosedMarkup)
    ->ArgsProduct({{0, 1}, {16 * 1024, 64 * 1024, 256 * 1024}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
