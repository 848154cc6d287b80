// Runs quizloom-find as a teacher or a script would: grep-like lines, the
// choice of case and ё/е, the folder chosen as quizloom-check chooses it, and
// the exit status.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/ini_doc.h"
#include "support/passing_quiz.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

using quizloom::testing::IniDoc;
using quizloom::testing::passingQuiz;
using quizloom::testing::TempDir;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

using Outcome = quizloom::testing::ProgramOutcome;

Outcome runFind(const std::string& workingDir, const Lines& args) {
    return quizloom::testing::runProgram(QUIZLOOM_FIND_BINARY, workingDir, args);
}

class FindCliTest : public ::testing::Test {
protected:
    // b.ini is listed after a.ini (file-name order), whatever the test names.
    void makeBank(const std::string& folder) const {
        fs::create_directories(folder);
        passingQuiz("Ботаника", 3)
            .set("101", "Вопрос", "Где растёт Ёлка?")
            .set("103", "Вопрос", "Что такое лист?")
            .set("103", "Вариант №4", "ёлка")
            .write(folder + "/a.ini");
        passingQuiz("Алгебра", 2).set("102", "Вопрос", "Что за ЕЛКА в лесу?").write(folder + "/b.ini");
    }
    TempDir dir;
};

} // namespace

TEST_F(FindCliTest, PrintsOneLinePerMatchingQuestionAsGrepDoes) {
    makeBank(dir.file("bank"));
    const struct {
        Lines args;
        int status;
        std::string out;
    } cases[] = {
        // Without options both letter case and ё count.
        {{"ёлка"}, 0, "a.ini:1:3: Что такое лист?\n"},
        {{"Ёлка"}, 0, "a.ini:1:1: Где растёт Ёлка?\n"},
        {{"-i", "ЁЛКА"}, 0, "a.ini:1:1: Где растёт Ёлка?\na.ini:1:3: Что такое лист?\n"},
        {{"--yo", "елк"}, 0, "a.ini:1:3: Что такое лист?\n"},
        {{"-i", "--yo", "елк"},
         0,
         "a.ini:1:1: Где растёт Ёлка?\na.ini:1:3: Что такое лист?\nb.ini:1:2: Что за ЕЛКА в лесу?\n"},
        {{"елк"}, 1, ""},
        {{"нет такого"}, 1, ""},
    };
    for (const auto& c : cases) {
        Lines args = c.args;
        args.push_back("bank");
        const Outcome outcome = runFind(dir.path(), args);
        EXPECT_EQ(outcome.status, c.status) << args.front();
        EXPECT_EQ(outcome.out, c.out) << args.front();
        EXPECT_EQ(outcome.err, "") << args.front();
    }
}

TEST_F(FindCliTest, DefaultFolderIsTheTestsSubfolderWhenPresent) {
    makeBank(dir.file("Тесты"));
    passingQuiz("Вне").set("101", "Вопрос", "Ёлка снаружи").write(dir.file("outside.ini"));
    EXPECT_EQ(runFind(dir.path(), {"Ёлка"}).out, "a.ini:1:1: Где растёт Ёлка?\n");
    fs::remove_all(dir.file("Тесты"));
    EXPECT_EQ(runFind(dir.path(), {"Ёлка"}).out, "outside.ini:1:1: Ёлка снаружи\n");
}

TEST_F(FindCliTest, BadArgumentsAndFoldersFailInRussian) {
    passingQuiz("Алгебра").write(dir.file("a.ini"));
    const std::vector<Lines> failures = {
        {},        {""}, {"x", "missing"}, {"x", "a.ini"}, {"--bogus", "x"}, {"-I", "x"}, {"x", "one", "two"},
        {"x", ""},
    };
    for (const Lines& args : failures) {
        const Outcome outcome = runFind(dir.path(), args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("quizloom-find: ")) << outcome.err;
    }
    const struct {
        Lines args;
        std::string err;
    } messages[] = {
        {{"x", "missing"}, "quizloom-find: нет каталога «missing»\n"},
        {{"x", "a.ini"}, "quizloom-find: «a.ini» не каталог\n"},
        {{}, "quizloom-find: не задан текст для поиска (см. --help)\n"},
        {{"-I", "x"}, "quizloom-find: неизвестный параметр '-I' (см. --help)\n"},
    };
    for (const auto& m : messages)
        EXPECT_EQ(runFind(dir.path(), m.args).err, m.err);
    const Outcome help = runFind(dir.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Использование: quizloom-find [-i] [--yo] ТЕКСТ [КАТАЛОГ]\n"));
    EXPECT_EQ(runFind(dir.path(), {"--version"}).out, "quizloom-find 1.2\n");
    // "--" ends the options: a text may start with "-".
    passingQuiz("Минус").set("101", "Вопрос", "-5 или 5?").write(dir.file("m.ini"));
    EXPECT_EQ(runFind(dir.path(), {"--", "-5", "."}).out, "m.ini:1:1: -5 или 5?\n");
}

// A test that cannot be read is named and makes the status 2; the others are
// still searched.
TEST_F(FindCliTest, UnreadableTestsFailAfterTheSearch) {
    const std::string bank = dir.file("bank");
    makeBank(bank);
    ASSERT_EQ(::mkfifo((bank + "/fifo.ini").c_str(), 0644), 0);
    const Outcome outcome = runFind(dir.path(), {"Ёлка", bank});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "a.ini:1:1: Где растёт Ёлка?\n");
    EXPECT_EQ(outcome.err,
              "quizloom-find: «" + bank + "/fifo.ini» не читается: это не обычный файл, пропущен\n");
}

TEST_F(FindCliTest, ControlCharactersInNamesAndTextsShowAsQuestionMarks) {
    const std::string bank = dir.file("bank") + "/";
    fs::create_directories(bank);
    passingQuiz("Т").set("101", "Вопрос", "ёлка\tи ель").write(bank + "two\nlines.ini");
    EXPECT_EQ(runFind(dir.path(), {"ёлка", bank}).out, "two?lines.ini:1:1: ёлка?и ель\n");
}
