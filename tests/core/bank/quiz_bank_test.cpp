#include "core/bank/quiz_bank.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/text/unicode_lower.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

using quizloom::QuizEntry;
using quizloom::testing::IniDoc;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;
namespace fs = std::filesystem;

namespace {

class TestListTest : public ::testing::Test {
protected:
    std::string workDir() const { return dir.path() + "/"; }
    void addTest(std::string_view fileName, std::string_view testName) const {
        IniDoc().set("Тест", "Название теста", testName).write(dir.file(fileName));
    }
    std::vector<std::string> listedFiles() const {
        std::vector<std::string> files;
        for (const QuizEntry& test : quizloom::scanQuizFolder(workDir()))
            files.push_back(test.path.substr(workDir().size()));
        return files;
    }
    TempDir dir;
};

std::vector<std::string> inOrder(const std::vector<std::string>& names,
                                 const std::vector<std::size_t>& order) {
    std::vector<std::string> sorted;
    for (std::size_t i : order)
        sorted.push_back(names[i]);
    return sorted;
}

} // namespace

TEST_F(TestListTest, FilesAreListedByNameWithoutRegardToCaseThenByBytes) {
    for (const char* file : {"b.ini", "a.ini", "B2.INI", "A.ini", "Яблоко.ini", "ёж.ini", "Ёлка.ini", "Ж.ini",
                             "ж.ini", "Ω.ini", "ά.ini", "Éclair.ini", "eclair.ini"})
        addTest(file, file);
    // Lower-cased code point order: Latin, Latin-1, Greek, Cyrillic (ё after я).
    EXPECT_EQ(listedFiles(), (std::vector<std::string>{"A.ini", "a.ini", "b.ini", "B2.INI", "eclair.ini",
                                                       "Éclair.ini", "ά.ini", "Ω.ini", "Ж.ini", "ж.ini",
                                                       "Яблоко.ini", "ёж.ini", "Ёлка.ini"}));
    const auto tests = quizloom::scanQuizFolder(workDir());
    EXPECT_EQ(tests.front().path, workDir() + "A.ini");
    EXPECT_EQ(tests.front().name, "A.ini");
}

TEST_F(TestListTest, OnlyVisibleIniFilesAreScanned) {
    addTest("upper.INI", "Upper");
    addTest("mixed.iNi", "Mixed");
    addTest(".hidden.ini", "Hidden");
    addTest("notes.txt", "Text");
    addTest("archive.ini.bak", "Backup");
    addTest("a.ini.ini", "Double");
    fs::create_directory(dir.file("folder.ini"));
    fs::create_symlink(dir.file("upper.INI"), dir.file("link.ini"));
    fs::create_symlink(dir.file("nowhere.ini"), dir.file("broken.ini"));
    fs::create_symlink(dir.file("folder.ini"), dir.file("dirlink.ini"));
    EXPECT_EQ(listedFiles(), (std::vector<std::string>{"a.ini.ini", "link.ini", "mixed.iNi", "upper.INI"}));
}

TEST_F(TestListTest, FilesWithoutATestNameAreLeftOut) {
    addTest("a.ini", "Алгебра");
    addTest("error.ini", "Error");
    // A settings file in the folder: section "Тест" but no test name.
    IniDoc()
        .set("Тест", "Рабочий каталог", "C:\\Тесты\\")
        .set("Опции", "Psi", "0")
        .write(dir.file("Квизлум.INI"));
    writeFileBytes(dir.file("empty.ini"), "");
    writeFileBytes(dir.file("garbage.ini"), std::string("\0\xFF\r\n=\r\n[", 7));
    addTest("lower.ini", "error"); // only the exact text "Error" means missing
    EXPECT_EQ(listedFiles(), (std::vector<std::string>{"a.ini", "lower.ini"}));
}

TEST_F(TestListTest, NamesAreReadFromTheWindows1251File) {
    addTest("f.ini", "Физика ёмкость");
    const auto tests = quizloom::scanQuizFolder(workDir());
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].name, "Физика ёмкость");
}

TEST_F(TestListTest, DuplicateNamesKeepTheirOwnFiles) {
    addTest("b.ini", "Физика");
    addTest("a.ini", "Физика");
    const auto tests = quizloom::scanQuizFolder(workDir());
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[0].path, workDir() + "a.ini");
    EXPECT_EQ(tests[1].path, workDir() + "b.ini");
    EXPECT_EQ(quizloom::subjectDisplayOrder(tests), (std::vector<std::size_t>{0, 1}));
}

TEST_F(TestListTest, CurrentTestStartsAtTheLastEmptyName) {
    addTest("a.ini", "");
    addTest("b.ini", "Физика");
    addTest("c.ini", "");
    addTest("d.ini", "Алгебра");
    EXPECT_EQ(quizloom::initialCurrentQuiz(quizloom::scanQuizFolder(workDir())), 2);
    EXPECT_EQ(quizloom::initialCurrentQuiz({{"x", "Физика"}, {"y", "Алгебра"}}), 0);
    EXPECT_EQ(quizloom::initialCurrentQuiz({}), 0);
}

TEST_F(TestListTest, MissingOrUnreadableFolderGivesNoList) {
    EXPECT_TRUE(quizloom::scanQuizFolder(workDir() + "missing/").empty());
    EXPECT_FALSE(quizloom::tryScanQuizFolder(workDir() + "missing/").has_value());
    addTest("a.ini", "Алгебра");
    EXPECT_FALSE(quizloom::tryScanQuizFolder(dir.file("a.ini") + "/").has_value());
    fs::create_directory(dir.file("empty"));
    const auto empty = quizloom::tryScanQuizFolder(dir.file("empty") + "/");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
}

TEST(SubjectOrder, SortsWithoutCaseAndWithYoAsYeKeepingListOrderForTies) {
    const std::vector<std::string> names = {"Физика",  "ёлка",  "Алгебра", "ежи", "Елка",
                                            "алгебра", "Ёжики", "",        "Zoo", "apple"};
    const auto sorted = inOrder(names, quizloom::subjectDisplayOrder(names));
    EXPECT_EQ(sorted, (std::vector<std::string>{"", "apple", "Zoo", "Алгебра", "алгебра", "ежи", "Ёжики",
                                                "ёлка", "Елка", "Физика"}));
}

TEST(UnicodeLower, CoversTheScriptsOfTestNames) {
    EXPECT_EQ(quizloom::utf8ToLowerUnicode("ABC Ёж ЀЏ ÀÞ ĀŸŽ ΆΩ ӁԮ"),
              "abc ёж ѐџ àþ āÿž άω ӂԯ");
    EXPECT_EQ(quizloom::utf8ToLowerUnicode("ß ǅ 中"), "ß ǅ 中"); // outside the table: kept
    const std::string broken("A\xFF\xE3\x81Z\xC3", 6);           // not UTF-8: bytes kept
    EXPECT_EQ(quizloom::utf8ToLowerUnicode(broken), std::string("a\xFF\xE3\x81z\xC3", 6));
}

// A folder large enough to be read by several threads lists exactly as a
// small one does: tests and left-out files each in file-name order.
TEST_F(TestListTest, ALargeFolderIsListedInFileNameOrder) {
    std::vector<std::string> listed;
    std::vector<std::string> leftOut;
    for (int i = 99; i >= 0; --i) {
        const std::string file = "t" + std::to_string(1000 + i) + ".ini";
        if (i % 7 == 3) {
            writeFileBytes(dir.file(file), "[Тест]\r\n");
            leftOut.insert(leftOut.begin(), workDir() + file);
        } else {
            addTest(file, "Тест " + std::to_string(i));
            listed.insert(listed.begin(), file);
        }
    }
    std::vector<quizloom::LeftOutFile> left;
    const auto tests = quizloom::tryScanQuizFolder(workDir(), &left);
    ASSERT_TRUE(tests);
    std::vector<std::string> files;
    for (const QuizEntry& test : *tests) {
        files.push_back(test.path.substr(workDir().size()));
        EXPECT_EQ(test.name, "Тест " + std::to_string(std::stoi(files.back().substr(1)) - 1000));
    }
    EXPECT_EQ(files, listed);
    std::vector<std::string> leftPaths;
    for (const quizloom::LeftOutFile& file : left)
        leftPaths.push_back(file.path);
    EXPECT_EQ(leftPaths, leftOut);
}
