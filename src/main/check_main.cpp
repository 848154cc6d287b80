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
    "Использование: quizloom-check [--all] [-j N] [КАТАЛОГ]\n"
    "Проверяет структуру каждого файла теста (*.ini) КАТАЛОГА в порядке списка тестов и\n"
    "выводит отчёт, который проверка всех файлов в редакторе записывает в файл отчёта.\n"
    "По умолчанию КАТАЛОГ — ./Тесты/, если он есть, иначе текущий каталог.\n"
    "\n"
    "  --all      сообщать о каждом тесте; по умолчанию только о тестах с ошибками\n"
    "  -j N       проверять N файлов одновременно (по умолчанию по одному на ядро\n"
    "             процессора); отчёт от N не зависит\n"
    "  --help     показать этот текст\n"
    "  --version  показать версию\n"
    "\n"
    "Каждый пропущенный файл *.ini (нечитаемый, не обычный файл, без названия теста)\n"
    "называется в потоке ошибок.\n"
    "Код возврата: 0 ошибок в тестах нет, 1 хотя бы в одном тесте ошибки,\n"
    "2 неверный аргумент, нет каталога или он не читается, не читается файл *.ini\n"
    "или в каталоге нет ни одного теста (2 важнее 1).\n";

constexpr quizloom::tool::ToolTexts kTexts{kProgram, kVersion, kUsage};
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
        complain("после -j нужно число одновременных проверок от 1 до 1024 (см. --help)");
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
                complain("неизвестный ключ «" + std::string(arg) + "» (см. --help)");
                return false;
            } else if (arg.empty()) {
                complain("пустое имя каталога");
                return false;
            } else if (args.folder) {
                complain("задано больше одного каталога (см. --help)");
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

int run(const Arguments& args) {
    // The folder as the report names it: as given, ending with "/".
    const std::string folder = quizloom::toolFolder(args.folder);
    std::vector<quizloom::LeftOutFile> leftOut;
    const auto tests = quizloom::tool::listFolder(kProgram, folder, args.folder, leftOut);
    if (!tests)
        return kFailure;
    const bool unreadable = quizloom::tool::reportLeftOut(kProgram, leftOut, true);
    std::vector<std::string> paths;
    paths.reserve(tests->size());
    for (const quizloom::QuizEntry& test : *tests)
        paths.push_back(test.path);

    const quizloom::check::RunResult result =
        quizloom::check::checkQuizzes(paths, {.printOnlyDamaged = !args.all, .workers = args.workers});
    if (!printLines(quizloom::check::allFilesReport(result, paths.size()))) {
        complain("не удаётся вывести отчёт в стандартный вывод");
        return kFailure;
    }
    if (paths.empty()) {
        complain("в каталоге «" + folder + "» нет ни одного теста");
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
