// quizloom-convert: moves questions between test files and the question
// formats of learning platforms (Moodle XML, GIFT, Aiken), as the window's
// export and import do.
//
//   export: the tests become one UTF-8 document; questions that cannot go
//           are listed on standard error. With nothing that can go, no
//           file is written.
//   import: a document becomes a new test file; refused questions are
//           listed on standard error. Malformed questions are all named
//           and stop the import, unless --skip-errors imports the others.
//
// Exit status: 0 all converted, 1 some questions left out, refused or
// skipped as malformed, or nothing to export; 2 bad argument, unreadable
// input, malformed questions without --skip-errors, or an existing -o file
// (never overwritten). Nothing is written unless the input was read whole.
#include <cerrno>
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
#include "core/quiz/quiz_name.h"
#include "core/text/error.h"
#include "core/text/system_reason.h"

namespace {

namespace ex = quizloom::exchange;
namespace fs = std::filesystem;

constexpr int kConverted = 0;
constexpr int kPartly = 1;
constexpr int kFailure = 2;

constexpr std::string_view kProgram = "quizloom-convert";
constexpr std::string_view kVersion = "quizloom-convert " QUIZLOOM_VERSION "\n";
constexpr std::string_view kUsage =
    "Использование: quizloom-convert export --to moodle-xml|gift|aiken [--all] ИСТОЧНИК -o ФАЙЛ\n"
    "               quizloom-convert import --from moodle-xml|gift|aiken ВХОД -o НОВЫЙ.ini [--name ИМЯ]\n"
    "                                [--skip-errors]\n"
    "\n"
    "export  записывает тест ИСТОЧНИК (с --all: все тесты каталога ИСТОЧНИК) в ФАЙЛ\n"
    "        в выбранном формате, в UTF-8; невыгруженные вопросы перечисляются в потоке\n"
    "        ошибок. Если выгрузить нечего, ФАЙЛ не записывается.\n"
    "import  записывает вопросы файла ВХОД в новый файл теста НОВЫЙ.ini (Windows-1251).\n"
    "        Название теста — ИМЯ, по умолчанию название, которое несёт ВХОД, иначе его\n"
    "        верхняя категория, иначе имя файла. Непринятые вопросы перечисляются\n"
    "        в потоке ошибок. Вопросы с ошибками формата перечисляются все, и тогда\n"
    "        ничего не записывается.\n"
    "\n"
    "  --skip-errors  импортировать остальные вопросы, если в файле ВХОД есть ошибки\n"
    "  --help         показать этот текст\n"
    "  --version      показать версию\n"
    "\n"
    "Существующий ФАЙЛ или НОВЫЙ.ini никогда не перезаписывается.\n"
    "Код возврата: 0 всё перенесено; 1 часть вопросов не перенесена (или пропущена\n"
    "с --skip-errors) либо выгружать нечего; 2 неверный аргумент, нечитаемый вход,\n"
    "ошибки в файле ВХОД без --skip-errors или существующий выходной файл.\n";

struct Arguments {
    std::string command;
    std::optional<ex::Format> format;
    bool all = false;
    std::optional<std::string> source;
    std::optional<std::string> output;
    std::optional<std::string> name;
    bool skipErrors = false;
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
        throw ArgumentError("не задана команда (см. --help)");
    parsed.command = args[0];
    if (parsed.command != "export" && parsed.command != "import")
        throw ArgumentError("неизвестная команда «" + parsed.command + "» (см. --help)");
    const std::string_view formatOption = parsed.command == "export" ? "--to" : "--from";
    const auto valueOf = [&](std::size_t& i) {
        if (i + 1 >= args.size())
            throw ArgumentError("у ключа " + std::string(args[i]) + " нет значения");
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
                throw ArgumentError("неизвестный формат «" + name + "» (moodle-xml, gift или aiken)");
        } else if (!optionsEnded && arg == "-o") {
            parsed.output = valueOf(i);
        } else if (!optionsEnded && arg == "--all" && parsed.command == "export") {
            parsed.all = true;
        } else if (!optionsEnded && arg == "--name" && parsed.command == "import") {
            parsed.name = valueOf(i);
        } else if (!optionsEnded && arg == "--skip-errors" && parsed.command == "import") {
            parsed.skipErrors = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            throw ArgumentError("неизвестный ключ «" + std::string(arg) + "» команды " + parsed.command +
                                " (см. --help)");
        } else if (parsed.source) {
            throw ArgumentError("задано больше одного входа (см. --help)");
        } else {
            parsed.source = std::string(arg);
        }
    }
    if (!parsed.format)
        throw ArgumentError("не задан ключ " + std::string(formatOption) + " (см. --help)");
    if (!parsed.source || parsed.source->empty())
        throw ArgumentError("не задан вход (см. --help)");
    if (!parsed.output || parsed.output->empty())
        throw ArgumentError("не задан ключ -o (см. --help)");
    if (parsed.name && !quizloom::quiz::isListableQuizName(*parsed.name))
        throw ArgumentError(std::string(quizloom::quiz::kBadQuizName));
    return parsed;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string readInput(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw quizloom::Error("нет файла «" + path + "»");
    // Read in one block of the file's size: a string grown as it reads holds
    // up to three times the file at once.
    std::ifstream in(path, std::ios::binary);
    std::string bytes(fs::file_size(path, ec), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (ec || !in.is_open() || in.bad())
        throw quizloom::Error("не удаётся прочитать «" + path + "»");
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
        throw quizloom::Error("не удаётся прочитать каталог «" + *args.source + "»");
    if (tests->empty())
        throw quizloom::Error("в каталоге «" + *args.source + "» нет ни одного теста");
    std::vector<std::string> paths;
    for (const quizloom::QuizEntry& test : *tests)
        paths.push_back(test.path);
    return paths;
}

// The first line (the counts) to standard output, the rest to standard error.
// A summary a script cannot have read is a failure.
void printSummary(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        print(i == 0 ? stdout : stderr, lines[i]);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw quizloom::Error("не удаётся вывести итог: " + quizloom::systemReason(errno));
}

void writeOutput(const std::string& path, std::string_view text) {
    const std::string_view chunks[] = {text};
    if (!quizloom::profile::createFile(path, chunks))
        throw quizloom::WriteError(path, errno);
}

std::string existsMessage(const std::string& path) {
    return "«" + path + "» уже есть; файл не перезаписывается";
}

int runExport(const Arguments& args) {
    const ex::ExportResult result = ex::exportQuizzes(exportPaths(args), *args.format);
    if (result.written())
        writeOutput(*args.output, result.text);
    printSummary(ex::exportSummary(result));
    return result.written() && result.leftOut.empty() ? kConverted : kPartly;
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        print(stderr, line);
}

int runImport(const Arguments& args) {
    const std::string document = readInput(*args.source);
    const ex::ImportResult result =
        ex::importQuiz(document, *args.format, fs::path(*args.source).filename().string());
    const std::string name = args.name.value_or(result.suggestedName);
    if (!result.malformed.empty() && !args.skipErrors) {
        printLines(ex::malformedSummary(result));
        throw quizloom::Error(
            "в «" + *args.source + "» есть вопросы с ошибками; ничего не записано (--skip-errors " +
            "импортирует остальные " + std::to_string(result.imported.size()) + " вопрос(ов))");
    }
    if (result.imported.empty()) {
        if (!result.malformed.empty())
            printLines(ex::malformedSummary(result));
        for (const ex::RefusedQuestion& refused : result.refused)
            print(stderr, ex::refusedLine(refused));
        throw quizloom::Error("ни один вопрос «" + *args.source +
                              "» нельзя импортировать; ничего не записано");
    }
    if (!args.name && !quizloom::quiz::isListableQuizName(name))
        complain("источник называет тест «" + name + "»; задайте название ключом --name");
    ex::writeImportedQuiz(*args.output, result, name, result.subject.value_or(name),
                          ex::ExistingFile::Refuse);
    printSummary(ex::importSummary(result));
    return result.refused.empty() && result.malformed.empty() ? kConverted : kPartly;
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
            complain(existsMessage(*parsed.output));
            return kFailure;
        }
        try {
            return parsed.command == "export" ? runExport(parsed) : runImport(parsed);
        } catch (const quizloom::WriteError& e) {
            // The one file written is the output; another program may have
            // made it since the check above.
            complain(e.error() == EEXIST ? existsMessage(*parsed.output)
                                         : "не удаётся записать «" + *parsed.output +
                                               "»: " + quizloom::systemReason(e.error()));
            return kFailure;
        }
    } catch (const std::exception& e) {
        complain(e.what());
        return kFailure;
    }
}
