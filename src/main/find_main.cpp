// quizloom-find: finds a text in the questions of every test of a folder,
// as the editor's search does, and prints one line per matching question:
// "<file name>:<variant>:<question>: <question text>" in UTF-8, in test-list
// order. Like grep, letter case and ё/е count unless -i and --yo say not.
//
// Exit status: 0 a question found, 1 none, 2 bad argument, a missing or
// unreadable folder, or a "*.ini" that cannot be read (named on standard
// error; the other tests are still searched).
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/quiz_bank.h"
#include "core/bank/tool_folder.h"
#include "core/search/quiz_search.h"
#include "core/text/printable.h"

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

struct Arguments {
    bool ignoreCase = false;
    bool yoAsYe = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> text;
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
        } else if (!optionsEnded && arg == "--version") {
            args.version = true;
        } else if (!optionsEnded && arg == "-i") {
            args.ignoreCase = true;
        } else if (!optionsEnded && arg == "--yo") {
            args.yoAsYe = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            complain("неизвестный параметр '" + std::string(arg) + "' (см. --help)");
            return std::nullopt;
        } else if (!args.text) {
            args.text = std::string(arg);
        } else if (args.folder) {
            complain("задано больше одного каталога (см. --help)");
            return std::nullopt;
        } else if (arg.empty()) {
            complain("пустое имя каталога");
            return std::nullopt;
        } else {
            args.folder = std::string(arg);
        }
    }
    if (args.help || args.version)
        return args;
    if (!args.text) {
        complain("не задан текст для поиска (см. --help)");
        return std::nullopt;
    }
    if (args.text->empty()) {
        complain("текст для поиска пуст");
        return std::nullopt;
    }
    return args;
}

void complainAboutFolder(const std::string& named) {
    switch (quizloom::folderFault(named)) {
    case quizloom::FolderFault::Missing:
        complain("нет каталога '" + named + "'");
        return;
    case quizloom::FolderFault::NotFolder:
        complain("'" + named + "' - не каталог");
        return;
    case quizloom::FolderFault::Unreadable:
        complain("не удаётся прочитать каталог '" + named + "'");
        return;
    }
}

// Names the tests that could not be read; true when there is one. Files
// without a test name are no tests and go unnamed.
bool reportUnreadable(const std::vector<quizloom::LeftOutFile>& leftOut) {
    bool unreadable = false;
    for (const quizloom::LeftOutFile& file : leftOut) {
        using Reason = quizloom::LeftOutFile::Reason;
        if (file.reason == Reason::NoName)
            continue;
        std::string line = "не удаётся прочитать '";
        line += quizloom::printableName(file.path);
        line += "': ";
        line += file.reason == Reason::Unreadable ? std::strerror(file.error) : "не обычный файл";
        complain(line);
        unreadable = true;
    }
    return unreadable;
}

int run(const Arguments& args) {
    const std::string folder = quizloom::toolFolder(args.folder);
    std::vector<quizloom::LeftOutFile> leftOut;
    const auto tests = quizloom::tryScanQuizFolder(folder, &leftOut);
    if (!tests) {
        complainAboutFolder(args.folder.value_or(folder));
        return kFailure;
    }
    const bool unreadable = reportUnreadable(leftOut);

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

bool print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::optional<Arguments> args = parseArguments(argc, argv);
        if (!args)
            return kFailure;
        if (args->version)
            return print(kVersion) ? kFound : kFailure;
        if (args->help)
            return print(kUsage) ? kFound : kFailure;
        return run(*args);
    } catch (const std::exception& e) {
        complain(e.what());
        return kFailure;
    }
}
