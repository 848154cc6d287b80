#pragma once
// A question on its way out of a test file, as the three writers take it,
// and the writers themselves. Texts are UTF-8 and hold no control byte.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/carried_header.h"
#include "core/exchange/exchange_format.h"

namespace quizloom::exchange {

struct ExportAnswer {
    std::string text;
    bool correct = false;
};

struct ExportQuestion {
    // Category "<quizName>/Вариант <variant>".
    std::string quizName;
    int variant = 1;
    std::string name; // the section number
    QuestionKind kind = QuestionKind::MultipleChoice;
    // Multiple choice with exactly one correct answer graded all or nothing.
    bool single = false;
    std::string text;
    // Multiple choice: the non-empty options in order; short answer: the
    // correct answers.
    std::vector<ExportAnswer> answers;
};

// A test on its way out: its header values and the questions that can go.
struct ExportQuiz {
    HeaderValues header;
    std::vector<ExportQuestion> questions;
};

// A weight in percent rounded to five decimals, trailing zeros dropped:
// 100, 50, 33.33333, -25, 0. Moodle accepts a weight only when it lies
// within 0.001% of its own list, and these are on it.
std::string weightText(double percent);
// The weight of each answer as both formats that carry weights write it:
// all or nothing for a single-answer question, otherwise the correct ones
// share +100% and the wrong ones -100%. Every accepted short answer is worth
// 100%: the platform refuses a short-answer question with none at 100%.
std::vector<std::string> answerWeights(const ExportQuestion& question);

// The test's category: its name, a "/" of it doubled as category paths
// demand, after "$course$/top/" when the name starts as those prefixes do.
std::string quizCategory(std::string_view quizName);
// "<quiz category>/Вариант <variant>".
std::string categoryPath(const ExportQuestion& question);
// Short-answer text for the platform: "*" is its wildcard and is written "\*".
std::string shortAnswerText(std::string_view text);

// The documents; a category entry precedes each change of category, and
// the header of each test goes where the format has room for it.
std::string writeMoodleXml(const std::vector<ExportQuiz>& quizzes);
std::string writeGift(const std::vector<ExportQuiz>& quizzes);
std::string writeAiken(const std::vector<ExportQuiz>& quizzes);

} // namespace quizloom::exchange
