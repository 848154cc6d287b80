#pragma once
// What the exchange fuzzers check: a document imported, written as a test
// file, exported in its own format and imported again gives the same test;
// and whatever our export writes, our import reads without an error.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/text/error.h"
#include "fuzz_work_file.h"

namespace quizloom::fuzz {

namespace ex = exchange;

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
    if (!exported.written())
        fail(fuzzer, "nothing exported", std::string(document));
    const ex::ImportResult second = readOwnExport(fuzzer, exported, format);
    if (const std::string difference = differenceOf(first, second); !difference.empty())
        fail(fuzzer, "round trip", difference + "\n" + exported.text);
}

} // namespace quizloom::fuzz
