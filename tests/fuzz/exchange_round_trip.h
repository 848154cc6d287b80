#pragma once
// What the exchange fuzzers check: a document imported, written as a test
// file, exported in its own format and imported again gives the same test;
// and whatever our export writes, our import reads without an error.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/text/error.h"
#include "fuzz_work_file.h"

namespace quizloom::fuzz {

namespace ex = exchange;

// A test whose import a format cannot give back as it was, with the reason:
// such a test is still exported and read back, but not compared.
struct RoundTripLimit {
    const char* reason;
    bool (*applies)(const ex::ImportResult& first, ex::Format format);
};

inline bool anyQuestion(const ex::ImportResult& result, bool (*test)(const quiz::QuestionRecord&)) {
    for (const ex::ImportedQuestion& question : result.imported)
        if (test(question.record))
            return true;
    return false;
}

inline int correctCount(const quiz::QuestionRecord& record) {
    int count = 0;
    for (const auto& correct : record.correct)
        count += correct && !correct->empty();
    return count;
}

inline constexpr RoundTripLimit kRoundTripLimits[] = {
    {"a test name the platform reads as a category prefix",
     [](const ex::ImportResult& first, ex::Format format) {
         const std::string_view name = first.suggestedName;
         return format != ex::Format::Aiken &&
                (name == "top" || name.starts_with("top/") || name.starts_with("$"));
     }},
    {"a control character in the test name",
     [](const ex::ImportResult& first, ex::Format) {
         return std::any_of(first.suggestedName.begin(), first.suggestedName.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20; });
     }},
    {"a question with a single option is not exported",
     [](const ex::ImportResult& first, ex::Format) {
         return first.level == 1 && anyQuestion(first, [](const quiz::QuestionRecord& record) {
                    return std::count_if(record.options.begin(), record.options.end(),
                                         [](const std::string& option) { return !option.empty(); }) < 2;
                });
     }},
    {"several correct answers in a test of one",
     [](const ex::ImportResult& first, ex::Format) {
         return first.level == 1 && anyQuestion(first, [](const quiz::QuestionRecord& record) {
                    return correctCount(record) > 1;
                });
     }},
    {"an Aiken question of one character or with leading blanks",
     [](const ex::ImportResult& first, ex::Format format) {
         return format == ex::Format::Aiken && anyQuestion(first, [](const quiz::QuestionRecord& record) {
                    return std::count_if(
                               record.question.begin(), record.question.end(),
                               [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }) < 2 ||
                           record.question.front() == ' ' || record.question.front() == '\t';
                });
     }},
};

// The comparison the property makes: what a test file holds of the test.
inline std::string differenceOf(const ex::ImportResult& a, const ex::ImportResult& b) {
    if (a.suggestedName != b.suggestedName)
        return "test name «" + a.suggestedName + "» came back as «" + b.suggestedName + "»";
    if (a.type != b.type || a.level != b.level)
        return "type «" + a.type + "» came back as «" + b.type + "»";
    if (a.variants != b.variants || a.questions != b.questions)
        return "variants " + std::to_string(a.variants) + "×" + std::to_string(a.questions) +
               " came back as " + std::to_string(b.variants) + "×" + std::to_string(b.questions);
    if (a.imported.size() != b.imported.size())
        return std::to_string(a.imported.size()) + " questions came back as " +
               std::to_string(b.imported.size());
    for (std::size_t i = 0; i < a.imported.size(); ++i) {
        const ex::ImportedQuestion& x = a.imported[i];
        const ex::ImportedQuestion& y = b.imported[i];
        if (x.variant != y.variant || x.position != y.position)
            return "question " + std::to_string(x.variant) + "/" + std::to_string(x.position) +
                   " came back as " + std::to_string(y.variant) + "/" + std::to_string(y.position);
        if (x.record != y.record)
            return "question «" + x.record.question + "» came back as «" + y.record.question + "»";
    }
    return {};
}

// Our own export must read back: no error, no malformed question.
// The first import's input is named so too: Aiken carries no test name, and
// both then offer the file's.
constexpr const char* kInputName = "fuzz.txt";

inline ex::ImportResult readOwnExport(const char* fuzzer, const ex::ExportResult& exported,
                                      ex::Format format) {
    try {
        ex::ImportResult result = ex::importQuiz(exported.text, format, kInputName);
        if (!result.malformed.empty())
            fail(fuzzer, "own export malformed",
                 ex::refusedLine(result.malformed.front()) + "\n" + exported.text);
        return result;
    } catch (const Error& error) {
        fail(fuzzer, "own export refused", std::string(error.what()) + "\n" + exported.text);
    }
}

inline void expectRoundTrip(const char* fuzzer, ex::Format format, const std::uint8_t* data,
                            std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    ex::ImportResult first;
    const std::string& path = workFile(fuzzer);
    std::filesystem::remove(path);
    try {
        first = ex::importQuiz(document, format, kInputName);
        // Refusals of the file (no question, a name the list would hide,
        // letters outside the code page) end the case.
        ex::writeImportedQuiz(path, first, first.suggestedName, first.subject.value_or(first.suggestedName),
                              ex::ExistingFile::Refuse);
    } catch (const Error&) {
        return;
    }
    const ex::ExportResult exported = ex::exportQuizzes({path}, format);
    const bool limited =
        std::any_of(std::begin(kRoundTripLimits), std::end(kRoundTripLimits),
                    [&](const RoundTripLimit& limit) { return limit.applies(first, format); });
    if (!exported.written()) {
        if (!limited)
            fail(fuzzer, "nothing exported", std::string(document));
        return;
    }
    const ex::ImportResult second = readOwnExport(fuzzer, exported, format);
    if (const std::string difference = differenceOf(first, second); !limited && !difference.empty())
        fail(fuzzer, "round trip", difference + "\n" + exported.text);
}

} // namespace quizloom::fuzz
