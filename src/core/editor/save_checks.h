#pragma once
// What a save refuses before it writes anything.
#include "core/editor/question_form.h"

namespace quizloom::editor {

// The name of a field in messages: its caption in the window.
std::string fieldCaption(Field field);

// Throws Error naming the first field whose value cannot be stored (a line
// break). With checkOptions (level 1 outside psycho-test mode) it also
// refuses what the file could not tell apart: a marked empty option, and two
// options of one text of which only one is marked (correct answers are
// stored as texts).
void validateForSave(const QuestionForm& form, bool checkOptions);

} // namespace quizloom::editor
