// Random test files and random search texts: whatever the bytes, nothing
// crashes; the matcher finds what a plain folded search finds; every result
// marks its match inside its context; and the overview holds the check run's
// own lines for every question the run examines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/checker/structure_check.h"
#include "core/overview/question_overview.h"
#include "core/search/quiz_search.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"
#include "fuzz_work_file.h"

namespace {

namespace search = quizloom::search;

constexpr const char* kFuzzer = "quiz search fuzz";

[[noreturn]] void fail(const char* what, const std::string& detail) {
    quizloom::fuzz::fail(kFuzzer, what, detail);
}

// The reference: both sides folded byte by byte, then searched plainly.
std::string folded(std::string bytes, search::MatchOptions options) {
    for (char& c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (!options.matchCase)
            b = quizloom::cp1251ToLower(b);
        if (options.yoAsYe && (b == 0xB8 || b == 0xA8))
            b = b == 0xB8 ? 0xE5 : 0xC5;
        c = static_cast<char>(b);
    }
    return bytes;
}

void expectMatcherAgrees(const std::string& text, const std::string& value, search::MatchOptions options) {
    const search::TextMatcher matcher(text, options);
    const auto found = matcher.find(value);
    if (!matcher.canMatch()) {
        if (found)
            fail("matcher", "a text that cannot match matched");
        return;
    }
    const std::string needle = folded(quizloom::utf8ToCp1251(text), options);
    const std::size_t at = folded(value, options).find(needle);
    if (at == std::string::npos ? found.has_value()
                                : !found || found->position != at || found->length != needle.size())
        fail("matcher", text + " in " + quizloom::cp1251ToUtf8(value));
}

void expectOverviewIsTheRuns(const std::string& path, const std::string& variants,
                             const std::string& questions) {
    const auto run = quizloom::check::checkQuizzes({path}, {.printOnlyDamaged = false});
    std::map<std::pair<int, int>, std::vector<std::string>> findings;
    for (std::size_t i = 0; i < run.sectionLines.size(); ++i)
        if (run.sectionOrigins[i] && run.sectionOrigins[i]->question)
            findings[{run.sectionOrigins[i]->question->variant, run.sectionOrigins[i]->question->question}]
                .push_back(run.sectionLines[i]);
    const auto overview = quizloom::overview::buildOverview(path, variants, questions);
    for (const auto& variant : overview.variants) {
        for (const auto& row : variant.questions) {
            if (row.skippedByCheck)
                continue;
            const auto it = findings.find({row.position.variant, row.position.question});
            const std::vector<std::string> expected =
                it == findings.end() ? std::vector<std::string>{} : it->second;
            if (row.reportLines != expected ||
                (row.state == quizloom::overview::QuestionState::Passes) != expected.empty())
                fail("overview", "question " + std::to_string(row.section));
        }
    }
}

void expectHitsMarkTheirMatch(const std::string& path, const std::string& text,
                              search::MatchOptions options) {
    const auto result =
        search::searchQuizzes({{path, "T"}}, text, {.match = options, .limit = 0, .workers = 1});
    const search::TextMatcher matcher(text, options);
    for (const search::SearchHit& hit : result.hits) {
        if (hit.matchStart + hit.matchLength > hit.context.size())
            fail("search", "match beyond the context");
        const std::string match = quizloom::utf8ToCp1251(hit.context.substr(hit.matchStart, hit.matchLength));
        const auto again = matcher.find(match);
        if (!again || again->position != 0 || again->length != match.size())
            fail("search", "the marked text is no match: " + hit.context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const search::MatchOptions options{.matchCase = in.ConsumeBool(), .yoAsYe = in.ConsumeBool()};
    // Texts typed in UTF-8; most of them fit the code page.
    const std::string typed = in.ConsumeBool() ? quizloom::cp1251ToUtf8(in.ConsumeRandomLengthString(6))
                                               : in.ConsumeRandomLengthString(6);
    const std::string variants = std::to_string(in.ConsumeIntegralInRange(-1, 60));
    const std::string questions = std::to_string(in.ConsumeIntegralInRange(-1, 120));
    const std::string value = in.ConsumeRandomLengthString(64);
    expectMatcherAgrees(typed, value, options);

    const std::string bytes = in.ConsumeRemainingBytesAsString();
    std::ofstream(quizloom::fuzz::workFile(kFuzzer), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    expectOverviewIsTheRuns(quizloom::fuzz::workFile(kFuzzer), variants, questions);
    expectHitsMarkTheirMatch(quizloom::fuzz::workFile(kFuzzer), typed, options);
    return 0;
}
