#pragma once
// The system's reason for a failed file operation, in the program's language.
#include <string>

namespace quizloom {

// An error the table does not know is given by its number.
std::string systemReason(int error);

} // namespace quizloom
