#pragma once
// What the command-line tools that read a bank share: the arguments every
// one of them knows ("--", "--help"/"-h", "--version"), complaints on
// standard error under the program's name, and the frame of main.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"

namespace quizloom::tool {

struct ToolTexts {
    std::string_view program; // the name complaints begin with
    std::string_view version; // printed by --version, with its line end
    std::string_view usage;   // printed by --help
};

struct CommonArguments {
    bool help = false;
    bool version = false;
};

// "<program>: <message>" on standard error.
void complain(std::string_view program, std::string_view message);

// The tests of folder (as toolFolder gives it for `given`) in test-list
// order, the files left out of the list in leftOut; nothing after
// complaining that the folder cannot be listed, named as given.
std::optional<std::vector<QuizEntry>> listFolder(std::string_view program, const std::string& folder,
                                                 const std::optional<std::string>& given,
                                                 std::vector<LeftOutFile>& leftOut);

// Names each file left out of the list (those without a test name only when
// untitledToo); true when one of them could not be read.
bool reportLeftOut(std::string_view program, const std::vector<LeftOutFile>& leftOut, bool untitledToo);

// Called for each argument that is not one every tool knows; optionsEnded
// once "--" was seen. It may take the next arguments by advancing index.
// Returns false after complaining about a bad argument.
using TakeArgument = std::function<bool(std::string_view arg, bool optionsEnded, int& index)>;

// Reads argv in order; false when take refused an argument.
bool walkArguments(int argc, char** argv, CommonArguments& common, const TakeArgument& take);

// main's frame: the allocator keeps what is freed for the next file (a tool
// reads a bank file by file, and each file's buffer and index are freed
// before the next one is read: kept in the heap instead of going back to the
// system and coming back as fresh zeroed pages, they cost no page faults).
// parse (false after a complaint) gives failure; then
// --version or --help is answered from the texts, else run gives the exit
// status. A failure to write, or an exception, is complained about and
// gives failure.
int toolMain(const ToolTexts& texts, int failure, const std::function<bool()>& parse,
             const CommonArguments& common, const std::function<int()>& run);

// The same for a tool whose Arguments hold the common ones as `common`.
template <class Arguments>
int toolMain(const ToolTexts& texts, int failure, int argc, char** argv,
             bool (*parse)(int, char**, Arguments&), int (*run)(const Arguments&)) {
    Arguments args;
    return toolMain(
        texts, failure, [&] { return parse(argc, argv, args); }, args.common, [&] { return run(args); });
}

} // namespace quizloom::tool
