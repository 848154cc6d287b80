#include "tool_main.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "core/bank/tool_folder.h"
#include "core/text/printable.h"
#include "core/text/system_reason.h"

#include <malloc.h>

namespace quizloom::tool {

namespace {

bool print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}

} // namespace

void complain(std::string_view program, std::string_view message) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(message.size()), message.data());
}

std::optional<std::vector<QuizEntry>> listFolder(std::string_view program, const std::string& folder,
                                                 const std::optional<std::string>& given,
                                                 std::vector<LeftOutFile>& leftOut) {
    auto tests = tryScanQuizFolder(folder, &leftOut);
    if (tests)
        return tests;
    // Named as given, without the "/" the tool adds, since it may be a file.
    const std::string named = given.value_or(folder);
    switch (folderFault(named)) {
    case FolderFault::Missing:
        complain(program, "нет каталога «" + named + "»");
        break;
    case FolderFault::NotFolder:
        complain(program, "«" + named + "» не каталог");
        break;
    case FolderFault::Unreadable:
        complain(program, "не удаётся прочитать каталог «" + named + "»");
        break;
    }
    return std::nullopt;
}

namespace {

std::string leftOutReason(const LeftOutFile& file) {
    switch (file.reason) {
    case LeftOutFile::Reason::Unreadable:
        return "не читается: " + systemReason(file.error);
    case LeftOutFile::Reason::NotRegular:
        return "не читается: это не обычный файл";
    case LeftOutFile::Reason::NoName:
        break;
    }
    return "без названия теста (\"Название теста\" в секции \"Тест\")";
}

} // namespace

bool reportLeftOut(std::string_view program, const std::vector<LeftOutFile>& leftOut, bool untitledToo) {
    bool unreadable = false;
    for (const LeftOutFile& file : leftOut) {
        const bool untitled = file.reason == LeftOutFile::Reason::NoName;
        if (untitled && !untitledToo)
            continue;
        // Appended in steps: GCC 12 at -O3 misreads "«" + ... as an
        // overlapping copy and -Werror stops the build.
        std::string line = "«";
        line += printableName(file.path);
        line += "» ";
        line += leftOutReason(file);
        line += ", пропущен";
        complain(program, line);
        unreadable = unreadable || !untitled;
    }
    return unreadable;
}

bool walkArguments(int argc, char** argv, CommonArguments& common, const TakeArgument& take) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--")
            optionsEnded = true;
        else if (!optionsEnded && (arg == "--help" || arg == "-h"))
            common.help = true;
        else if (!optionsEnded && arg == "--version")
            common.version = true;
        else if (!take(arg, optionsEnded, i))
            return false;
    }
    return true;
}

int toolMain(const ToolTexts& texts, int failure, const std::function<bool()>& parse,
             const CommonArguments& common, const std::function<int()>& run) {
    ::mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    ::mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    try {
        if (!parse())
            return failure;
        if (common.version)
            return print(texts.version) ? 0 : failure;
        if (common.help)
            return print(texts.usage) ? 0 : failure;
        return run();
    } catch (const std::exception& e) {
        complain(texts.program, e.what());
        return failure;
    }
}

} // namespace quizloom::tool
