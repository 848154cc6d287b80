#pragma once
// The rule for a test's name, the same for a test made in the window, one
// imported there and one imported from the command line.
#include <string_view>

namespace quizloom::quiz {

// What the window says, and the command line prints, for a refused name.
inline constexpr std::string_view kBadQuizName = "Ошибка ввода названия теста!";

// A name the test list will show: not empty, and not "Error", which the
// list reads for a file without a name, so that a test of that name would
// vanish at the next scan of the folder.
bool isListableQuizName(std::string_view name);

} // namespace quizloom::quiz
