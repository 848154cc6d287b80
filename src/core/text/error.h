#pragma once
// The one error type of the program: its message is the text the error box
// shows (UTF-8), already filled in.
#include <stdexcept>
#include <string>
#include <string_view>

namespace quizloom {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the first "%s" of pattern with arg.
std::string formatMessage(std::string_view pattern, std::string_view arg);

} // namespace quizloom
