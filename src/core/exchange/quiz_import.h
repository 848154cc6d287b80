#pragma once
// Import of a question document into a new test file: which questions the
// file can hold, where each one goes, the header, and the writing of the
// file as a new test is written. The window's import and quizloom-convert
// both call importQuiz, show importSummary and call writeImportedQuiz.
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/exchange_format.h"
#include "core/quiz/question_record.h"

namespace quizloom::exchange {

struct ImportedQuestion {
    int variant = 1;
    int position = 1;
    quiz::QuestionRecord record;
};

struct RefusedQuestion {
    std::string where; // "строка 12 («name»)"
    std::string reason;
    bool operator==(const RefusedQuestion&) const = default;
};

struct ImportResult {
    // The test name to offer: the top category, else the input's file name
    // without its extension.
    std::string suggestedName;
    std::string type; // "один вариант ответа" or "много вариантов ответа"
    int level = 1;    // 1 multiple choice, 2 short answer
    int variants = 0;
    int questions = 0;                      // per variant: that of the largest variant
    std::vector<ImportedQuestion> imported; // in variant, then position order
    std::vector<RefusedQuestion> refused;
    std::vector<std::string> notes;
};

// Reads document (the bytes of the file named inputFileName) in format.
// Throws Error, and nothing is to be written, for malformed input and for
// a source no test file can hold: several tests, more than 25 variants, more
// than 99 questions in a variant, more than 2,475 questions.
ImportResult importQuiz(std::string_view document, Format format, std::string_view inputFileName);

// The summary shown after an import: the counts, the refused questions with
// their place in the source, then the notes.
std::vector<std::string> importSummary(const ImportResult& result);
std::string refusedLine(const RefusedQuestion& refused);

enum class ExistingFile {
    Refuse, // throw Error when a file is at path: the command line never overwrites
    Backup, // move it to its ".BAK" name first, as a new test does (the window asks before)
};

// Writes the imported test at path as a new test file: section "Тест" with
// "Название теста" = name, the other header keys ("Дисциплина" = subject,
// grades 95/85/75) and every imported question, in one atomic write.
// Throws Error for an import without questions, for an existing file under
// ExistingFile::Refuse, and for a file that cannot be written.
void writeImportedQuiz(const std::string& path, const ImportResult& result, std::string_view name,
                       std::string_view subject, ExistingFile existing);

} // namespace quizloom::exchange
