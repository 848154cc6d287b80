#pragma once
// Import of a question document into a new test file: which questions the
// file can hold, where each one goes, the header, and the writing of the
// file as a new test is written. The window's import and quizloom-convert
// both call importQuiz, show importSummary and call writeImportedQuiz.
#include <array>
#include <optional>
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

// The header values a source carries (carried_header.h) stand in for the
// defaults below; a value a test file cannot hold is passed over with a note.
struct ImportResult {
    Format format = Format::MoodleXml;
    // The test name to offer: the carried name, else the top category, else
    // the input's file name without its extension.
    std::string suggestedName;
    std::optional<std::string> subject; // "Дисциплина" when carried
    std::string type; // "один вариант ответа" or "много вариантов ответа"
    int level = 1;    // 1 multiple choice, 2 short answer
    std::array<std::string, 3> grades = {"95", "85", "75"}; // "Оценка 5", "Оценка 4", "Оценка 3"
    int variants = 0;
    int questions = 0;                      // per variant: that of the largest variant
    std::vector<ImportedQuestion> imported; // in variant, then position order
    std::vector<RefusedQuestion> refused;
    // Questions the source states in a form its format does not allow, in
    // source order: where is "строки 5–7".
    std::vector<RefusedQuestion> malformed;
    std::vector<std::string> notes;
};

// Reads document (the bytes of the file named inputFileName) in format.
// Throws Error, and nothing is to be written, for a document that cannot be
// read at all and for a source no test file can hold: several tests, more
// than 25 variants, more than 99 questions in a variant, more than 2,475
// questions. Malformed questions are listed; whether the others are written
// anyway is the caller's choice.
ImportResult importQuiz(std::string_view document, Format format, std::string_view inputFileName);

// The summary shown after an import: the counts, the malformed questions,
// the refused questions with their place in the source, the notes, and how
// many questions the structure check will find short of five options.
std::vector<std::string> importSummary(const ImportResult& result);
// "Ошибки в файле Aiken (3):" and one line for each malformed question.
std::vector<std::string> malformedSummary(const ImportResult& result);
std::string refusedLine(const RefusedQuestion& refused);

enum class ExistingFile {
    Refuse, // throw Error when a file is at path: the command line never overwrites
    Backup, // move it to its ".BAK" name first, as a new test does (the window asks before)
};

// Writes the imported test at path as a new test file: section "Тест" with
// "Название теста" = name, the other header keys ("Дисциплина" = subject,
// the result's type, level and grades) and every imported question, in one
// atomic write. Throws Error for an import without questions, for a name the
// test list would not show (quiz_name.h), WriteError with EEXIST for an
// existing file under ExistingFile::Refuse (also one that appears while this
// one is written), and WriteError for a file that cannot be written.
void writeImportedQuiz(const std::string& path, const ImportResult& result, std::string_view name,
                       std::string_view subject, ExistingFile existing);

} // namespace quizloom::exchange
