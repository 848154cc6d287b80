// quizloom-check: checks the structure of every test of a folder, as the
// editor's all-files check run does, and prints the report to standard
// output (UTF-8, one "\n" per line; the report file the editor writes has
// the same lines in Windows-1251 with CR LF). It writes no file.
//
// Exit status: 0 no test damaged, 1 at least one damaged, 2 bad argument,
// unreadable folder, a "*.ini" that cannot be read, or no test at all, so
// that a script guarding an examination never takes "nothing checked" for
// success. Every "*.ini" left out of the list is named on standard error.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/bank/tool_folder.h"
#include "core/checker/structure_check.h"
#include "core/text/cp1251.h"
#include "core/text/printable.h"
#include "tool_main.h"

namespace {

constexpr int kClean = 0;
constexpr int kDamaged = 1;
constexpr int kFailure = 2;

constexpr std::string_view kProgram = "quizloom-check";
constexpr std::string_view kVersion = "quizloom-check 1.2\n";
constexpr std::string_view kUsage =
    "Usage: quizloom-check [--all] [-j N] [FOLDER]\n"
    "Checks the structure of every test file (*.ini) of FOLDER in test-list order and prints\n"
    "the report an all-files check run of the editor writes to its report file.\n"
    "FOLDER defaults to ./Тесты/ when it exists, else the current folder.\n"
    "\n"
    "  --all      report every test; by default only damaged tests are reported\n"
    "  -j N       check N files at a time (default: one per processor core);\n"
    "             the report is the same for any N\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Every *.ini file left out (unreadable, not a regular file, no test name) is\n"
    "named on standard error.\n"
    "Exit status: 0 no test damaged, 1 at least one test damaged,\n"
    "2 bad argument, missing or unreadable folder, a *.ini file that cannot be read,\n"
    "or no test in the folder (2 takes precedence over 1).\n";

constexpr quizloom::tool::ToolTexts kTexts{kProgram, kVersion, kUsage};
constexpr quizloom::tool::FolderComplaints kFolderComplaints{
    {"no folder ", ""}, {"", " is not a folder"}, {"cannot read the folder ", ""}};

struct Arguments {
    quizloom::tool::CommonArguments common;
    bool all = false;
    unsigned workers = 0;
    std::optional<std::string> folder;
};

void complain(std::string_view message) {
    quizloom::tool::complain(kProgram, message);
}

std::optional<unsigned> parseWorkers(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 1024) {
        complain("-j needs a number of workers from 1 to 1024 (see --help)");
        return std::nullopt;
    }
    return value;
}

// False after reporting a bad argument.
bool parseArguments(int argc, char** argv, Arguments& args) {
    return quizloom::tool::walkArguments(
        argc, argv, args.common, [&](std::string_view arg, bool optionsEnded, int& i) {
            if (!optionsEnded && arg == "--all") {
                args.all = true;
            } else if (!optionsEnded && arg.starts_with("-j")) {
                std::string_view count = arg.substr(2);
                if (count.empty() && i + 1 < argc)
                    count = argv[++i];
                const std::optional<unsigned> workers = parseWorkers(count);
                if (!workers)
                    return false;
                args.workers = *workers;
            } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
                complain("unknown option '" + std::string(arg) + "' (see --help)");
                return false;
            } else if (arg.empty()) {
                complain("the folder name is empty");
                return false;
            } else if (args.folder) {
                complain("more than one folder given (see --help)");
                return false;
            } else {
                args.folder = std::string(arg);
            }
            return true;
        });
}

// Each line as the report file holds it, in UTF-8: a file name that the code
// page cannot hold (or that is no UTF-8 at all) reads "?" here as it does in
// the report file, so the output is always UTF-8 and always the file's lines.
bool printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string shown = quizloom::cp1251ToUtf8(quizloom::utf8ToCp1251(line));
        std::fwrite(shown.data(), 1, shown.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

std::string leftOutReason(const quizloom::LeftOutFile& file) {
    using Reason = quizloom::LeftOutFile::Reason;
    switch (file.reason) {
    case Reason::Unreadable:
        return std::string("cannot be read: ") + std::strerror(file.error);
    case Reason::NotRegular:
        return "cannot be read: not a regular file";
    case Reason::NoName:
        break;
    }
    return "has no test name (\"Название теста\" in section \"Тест\")";
}

// Names each file left out of the list; true when one of them could not be read.
bool reportLeftOut(const std::vector<quizloom::LeftOutFile>& leftOut) {
    bool unreadable = false;
    for (const quizloom::LeftOutFile& file : leftOut) {
        // Appended in steps: GCC 12 at -O3 misreads "'" + ... as an
        // overlapping copy and -Werror stops the build.
        std::string line = "'";
        line += quizloom::printableName(file.path);
        line += "' ";
        line += leftOutReason(file);
        line += ", left out";
        complain(line);
        unreadable = unreadable || file.reason != quizloom::LeftOutFile::Reason::NoName;
    }
    return unreadable;
}

int run(const Arguments& args) {
    // The folder as the report names it: as given, ending with "/".
    const std::string folder = quizloom::toolFolder(args.folder);
    std::vector<quizloom::LeftOutFile> leftOut;
    const auto tests = quizloom::tool::listFolder(kProgram, folder, args.folder, kFolderComplaints, leftOut);
    if (!tests)
        return kFailure;
    const bool unreadable = reportLeftOut(leftOut);
    std::vector<std::string> paths;
    paths.reserve(tests->size());
    for (const quizloom::QuizEntry& test : *tests)
        paths.push_back(test.path);

    const quizloom::check::RunResult result =
        quizloom::check::checkQuizzes(paths, {.printOnlyDamaged = !args.all, .workers = args.workers});
    if (!printLines(quizloom::check::allFilesReport(result, paths.size()))) {
        complain("cannot write the report to standard output");
        return kFailure;
    }
    if (paths.empty()) {
        complain("no test in the folder '" + folder + "'");
        return kFailure;
    }
    if (unreadable)
        return kFailure;
    return result.damagedCount > 0 ? kDamaged : kClean;
}

} // namespace

int main(int argc, char** argv) {
    return quizloom::tool::toolMain(kTexts, kFailure, argc, argv, parseArguments, run);
}
