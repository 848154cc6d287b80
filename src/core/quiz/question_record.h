#pragma once
// A question section of a test file as its keys hold it, and the one place
// that reads or writes those keys. The editor, the structure check and the
// exchange formats each apply their own rules to the same record: what the
// editor shows is not what the check counts (see the functions below).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/quiz/quiz_format.h"

namespace quizloom {
class ProfileFile;
namespace profile {
class Name;
}
} // namespace quizloom

namespace quizloom::quiz {

struct QuestionRecord {
    std::string question; // "Вопрос"; empty when missing
    AnswerTexts options;  // "Вариант №1".."№5"; empty when missing
    // "Правильный ответ №1".."№5"; nothing when the key is missing.
    std::array<std::optional<std::string>, kAnswerCount> correct;

    bool operator==(const QuestionRecord&) const = default;
};

// How the texts of a record read from a file are given: UTF-8 for display
// and editing, or the file's own Windows-1251 bytes for callers that only
// compare them (and convert only what they show).
enum class TextEncoding { Utf8, FileBytes };

// The keys of a question section in the order of QuestionValues: "Вопрос",
// "Вариант №1".."№5", "Правильный ответ №1".."№5", encoded and folded once.
inline constexpr int kQuestionKeyCount = 1 + 2 * kAnswerCount;
const std::vector<profile::Name>& questionKeyNames();
// A question section's values as the file holds them (Windows-1251), in
// that key order; nothing for a missing key.
using QuestionValues = std::array<std::optional<std::string_view>, kQuestionKeyCount>;

// The fields of those values without a copy, for readers that only look at
// them (the search); a missing key reads as empty text.
struct QuestionView {
    const QuestionValues& values;
    std::string_view question() const { return values[0].value_or(std::string_view()); }
    std::string_view option(int k) const { return values[1 + k].value_or(std::string_view()); }
    // Correct answer k (0-based); nothing for a missing key.
    std::optional<std::string_view> correct(int k) const { return values[1 + kAnswerCount + k]; }
};

// Every record read, from whatever reader of the file, is made here. `into`
// keeps the capacity of its strings, so a loop over many sections does not
// allocate for every value.
void fillQuestionRecord(const QuestionValues& values, TextEncoding encoding, QuestionRecord& into);

QuestionRecord readQuestionRecord(const ProfileFile& file, std::string_view section,
                                  TextEncoding encoding = TextEncoding::Utf8);
QuestionRecord readQuestionRecord(const ProfileFile& file, const profile::Name& section,
                                  TextEncoding encoding = TextEncoding::Utf8);

// What a save stores besides the question text.
enum class StoredAnswers {
    None,              // psycho-test mode: no answer of any kind
    OptionsAndCorrect, // level 1: the five options and the correct answers
    CorrectOnly,       // level 2: the correct answers only
};

// Writes the question text, and as `answers` says the options and the
// correct answers record.correct holds from №1 up to its first gap. Every
// later correct-answer key is removed, each repeat of it too: a reader would
// take an answer left from an earlier save as one more correct answer.
void writeQuestionRecord(ProfileFile& file, std::string_view section, const QuestionRecord& record,
                         StoredAnswers answers);

// The correct answers as the examination program reads them at level 1:
// from №1 up to (not including) the first missing key or "Error".
std::vector<std::string> correctUpToMissing(const QuestionRecord& record);
// Level 1 display: the options that equal one of those answers.
AnswerMarks displayedMarks(const QuestionRecord& record);
// Level 2 display: answer field k shows correct answer k, a missing key as empty.
AnswerTexts level2Fields(const QuestionRecord& record);
// A record whose correct answers are `answers` from №1 on, nothing after.
void setCorrect(QuestionRecord& record, const std::vector<std::string>& answers);

} // namespace quizloom::quiz
