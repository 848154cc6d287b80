#pragma once
// Random tests for property tests: a header and a full grid of questions
// the editor could have saved, from a seed, so a failure names its seed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/quiz/question_record.h"

namespace quizloom::testing {

struct GeneratedQuiz {
    std::string name;
    std::string subject;
    std::array<std::string, 3> grades; // "Оценка 5", "Оценка 4", "Оценка 3"
    std::string type; // "один вариант ответа" only with one correct option per question
    int level = 1;
    int variants = 1;
    int questions = 1;
    // Variant by variant, question by question.
    std::vector<quiz::QuestionRecord> records;

    const quiz::QuestionRecord& at(int variant, int question) const {
        return records[static_cast<std::size_t>((variant - 1) * questions + (question - 1))];
    }
};

struct GeneratorOptions {
    bool fiveOptions = false; // level 1 with five non-empty options everywhere
};

// Every question has a text, at level 1 two to five distinct non-empty
// options (empty ones in between) with one or more correct, at level 2 one to
// five distinct correct answers. Texts mix Cyrillic, Latin, digits and the
// characters the exchange formats escape.
GeneratedQuiz generateQuiz(std::uint32_t seed, GeneratorOptions options = {});

// Writes it as the editor saves a test.
void writeQuiz(const std::string& path, const GeneratedQuiz& quiz);

} // namespace quizloom::testing
