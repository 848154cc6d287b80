// quizloom-convert: moves questions between test files and the question
// formats of learning platforms (Moodle XML, GIFT, Aiken), as the window's
// export and import do.
//
//   export: the tests become one UTF-8 document; questions that cannot go
//           are listed on standard error.
//   import: a document becomes a new test file; refused questions are
//           listed on standard error.
//
// Exit status: 0 all converted, 1 some questions left out or refused,
// 2 bad argument, unreadable or malformed input, or an existing -o file
// (never overwritten). Nothing is written unless the input was read whole.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/ini/profile_replace.h"
#include "core/text/error.h"

namespace {

namespace ex = quizloom::exchange;
namespace fs = std::filesystem;

constexpr int kConverted = 0;
constexpr int kPartly = 1;
constexpr int kFailure = 2;

constexpr std::string_view kProgram = "quizloom-convert";
constexpr std::string_view kVersion = "quizloom-convert " QUIZLOOM_VERSION "\n";
constexpr std::string_view kUsage =
    "Usage: quizloom-convert export --to moodle-xml|gift|aiken [--all] SOURCE -o OUT\n"
    "       quizloom-convert import --from moodle-xml|gift|aiken INPUT -o NEW.ini [--name N]\n"
    "\n"
    "export  writes the test file SOURCE (with --all: every test of the folder SOURCE)\n"
    "        to OUT in the given format, UTF-8; left-out questions go to standard error.\n"
    "import  writes the questions of INPUT to the new test file NEW.ini (Windows-1251);\n"
    "        the test is named N, by default after the top category of INPUT or,\n"
    "        without one, after its file name. Refused questions go to standard error.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "An existing OUT or NEW.ini is never overwritten.\n"
    "Exit status: 0 all converted, 1 some questions left out or refused,\n"
    "2 bad argument, unreadable or malformed input, or an existing output file.\n";

struct Arguments {
    std::string command;
    std::optional<ex::Format> format;
    bool all = false;
    std::optional<std::string> source;
    std::optional<std::string> output;
    std::optional<std::string> name;
};

void complain(std::string_view message) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
                 static_cast<int>(message.size()), message.data());
}

void print(std::FILE* stream, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
}

bool printText(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Arguments parseArguments(const std::vector<std::string_view>& args) {
    Arguments parsed;
    if (args.empty())
        throw ArgumentError("no command given (see --help)");
    parsed.command = args[0];
    if (parsed.command != "export" && parsed.command != "import")
        throw ArgumentError("unknown command '" + parsed.command + "' (see --help)");
    const std::string_view formatOption = parsed.command == "export" ? "--to" : "--from";
    const auto valueOf = [&](std::size_t& i) {
        if (i + 1 >= args.size())
            throw ArgumentError("option " + std::string(args[i]) + " needs a value");
        return std::string(args[++i]);
    };
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == formatOption) {
            const std::string name = valueOf(i);
            parsed.format = ex::formatFromName(name);
            if (!parsed.format)
                throw ArgumentError("unknown format '" + name + "' (moodle-xml, gift or aiken)");
        } else if (!optionsEnded && arg == "-o") {
            parsed.output = valueOf(i);
        } else if (!optionsEnded && arg == "--all" && parsed.command == "export") {
            parsed.all = true;
        } else if (!optionsEnded && arg == "--name" && parsed.command == "import") {
            parsed.name = valueOf(i);
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            throw ArgumentError("unknown option '" + std::string(arg) + "' for " + parsed.command +
                                " (see --help)");
        } else if (parsed.source) {
            throw ArgumentError("more than one input given (see --help)");
        } else {
            parsed.source = std::string(arg);
        }
    }
    if (!parsed.format)
        throw ArgumentError("missing " + std::string(formatOption) + " (see --help)");
    if (!parsed.source || parsed.source->empty())
        throw ArgumentError("missing input (see --help)");
    if (!parsed.output || parsed.output->empty())
        throw ArgumentError("missing -o (see --help)");
    if (parsed.name && parsed.name->empty())
        throw ArgumentError("the test name is empty");
    return parsed;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string readInput(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw quizloom::Error("no file '" + path + "'");
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        throw quizloom::Error("cannot read '" + path + "'");
    return bytes;
}

std::vector<std::string> exportPaths(const Arguments& args) {
    if (!args.all) {
        readInput(*args.source); // a test file that is missing would read as an empty test
        return {*args.source};
    }
    const std::string folder = args.source->back() == '/' ? *args.source : *args.source + "/";
    const auto tests = quizloom::tryScanQuizFolder(folder);
    if (!tests)
        throw quizloom::Error("cannot read the folder '" + *args.source + "'");
    if (tests->empty())
        throw quizloom::Error("no test in the folder '" + *args.source + "'");
    std::vector<std::string> paths;
    for (const quizloom::QuizEntry& test : *tests)
        paths.push_back(test.path);
    return paths;
}

// The first line (the counts) to standard output, the rest to standard error.
void printSummary(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        print(i == 0 ? stdout : stderr, lines[i]);
    std::fflush(stdout);
}

void writeOutput(const std::string& path, std::string_view text) {
    const std::string_view chunks[] = {text};
    if (!quizloom::profile::replaceFile(path, chunks))
        throw quizloom::Error("cannot write '" + path + "'");
}

int runExport(const Arguments& args) {
    const ex::ExportResult result = ex::exportQuizzes(exportPaths(args), *args.format);
    writeOutput(*args.output, result.text);
    printSummary(ex::exportSummary(result));
    return result.leftOut.empty() ? kConverted : kPartly;
}

int runImport(const Arguments& args) {
    const std::string document = readInput(*args.source);
    const ex::ImportResult result =
        ex::importQuiz(document, *args.format, fs::path(*args.source).filename().string());
    const std::string name = args.name.value_or(result.suggestedName);
    if (result.imported.empty()) {
        for (const ex::RefusedQuestion& refused : result.refused)
            print(stderr, ex::refusedLine(refused));
        throw quizloom::Error("no question of '" + *args.source + "' can be imported; nothing written");
    }
    ex::writeImportedQuiz(*args.output, result, name, name, ex::ExistingFile::Refuse);
    printSummary(ex::importSummary(result));
    return result.refused.empty() ? kConverted : kPartly;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::string_view arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return printText(kUsage) ? kConverted : kFailure;
        if (arg == "--version")
            return printText(kVersion) ? kConverted : kFailure;
    }
    try {
        const Arguments parsed = parseArguments(args);
        if (exists(*parsed.output)) {
            complain("'" + *parsed.output + "' exists; it is not overwritten");
            return kFailure;
        }
        return parsed.command == "export" ? runExport(parsed) : runImport(parsed);
    } catch (const std::exception& e) {
        complain(e.what());
        return kFailure;
    }
}
