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

// A file that could not be written: the message as above, and the system's
// reason (errno; EEXIST when a file that must be new was there).
class WriteError : public Error {
public:
    WriteError(const std::string& message, int error) : Error(message), error_(error) {}
    int error() const { return error_; }

private:
    int error_;
};

// Replaces the first "%s" of pattern with arg.
std::string formatMessage(std::string_view pattern, std::string_view arg);

} // namespace quizloom
