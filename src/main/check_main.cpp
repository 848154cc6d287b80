// quizloom-check: checks the structure of every test of a folder, as the
// editor's all-files check run does, and prints the report to standard
// output (UTF-8, one "\n" per line; the report file the editor writes has
// the same lines in Windows-1251 with CR LF). It writes no file.
//
// Exit status: 0 no test damaged, 1 at least one damaged, 2 bad argument,
// unreadable folder or no test at all, so that a script guarding an
// examination never takes "nothing checked" for success.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/checker/structure_check.h"
#include "core/text/cp1251.h"

namespace {

constexpr int kClean = 0;
constexpr int kDamaged = 1;
constexpr int kFailure = 2;

constexpr std::string_view kProgram = "quizloom-check";
constexpr std::string_view kDefaultFolder = "./Тесты/";
constexpr std::string_view kUsage =
    "Usage: quizloom-check [--all] [FOLDER]\n"
    "Checks the structure of every test file (*.ini) of FOLDER in test-list order and prints\n"
    "the report an all-files check run of the editor writes to its report file.\n"
    "FOLDER defaults to ./Тесты/ when it exists, else the current folder.\n"
    "\n"
    "  --all   report every test; by default only damaged tests are reported\n"
    "  --help  show this text\n"
    "\n"
    "Exit status: 0 no test damaged, 1 at least one test damaged,\n"
    "2 bad argument, missing or unreadable folder, or no test in the folder.\n";

struct Arguments {
    bool all = false;
    bool help = false;
    std::optional<std::string> folder;
};

void complain(std::string_view message) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
                 static_cast<int>(message.size()), message.data());
}

// Returns nothing after reporting a bad argument.
std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments args;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            args.help = true;
        } else if (!optionsEnded && arg == "--all") {
            args.all = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            complain("unknown option '" + std::string(arg) + "' (see --help)");
            return std::nullopt;
        } else if (arg.empty()) {
            complain("the folder name is empty");
            return std::nullopt;
        } else if (args.folder) {
            complain("more than one folder given (see --help)");
            return std::nullopt;
        } else {
            args.folder = std::string(arg);
        }
    }
    return args;
}

// The folder as the report names it: as given, ending with "/".
std::string reportFolder(const std::optional<std::string>& given) {
    if (!given) {
        std::error_code ec;
        return std::filesystem::is_directory(std::filesystem::path(std::string(kDefaultFolder)), ec)
                   ? std::string(kDefaultFolder)
                   : std::string("./");
    }
    return given->back() == '/' ? *given : *given + "/";
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

int run(const Arguments& args) {
    const std::string folder = reportFolder(args.folder);
    const auto tests = quizloom::tryScanTestFolder(folder);
    if (!tests) {
        // Named as given, without the "/" the report adds, since it may be a file.
        const std::string named = args.folder.value_or(folder);
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::status(named, ec);
        if (!std::filesystem::exists(status))
            complain("no folder '" + named + "'");
        else if (!std::filesystem::is_directory(status))
            complain("'" + named + "' is not a folder");
        else
            complain("cannot read the folder '" + named + "'");
        return kFailure;
    }
    std::vector<std::string> paths;
    paths.reserve(tests->size());
    for (const quizloom::TestEntry& test : *tests)
        paths.push_back(test.path);

    const quizloom::check::RunResult result =
        quizloom::check::checkTests(paths, {.printOnlyDamaged = !args.all});
    if (!printLines(quizloom::check::allFilesReport(result, paths.size()))) {
        complain("cannot write the report to standard output");
        return kFailure;
    }
    if (paths.empty()) {
        complain("no test in the folder '" + folder + "'");
        return kFailure;
    }
    return result.damagedCount > 0 ? kDamaged : kClean;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::optional<Arguments> args = parseArguments(argc, argv);
        if (!args)
            return kFailure;
        if (args->help) {
            std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
            return std::fflush(stdout) == 0 ? kClean : kFailure;
        }
        return run(*args);
    } catch (const std::exception& e) {
        complain(e.what());
        return kFailure;
    }
}
