#pragma once
// The map of the current test: the header's problems, and every question
// navigation can reach with its state under the structure check's rules,
// as the overview panel shows them. Built from the test file (what was
// saved), by the same rule functions the check run uses.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/checker/structure_check.h"

namespace quizloom::editor {
class EditingSession;
}

namespace quizloom::overview {

enum class QuestionState {
    Passes,
    Problem, // the check reports it (reportLines)
    Empty,   // nothing in it: the check reports it as not filled in
};

struct QuestionRow {
    check::QuestionPosition position;
    long long section = 0;
    std::string text; // the question text, UTF-8; empty when there is none
    QuestionState state = QuestionState::Passes;
    // The report's lines about it, as the check gives them; none when it passes.
    std::vector<std::string> reportLines;
    // The check run does not reach it: beyond the check's 25 variants or 99
    // questions or the file's own counts, a header that skips or stops the
    // question checks, or a variant after the error cap ended them.
    bool skippedByCheck = false;

    // "№ l  <text>", an empty text as "(пусто)"; the view elides it.
    std::string label() const;
};

struct VariantRow {
    int variant = 0;
    std::vector<QuestionRow> questions; // question 1 on
    int problemCount = 0;               // rows in state Problem
    int emptyCount = 0;                 // rows in state Empty

    std::string label() const; // "Вариант N"
};

struct QuestionOverview {
    std::string path;                        // the test's file; empty: no test
    std::vector<std::string> headerProblems; // the header's faults, as the check reports them
    std::vector<VariantRow> variants;        // variant 1 on

    // The row of a question, or nothing when the overview does not hold it.
    const QuestionRow* find(check::QuestionPosition position) const;
};

// The overview of the test at path (empty: none) with the counts of
// variants and of questions as the header fields show them (UTF-8), held to
// the editor's bounds. A file that cannot be read reads as one without keys.
QuestionOverview buildOverview(const std::string& path, std::string_view variantsText,
                               std::string_view questionsText);
// The same for the session's current test and its header fields.
QuestionOverview buildOverview(const editor::EditingSession& session);

} // namespace quizloom::overview
