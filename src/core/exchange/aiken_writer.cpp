#include "core/exchange/export_model.h"

namespace quizloom::exchange {

// One question a block: its text on one line, "A) " to "E) " options,
// "ANSWER: " and the letter, a blank line. The format has no place for a
// header or categories.
std::string writeAiken(const std::vector<ExportQuiz>& quizzes) {
    std::string out;
    for (const ExportQuiz& quiz : quizzes)
        for (const ExportQuestion& question : quiz.questions) {
            out += question.text + "\n";
            char letter = 'A';
            char answerLetter = 'A';
            for (const ExportAnswer& answer : question.answers) {
                if (answer.correct)
                    answerLetter = letter;
                out += std::string(1, letter++) + ") " + answer.text + "\n";
            }
            out += std::string("ANSWER: ") + answerLetter + "\n\n";
        }
    return out;
}

} // namespace quizloom::exchange
