#pragma once
// Export of test files to a question format of learning platforms: one test
// or every listed test of a working directory, in one UTF-8 document, with
// what could not go and why. The window's export and quizloom-convert both
// call exportQuizzes and show exportSummary.
#include <cstddef>
#include <string>
#include <vector>

#include "core/exchange/exchange_format.h"

namespace quizloom::exchange {

struct LeftOut {
    std::string quizName;
    std::string section; // empty when the whole test was left out
    std::string reason;
    bool operator==(const LeftOut&) const = default;
};

struct ExportResult {
    std::string text;                                  // the document, UTF-8; empty when nothing could go
    bool written() const { return questionCount > 0; } // else no file is to be written
    std::size_t quizCount = 0;                         // tests that gave at least one question
    std::size_t questionCount = 0;
    std::vector<LeftOut> leftOut;
    std::vector<std::string> notes; // what the format changes in what went
};

// Reads the test files at paths (UTF-8 test-list paths) and writes them in
// format, in the given order. Only reads the files.
ExportResult exportQuizzes(const std::vector<std::string>& paths, Format format);

// The summary shown after an export: the counts, then one line per
// left-out test or question, then the notes, and last that no file was
// written when nothing could go.
std::vector<std::string> exportSummary(const ExportResult& result);
// «<test>», вопрос <section>: <reason>   or   «<test>»: <reason>
std::string leftOutLine(const LeftOut& leftOut);

} // namespace quizloom::exchange
