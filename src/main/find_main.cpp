// quizloom-find: finds a text in the questions of every test of a folder,
// as the editor's search does, and prints one line per matching question:
// "<file name>:<variant>:<question>: <question text>" in UTF-8, in test-list
// order. Like grep, letter case and ё/е count unless -i and --yo say not.
//
// Exit status: 0 a question found, 1 none, 2 bad argument, a missing or
// unreadable folder, or a "*.ini" that cannot be read (named on standard
// error; the other tests are still searched).
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/bank/tool_folder.h"
#include "core/search/quiz_search.h"
#include "core/text/printable.h"
#include "tool_main.h"

namespace {

constexpr int kFound = 0;
constexpr int kNothing = 1;
constexpr int kFailure = 2;

constexpr std::string_view kProgram = "quizloom-find";
constexpr std::string_view kVersion = "quizloom-find " QUIZLOOM_VERSION "\n";
constexpr std::string_view kUsage =
    "Использование: quizloom-find [-i] [--yo] ТЕКСТ [КАТАЛОГ]\n"
    "Ищет ТЕКСТ в вопросах всех тестов (файлов *.ini) КАТАЛОГА в порядке списка тестов:\n"
    "в тексте вопроса и в полях ответов (варианты ответа на уровне 1, правильные ответы\n"
    "на уровне 2), во всех вопросах, до которых доходят кнопки перехода редактора.\n"
    "Для каждого найденного вопроса печатает строку\n"
    "  <имя файла>:<номер варианта>:<номер вопроса>: <текст вопроса>\n"
    "По умолчанию КАТАЛОГ - ./Тесты/, если он есть, иначе текущий каталог.\n"
    "\n"
    "  -i         не различать строчные и прописные буквы\n"
    "  --yo       считать букву ё буквой е\n"
    "  --help     показать эту справку\n"
    "  --version  показать версию\n"
    "\n"
    "Код возврата: 0 - вопрос найден, 1 - ничего не найдено, 2 - неверный аргумент,\n"
    "нет каталога или его нельзя прочитать, файл *.ini нельзя прочитать.\n";

constexpr quizloom::tool::ToolTexts kTexts{kProgram, kVersion, kUsage};
struct Arguments {
    quizloom::tool::CommonArguments common;
    bool ignoreCase = false;
    bool yoAsYe = false;
    std::optional<std::string> text;
    std::optional<std::string> folder;
};

void complain(std::string_view message) {
    quizloom::tool::complain(kProgram, message);
}

// False after reporting a bad argument.
bool parseArguments(int argc, char** argv, Arguments& args) {
    const bool read = quizloom::tool::walkArguments(
        argc, argv, args.common, [&](std::string_view arg, bool optionsEnded, int&) {
            if (!optionsEnded && arg == "-i") {
                args.ignoreCase = true;
            } else if (!optionsEnded && arg == "--yo") {
                args.yoAsYe = true;
            } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
                complain("неизвестный параметр '" + std::string(arg) + "' (см. --help)");
                return false;
            } else if (!args.text) {
                args.text = std::string(arg);
            } else if (args.folder) {
                complain("задано больше одного каталога (см. --help)");
                return false;
            } else if (arg.empty()) {
                complain("пустое имя каталога");
                return false;
            } else {
                args.folder = std::string(arg);
            }
            return true;
        });
    if (!read || args.common.help || args.common.version)
        return read;
    if (!args.text) {
        complain("не задан текст для поиска (см. --help)");
        return false;
    }
    if (args.text->empty()) {
        complain("текст для поиска пуст");
        return false;
    }
    return true;
}

int run(const Arguments& args) {
    const std::string folder = quizloom::toolFolder(args.folder);
    std::vector<quizloom::LeftOutFile> leftOut;
    const auto tests = quizloom::tool::listFolder(kProgram, folder, args.folder, leftOut);
    if (!tests)
        return kFailure;
    // Tests without a name are searched by nobody: no fault of the search.
    const bool unreadable = quizloom::tool::reportLeftOut(kProgram, leftOut, false);

    quizloom::search::SearchOptions options;
    options.match = {.matchCase = !args.ignoreCase, .yoAsYe = args.yoAsYe};
    options.limit = 0;
    std::string line;
    options.onHit = [&line](const quizloom::search::SearchHit& hit) {
        // One line per question whatever the names and texts hold.
        line = quizloom::printableName(std::filesystem::path(hit.path).filename().string());
        line += ':';
        line += std::to_string(hit.variant);
        line += ':';
        line += std::to_string(hit.question);
        line += ": ";
        line += quizloom::printableName(hit.questionText);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    };
    const quizloom::search::SearchResult result =
        quizloom::search::searchQuizzes(*tests, *args.text, options);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain("не удаётся вывести результаты");
        return kFailure;
    }
    if (unreadable)
        return kFailure;
    return result.hitCount > 0 ? kFound : kNothing;
}

} // namespace

int main(int argc, char** argv) {
    return quizloom::tool::toolMain(kTexts, kFailure, argc, argv, parseArguments, run);
}
