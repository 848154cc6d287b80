// The settings file: its place, its five keys, and the working directory
// chosen at start-up.
#include "core/bank/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "support/temp_dir.h"

namespace quizloom {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

TEST(SettingsPath, ReplacesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(settingsPathFor("/opt/bin/quizloom"), "/opt/bin/quizloom.INI");
    EXPECT_EQ(settingsPathFor("/opt/bin/quizloom.exe"), "/opt/bin/quizloom.INI");
    EXPECT_EQ(settingsPathFor("/opt/v1.2/quizloom"), "/opt/v1.2/quizloom.INI");
    EXPECT_EQ(settingsPathFor("/opt/quiz.loom.bin"), "/opt/quiz.loom.INI");
    EXPECT_EQ(settingsPathFor("quizloom"), "quizloom.INI");
}

TEST(SettingsPath, DirectoryPartEndsAtTheLastSlash) {
    EXPECT_EQ(directoryPart("/data/Тесты/any.ini"), "/data/Тесты/");
    EXPECT_EQ(directoryPart("/data/Тесты/"), "/data/Тесты/");
    EXPECT_EQ(directoryPart("any.ini"), "");
}

class SettingsLocation : public ::testing::Test {
protected:
    TempDir dir;
    std::string executable = dir.file("bin/quizloom");
    std::string portable = dir.file("bin/quizloom.INI");
    std::string user = dir.file("config") + "/quizloom/quizloom.ini";
    void SetUp() override { std::filesystem::create_directories(dir.file("bin")); }
};

TEST_F(SettingsLocation, TheUsersFileUnlessAPortableOneLiesBesideTheExecutable) {
    EXPECT_EQ(chooseSettingsPath(executable, dir.file("config")), user);
    EXPECT_FALSE(std::filesystem::exists(dir.file("config"))) << "choosing creates nothing";
    writeFileBytes(portable, "");
    EXPECT_EQ(chooseSettingsPath(executable, dir.file("config")), portable);
    EXPECT_EQ(readFileBytes(portable), "") << "looking at it changes nothing";
    std::filesystem::remove(portable);
    std::filesystem::create_directories(portable);
    EXPECT_EQ(chooseSettingsPath(executable, dir.file("config")), user) << "a folder is no file";
    EXPECT_EQ(chooseSettingsPath(executable, ""), portable) << "no configuration folder at all";
}

TEST_F(SettingsLocation, AReadOnlyPortableFileIsPassedOver) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    writeFileBytes(portable, "[Тест]\r\n");
    std::filesystem::permissions(portable, std::filesystem::perms::owner_read);
    EXPECT_EQ(chooseSettingsPath(executable, dir.file("config")), user);
}

class SettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("quizloom.INI");
    void write(const std::string& utf8) { writeFileBytes(path, utf8ToCp1251(utf8)); }
};

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
    const ProgramSettings s = loadSettings(path);
    EXPECT_EQ(s.workDir, "Error");
    EXPECT_EQ(s.flags, (std::array<bool, 4>{false, true, false, false}));
    EXPECT_FALSE(std::filesystem::exists(path)) << "reading creates nothing";
}

TEST_F(SettingsFile, FlagsAreWholeNumbersAndOtherTextsKeepTheDefault) {
    write("[Тест]\r\nNBoolOneTest=yes\r\nNPrintStatMin=0\r\nNSimple=0x1\r\nNPsiTest=-7\r\n");
    EXPECT_EQ(loadSettings(path).flags, (std::array<bool, 4>{false, false, true, true}));
    write("[тест]\r\nNBoolOneTest=1\r\nNPrintStatMin=\r\nNSimple= 2\r\n");
    EXPECT_EQ(loadSettings(path).flags, (std::array<bool, 4>{true, true, true, false}));
}

TEST_F(SettingsFile, SavedFileHoldsTheFiveKeysInWindows1251) {
    ProgramSettings s;
    s.workDir = "/home/учитель/Тесты/any.ini"; // only the directory part is kept
    s.flags = {true, false, true, false};
    saveSettings(path, s);
    EXPECT_EQ(readFileBytes(path),
              utf8ToCp1251("[Тест]\r\nРабочий каталог=/home/учитель/Тесты/\r\nNBoolOneTest=1\r\n"
                           "NPrintStatMin=0\r\nNSimple=1\r\nNPsiTest=0\r\n"));
    const ProgramSettings back = loadSettings(path);
    EXPECT_EQ(back.workDir, "/home/учитель/Тесты/");
    EXPECT_EQ(back.flags, s.flags);
}

TEST_F(SettingsFile, SavingKeepsTheRestOfAnExistingFile) {
    write("; мои заметки\r\n[Другое]\r\nx=1\r\n[Тест]\r\nNSimple=1\r\n");
    ProgramSettings s;
    s.workDir = "/d/";
    saveSettings(path, s);
    EXPECT_EQ(cp1251ToUtf8(readFileBytes(path)),
              "; мои заметки\r\n[Другое]\r\nx=1\r\n[Тест]\r\nNSimple=0\r\nРабочий каталог=/d/\r\n"
              "NBoolOneTest=0\r\nNPrintStatMin=1\r\nNPsiTest=0\r\n");
}

// The overview's option: read from its own key; written only once it was
// set or when the file holds it already, so other files keep their bytes.
TEST_F(SettingsFile, TheOverviewOptionIsAKeyOfItsOwn) {
    const std::string keys = "[Тест]\r\nРабочий каталог=/d/\r\nNBoolOneTest=0\r\nNPrintStatMin=1\r\n"
                             "NSimple=0\r\nNPsiTest=0\r\n";
    const struct {
        const char* before; // "": no file
        bool shown;
        std::string after;
    } cases[] = {
        {"", false, keys},
        {"", true, keys + "NOverview=1\r\n"},
        {"[Тест]\r\nNOverview=1\r\n", false,
         "[Тест]\r\nNOverview=0\r\nРабочий каталог=/d/\r\n"
         "NBoolOneTest=0\r\nNPrintStatMin=1\r\nNSimple=0\r\nNPsiTest=0\r\n"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        if (*c.before)
            write(c.before);
        ProgramSettings s;
        s.workDir = "/d/";
        s.overviewShown = c.shown;
        saveSettings(path, s);
        EXPECT_EQ(cp1251ToUtf8(readFileBytes(path)), c.after) << c.before << c.shown;
        EXPECT_EQ(loadSettings(path).overviewShown, c.shown);
    }
    write("[Тест]\r\nNOverview=x\r\n");
    EXPECT_FALSE(loadSettings(path).overviewShown) << "another text keeps the default";
}

TEST_F(SettingsFile, ADirectoryTheFileCannotHoldIsStoredWithQuestionMarks) {
    ProgramSettings s;
    s.workDir = "/data/日本/";
    saveSettings(path, s);
    EXPECT_EQ(loadSettings(path).workDir, "/data/?"
                                          "?/");
    // Line breaks in a folder name would otherwise fail the whole save.
    s.workDir = std::string("/data/a\nb\rc\0d/", 14);
    s.flags = {true, true, true, true};
    saveSettings(path, s);
    EXPECT_EQ(loadSettings(path).workDir, "/data/a?b?c?d/");
    EXPECT_EQ(loadSettings(path).flags, s.flags);
}

TEST_F(SettingsFile, TheFirstSaveCreatesTheMissingFolders) {
    const std::string nested = dir.file("config") + "/quizloom/quizloom.ini";
    ProgramSettings s;
    s.workDir = "/d/";
    saveSettings(nested, s);
    EXPECT_EQ(loadSettings(nested).workDir, "/d/");
}

TEST_F(SettingsFile, UnwritableFileFailsWithItsPath) {
    writeFileBytes(dir.file("plain"), "x");
    const std::string bad = dir.file("plain") + "/quizloom.INI";
    try {
        saveSettings(bad, ProgramSettings{});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + bad);
    }
}

class WorkDirChoice : public ::testing::Test {
protected:
    TempDir dir;
    std::string start = dir.file("start");
    void SetUp() override { std::filesystem::create_directories(start); }
};

TEST_F(WorkDirChoice, RememberedDirectoryThatExistsIsKept) {
    std::filesystem::create_directories(dir.file("bank"));
    EXPECT_EQ(resolveWorkDir(dir.file("bank") + "/", start), dir.file("bank") + "/");
    // Edited by hand without the final "/": completed.
    EXPECT_EQ(resolveWorkDir(dir.file("bank"), start), dir.file("bank") + "/");
}

TEST_F(WorkDirChoice, MissingOrDeletedDirectoryFallsBackToTestsThenToTheStartFolder) {
    std::filesystem::create_directories(start + "/Тесты");
    EXPECT_EQ(resolveWorkDir("Error", start), start + "/Тесты/");
    EXPECT_EQ(resolveWorkDir(dir.file("deleted") + "/", start), start + "/Тесты/");
    EXPECT_EQ(resolveWorkDir("", start), start + "/Тесты/");
    std::filesystem::remove(start + "/Тесты");
    EXPECT_EQ(resolveWorkDir("Error", start), start + "/");
    EXPECT_EQ(resolveWorkDir("Error", "/"), "/");
    EXPECT_FALSE(std::filesystem::exists(start + "/Тесты")) << "nothing is created";
}

TEST_F(WorkDirChoice, AFileIsNotADirectory) {
    writeFileBytes(dir.file("file.ini"), "");
    EXPECT_EQ(resolveWorkDir(dir.file("file.ini"), start), start + "/");
}

} // namespace
} // namespace quizloom
