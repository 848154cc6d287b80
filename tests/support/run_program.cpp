#include "support/run_program.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace quizloom::testing {

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

ProgramOutcome runProgram(const std::string& binary, const std::string& workingDir,
                          const std::vector<std::string>& args) {
    const TempDir capture; // outside workingDir, so the output files are not seen there
    std::string command = "cd " + shellQuoted(workingDir) + " && exec " + shellQuoted(binary);
    for (const std::string& arg : args)
        command.append(" ").append(shellQuoted(arg));
    command += " >" + shellQuoted(capture.file("out")) + " 2>" + shellQuoted(capture.file("err"));
    const int raw = std::system(command.c_str());
    ProgramOutcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = readFileBytes(capture.file("out"));
    outcome.err = readFileBytes(capture.file("err"));
    return outcome;
}

} // namespace quizloom::testing
