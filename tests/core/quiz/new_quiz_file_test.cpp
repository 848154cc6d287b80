#include "core/quiz/new_quiz_file.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "core/ini/profile_file.h"
#include "core/text/error.h"
#include "support/temp_dir.h"

namespace quizloom::newquiz {
namespace {

using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;

TEST(NewTestFile, PathTakesTheNameAsTypedAndAlwaysAppendsIni) {
    EXPECT_EQ(quizFilePath("/bank/", "алгебра"), "/bank/алгебра.ini");
    EXPECT_EQ(quizFilePath("/bank/", "x.ini"), "/bank/x.ini.ini");
    EXPECT_EQ(quizFilePath("/bank/", "sub/y"), "/bank/sub/y.ini");
    EXPECT_EQ(quizFilePath("/bank/", " "), "/bank/ .ini");
}

TEST(NewTestFile, BackupReplacesTheExtensionAfterTheLastPointOfTheFileName) {
    EXPECT_EQ(backupPath("/bank/m.ini"), "/bank/m.BAK");
    EXPECT_EQ(backupPath("/bank/x.ini.ini"), "/bank/x.ini.BAK");
    EXPECT_EQ(backupPath("/bank.old/m"), "/bank.old/m.BAK"); // a point in a folder is not the extension
    EXPECT_EQ(backupPath("/bank/.ini"), "/bank/.BAK");
    EXPECT_EQ(backupPath("m.ini"), "m.BAK");
}

TEST(NewTestFile, MoveToBackupReplacesAnOlderBackup) {
    TempDir dir;
    writeFileBytes(dir.file("m.ini"), "new content\r\n");
    writeFileBytes(dir.file("m.BAK"), "older backup\r\n");
    moveToBackup(dir.file("m.ini"));
    EXPECT_FALSE(fileExistsAt(dir.file("m.ini")));
    EXPECT_EQ(readFileBytes(dir.file("m.BAK")), "new content\r\n");
}

TEST(NewTestFile, ImpossibleBackupIsAnErrorAndLeavesTheFileInPlace) {
    TempDir dir;
    writeFileBytes(dir.file("m.ini"), "only copy\r\n");
    std::filesystem::create_directories(dir.file("m.BAK") + "/inside");
    try {
        moveToBackup(dir.file("m.ini"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Не удалось создать резервную копию " + dir.file("m.BAK"));
    }
    EXPECT_EQ(readFileBytes(dir.file("m.ini")), "only copy\r\n");
}

TEST(NewTestFile, FoldersAreNotFilesAndFolderCreationFailsQuietly) {
    TempDir dir;
    EXPECT_FALSE(fileExistsAt(dir.path()));
    EXPECT_FALSE(fileExistsAt(dir.file("absent.ini")));
    writeFileBytes(dir.file("plain"), "");
    EXPECT_TRUE(fileExistsAt(dir.file("plain")));
    createFolder(dir.file("plain") + "/below/");
    EXPECT_FALSE(std::filesystem::exists(dir.file("plain") + "/below"));
    createFolder(dir.file("a/b/c") + "/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b/c")));
}

TEST(NewTestFile, NewFileHoldsOnlyTheTestName) {
    TempDir dir;
    writeNewQuizFile(dir.file("t.ini"), "Тест №1");
    EXPECT_EQ(readFileBytes(dir.file("t.ini")), "[\xD2\xE5\xF1\xF2]\r\n\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5 "
                                                "\xF2\xE5\xF1\xF2\xE0=\xD2\xE5\xF1\xF2 \xB9"
                                                "1\r\n");
    // A name of blanks is kept whole.
    writeNewQuizFile(dir.file("blank.ini"), "   ");
    EXPECT_EQ(ProfileFile(dir.file("blank.ini")).readString("Тест", "Название теста", "Error"), "   ");
    EXPECT_THROW(writeNewQuizFile(dir.file("missing/t.ini"), "T"), Error);
    EXPECT_FALSE(fileExistsAt(dir.file("missing/t.ini")));
}

} // namespace
} // namespace quizloom::newquiz
