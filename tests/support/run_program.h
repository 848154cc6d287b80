#pragma once
// Runs a command-line program of the project as a script would, in a given
// working folder, and captures what it printed and its exit status.
#include <string>
#include <vector>

namespace quizloom::testing {

struct ProgramOutcome {
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

ProgramOutcome runProgram(const std::string& binary, const std::string& workingDir,
                          const std::vector<std::string>& args);

} // namespace quizloom::testing
