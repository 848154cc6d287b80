#pragma once
// A test file that passes the structure check, for tests that need a bank
// of sound tests around the one they are about.
#include <string>

#include "support/ini_doc.h"

namespace quizloom::testing {

// Every header key, one variant of `questions` level-1 questions, each with
// five options and one correct answer.
IniDoc passingQuiz(const std::string& name, int questions = 1);

} // namespace quizloom::testing
