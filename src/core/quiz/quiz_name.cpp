#include "core/quiz/quiz_name.h"

#include "core/quiz/quiz_format.h"

namespace quizloom::quiz {

bool isListableQuizName(std::string_view name) {
    return !name.empty() && name != kMissing;
}

} // namespace quizloom::quiz
