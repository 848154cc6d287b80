// Runs the installed command-line checker as a script guarding a bank would.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "core/bank/quiz_bank.h"
#include "core/checker/structure_check.h"
#include "core/text/cp1251.h"
#include "support/ini_doc.h"
#include "support/passing_quiz.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

using quizloom::testing::IniDoc;
using quizloom::testing::passingQuiz;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string kSep(182, '-');

using Outcome = quizloom::testing::ProgramOutcome;

Outcome runCheck(const std::string& workingDir, const Lines& args) {
    return quizloom::testing::runProgram(QUIZLOOM_CHECK_BINARY, workingDir, args);
}

std::string joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

Lines passingSection(const std::string& path, const std::string& name) {
    return {"Проверяем на ошибки структуру файла теста \"" + path + "\" ...",
            "Название теста - \"" + name + "\"", "Проверка вопросов-ответов:", "Пройдена успешно...", kSep};
}

class CheckCliTest : public ::testing::Test {
protected:
    // A bank of two tests: a.ini passes, b.ini lacks its discipline.
    void makeBank(const std::string& folder) const {
        fs::create_directories(folder);
        passingQuiz("Алгебра").write(folder + "/a.ini");
        passingQuiz("Физика").set("Тест", "Дисциплина", "").write(folder + "/b.ini");
    }
    Lines damagedSection(const std::string& path) const {
        Lines lines = passingSection(path, "Физика");
        lines.insert(lines.begin() + 1, "Не указана дисциплина (предмет)...");
        return lines;
    }
    TempDir dir;
};

Lines withTop(const std::string& summary, const std::vector<Lines>& sections) {
    Lines lines{"", kSep, summary, kSep};
    for (const Lines& section : sections)
        lines.insert(lines.end(), section.begin(), section.end());
    return lines;
}

} // namespace

TEST_F(CheckCliTest, ReportsOnlyDamagedTestsByDefault) {
    makeBank(dir.file("bank"));
    const Outcome outcome = runCheck(dir.path(), {dir.file("bank")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, joined(withTop("Проверено 2 файл(ов) с тестами, найдено ошибок структур: 1",
                                          {damagedSection(dir.file("bank") + "/b.ini")})));
    EXPECT_EQ(outcome.err, "");
}

TEST_F(CheckCliTest, AllReportsEveryTestAsTheCoreRunDoes) {
    makeBank(dir.file("bank"));
    const Outcome outcome = runCheck(dir.path(), {"--all", "bank/"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              joined(withTop("Проверено 2 файл(ов) с тестами, найдено ошибок структур: 1",
                             {passingSection("bank/a.ini", "Алгебра"), damagedSection("bank/b.ini")})));

    // The same lines as the core gives for the list the editor builds.
    Lines paths;
    for (const quizloom::QuizEntry& test : quizloom::scanQuizFolder(dir.file("bank") + "/"))
        paths.push_back(test.path);
    const auto run = quizloom::check::checkQuizzes(paths, {.printOnlyDamaged = false});
    EXPECT_EQ(runCheck(dir.path(), {dir.file("bank"), "--all"}).out,
              joined(quizloom::check::allFilesReport(run, paths.size())));
}

// A file name the code page cannot hold, or that is no UTF-8 at all, is
// printed as the report file holds it: valid UTF-8, the same lines.
TEST_F(CheckCliTest, FileNamesPrintAsTheReportFileHoldsThem) {
    const std::string bank = dir.file("bank") + "/";
    fs::create_directories(bank);
    passingQuiz("Ниппон").set("Тест", "Уровень", "").write(bank + "日本.ini");
    passingQuiz("Код").set("Тест", "Уровень", "").write(bank + "\xd2\xe5\xf1\xf2.ini");
    Lines paths;
    for (const quizloom::QuizEntry& test : quizloom::scanQuizFolder(bank))
        paths.push_back(test.path);
    ASSERT_EQ(paths.size(), 2u);
    const auto run = quizloom::check::checkQuizzes(paths, {.printOnlyDamaged = true});
    std::string fileText =
        quizloom::cp1251ToUtf8(quizloom::check::reportFileBytes(quizloom::check::allFilesReport(run, 2)));
    std::erase(fileText, '\r');

    const Outcome outcome = runCheck(dir.path(), {bank});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, fileText);
    EXPECT_NE(outcome.out.find("\"" + bank + "??.ini\""), std::string::npos);
    EXPECT_EQ(outcome.out.find("日本"), std::string::npos);
    EXPECT_EQ(outcome.out.find('\xd2'), std::string::npos);
}

TEST_F(CheckCliTest, CleanBankExitsWithZero) {
    fs::create_directory(dir.file("bank"));
    passingQuiz("Алгебра").write(dir.file("bank/a.ini"));
    // Folders, and links to them, are no tests and no fault of the bank.
    fs::create_directory(dir.file("bank/archive.ini"));
    fs::create_directory_symlink("archive.ini", dir.file("bank/old.ini"));
    const Outcome outcome = runCheck(dir.file("bank"), {"."});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, joined(withTop("Проверено 1 файл(ов) с тестами, найдено ошибок структур: 0", {})));
    EXPECT_EQ(runCheck(dir.file("bank"), {".", "--all"}).out,
              joined(withTop("Проверено 1 файл(ов) с тестами, найдено ошибок структур: 0",
                             {passingSection("./a.ini", "Алгебра")})));
}

TEST_F(CheckCliTest, FolderWithoutTestsIsAFailureWithSummary) {
    fs::create_directory(dir.file("bank"));
    IniDoc().set("Тест", "Рабочий каталог", "C:\\").write(dir.file("bank/settings.ini"));
    const Outcome outcome = runCheck(dir.path(), {"bank"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, joined(withTop("Проверено 0 файл(ов) с тестами, найдено ошибок структур: 0", {})));
    EXPECT_EQ(outcome.err,
              "quizloom-check: «bank/settings.ini» без названия теста (\"Название теста\" в секции "
              "\"Тест\"), пропущен\nquizloom-check: в каталоге «bank/» нет ни одного теста\n");
}

TEST_F(CheckCliTest, UnreadableFolderAndBadArgumentsFail) {
    passingQuiz("Алгебра").write(dir.file("a.ini"));
    const std::string badWorkers =
        "quizloom-check: после -j нужно число одновременных проверок от 1 до 1024 (см. --help)\n";
    const std::vector<std::pair<Lines, std::string>> failures = {
        {{"missing"}, "quizloom-check: нет каталога «missing»\n"},
        {{"a.ini"}, "quizloom-check: «a.ini» не каталог\n"},
        {{"--bogus"}, "quizloom-check: неизвестный ключ «--bogus» (см. --help)\n"},
        {{"-x"}, "quizloom-check: неизвестный ключ «-x» (см. --help)\n"},
        {{"one", "two"}, "quizloom-check: задано больше одного каталога (см. --help)\n"},
        {{""}, "quizloom-check: пустое имя каталога\n"},
        {{"-j", "0"}, badWorkers},
        {{"-jx"}, badWorkers},
        {{"-j"}, badWorkers},
        {{"-j", "2x"}, badWorkers},
    };
    for (const auto& [args, message] : failures) {
        SCOPED_TRACE(args.back());
        const Outcome outcome = runCheck(dir.path(), args);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, message);
    }
    const Outcome help = runCheck(dir.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Использование: quizloom-check [--all] [-j N] [КАТАЛОГ]\n", 0), 0u);
    const Outcome version = runCheck(dir.path(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quizloom-check 1.2\n");
    // "--" ends the options: a folder may start with "-".
    makeBank(dir.file("-bank"));
    EXPECT_EQ(runCheck(dir.path(), {"--", "-bank"}).status, 1);
}

TEST_F(CheckCliTest, DefaultFolderIsTheTestsSubfolderWhenPresent) {
    makeBank(dir.file("Тесты"));
    passingQuiz("Вне").set("Тест", "Уровень", "").write(dir.file("outside.ini"));
    const Outcome withSubfolder = runCheck(dir.path(), {});
    EXPECT_EQ(withSubfolder.status, 1);
    EXPECT_EQ(withSubfolder.out, joined(withTop("Проверено 2 файл(ов) с тестами, найдено ошибок структур: 1",
                                                {damagedSection("./Тесты/b.ini")})));

    fs::remove_all(dir.file("Тесты"));
    const Outcome here = runCheck(dir.path(), {});
    EXPECT_EQ(here.status, 1);
    EXPECT_NE(here.out.find("\"./outside.ini\" ..."), std::string::npos);
}

// Files the list leaves out are named on standard error with the reason;
// one that cannot be read makes the status 2, above the 1 of a damaged test.
TEST_F(CheckCliTest, FilesLeftOutAreNamedAndUnreadableOnesFail) {
    const std::string bank = dir.file("bank");
    makeBank(bank);
    // A byte-order mark before "[Тест]" hides the header: no test name.
    quizloom::testing::writeFileBytes(bank + "/bom.ini", "\xEF\xBB\xBF" + passingQuiz("Бом").bytes());
    const Outcome noName = runCheck(dir.path(), {bank});
    EXPECT_EQ(noName.status, 1);
    EXPECT_EQ(noName.err, "quizloom-check: «" + bank +
                              "/bom.ini» без названия теста "
                              "(\"Название теста\" в секции \"Тест\"), пропущен\n");

    ASSERT_EQ(::mkfifo((bank + "/fifo.ini").c_str(), 0644), 0);
    fs::create_symlink("nowhere.ini", bank + "/dangling.ini");
    fs::create_directory(bank + "/folder.ini");
    const Outcome unreadable = runCheck(dir.path(), {bank});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, noName.out);
    EXPECT_EQ(unreadable.err, "quizloom-check: «" + bank +
                                  "/bom.ini» без названия теста "
                                  "(\"Название теста\" в секции \"Тест\"), пропущен\n"
                                  "quizloom-check: «" +
                                  bank +
                                  "/dangling.ini» не читается: нет такого файла или каталога, пропущен\n"
                                  "quizloom-check: «" +
                                  bank + "/fifo.ini» не читается: это не обычный файл, пропущен\n");
    // Also when every listed test passes.
    fs::remove(bank + "/b.ini");
    EXPECT_EQ(runCheck(dir.path(), {bank}).status, 2);
}

// A line break in a file name would split its report line.
TEST_F(CheckCliTest, ControlCharactersInNamesShowAsQuestionMarks) {
    const std::string bank = dir.file("bank") + "/";
    fs::create_directories(bank);
    passingQuiz("Имя\tс табуляцией").set("Тест", "Уровень", "").write(bank + "two\nlines.ini");
    const Outcome outcome = runCheck(dir.path(), {bank});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("\"" + bank + "two?lines.ini\" ..."), std::string::npos);
    EXPECT_NE(outcome.out.find("Название теста - \"Имя?с табуляцией\""), std::string::npos);
}

// Workers change nothing in the output: the same bytes for any number.
TEST_F(CheckCliTest, OneAndManyWorkersPrintTheSameBytes) {
    const std::string bank = dir.file("bank") + "/";
    fs::create_directories(bank);
    for (int i = 0; i < 24; ++i) {
        IniDoc test = passingQuiz("Тест " + std::to_string(i));
        if (i % 3 == 1)
            test.set("Тест", "Уровень", "7");
        if (i % 5 == 2)
            test.remove("101", "Правильный ответ №1");
        test.write(bank + "t" + std::to_string(100 + i) + ".ini");
    }
    for (const Lines& mode : std::vector<Lines>{{}, {"--all"}}) {
        Lines one = mode;
        one.insert(one.end(), {"-j", "1", bank});
        const Outcome single = runCheck(dir.path(), one);
        EXPECT_EQ(single.status, 1);
        for (const std::string workers : {"2", "3", "8"}) {
            Lines many = mode;
            many.insert(many.end(), {"-j" + workers, bank});
            const Outcome parallel = runCheck(dir.path(), many);
            EXPECT_EQ(parallel.status, single.status);
            EXPECT_TRUE(parallel.out == single.out) << workers << " workers";
        }
        EXPECT_TRUE(runCheck(dir.path(), mode.empty() ? Lines{bank} : Lines{"--all", bank}).out ==
                    single.out);
    }
}
