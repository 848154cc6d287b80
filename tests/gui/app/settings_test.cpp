// Settings read at start-up and written at close; choosing another working
// directory.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <filesystem>

#include "core/ini/profile_file.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class Settings : public GuiWindowTest {
protected:
    std::string setting(const char* key) {
        return ProfileFile(settingsFile()).readString("Тест", key, "<missing>");
    }
    void addTest(const std::string& dir, const std::string& file, const std::string& name) {
        writeIni(dir + "/" + file, {{"Тест", "Название теста", name}, {"Тест", "Уровень", "1"}});
    }
};

TEST_F(Settings, FirstRunUsesTheTestsSubfolderAndCreatesTheFile) {
    const std::string tests = testsDir();
    open();
    EXPECT_EQ(window().workDir(), tests + "/");
    EXPECT_FALSE(form().NBoolOneTest->isChecked());
    EXPECT_TRUE(form().NPrintStatMin->isChecked());
    EXPECT_FALSE(form().NSimple->isChecked());
    EXPECT_FALSE(form().NPsiTest->isChecked());
    close();
    EXPECT_EQ(readFileUtf8(settingsFile()), "[Тест]\r\nРабочий каталог=" + tests +
                                                "/\r\nNBoolOneTest=0\r\nNPrintStatMin=1\r\n"
                                                "NSimple=0\r\nNPsiTest=0\r\n");
}

TEST_F(Settings, FirstRunWithoutTestsSubfolderUsesTheStartFolder) {
    open();
    EXPECT_EQ(window().workDir(), startDir() + "/");
    EXPECT_EQ(window().testCount(), 0);
}

TEST_F(Settings, DeletedDirectoryIsReplacedAndTheNewOneWritten) {
    const std::string tests = testsDir();
    writeSettings({{"", "Рабочий каталог", temp.file("gone") + "/"}});
    open();
    EXPECT_EQ(window().workDir(), tests + "/");
    close();
    EXPECT_EQ(setting("Рабочий каталог"), tests + "/");
}

TEST_F(Settings, ValuesFromTheFileReplaceTheFormsMarksAndComeBackUnchanged) {
    const std::string bank = temp.file("bank");
    std::filesystem::create_directories(bank);
    writeSettings({{"", "Рабочий каталог", bank + "/"},
                   {"", "NBoolOneTest", "yes"},
                   {"", "NPrintStatMin", "0"},
                   {"", "NSimple", "0x1"},
                   {"", "NPsiTest", "1"}});
    open();
    EXPECT_EQ(window().workDir(), bank + "/");
    EXPECT_FALSE(form().NBoolOneTest->isChecked());
    EXPECT_FALSE(form().NPrintStatMin->isChecked());
    EXPECT_TRUE(form().NSimple->isChecked());
    EXPECT_TRUE(form().NPsiTest->isChecked());
    form().NBoolOneTest->trigger(); // a toggle switches its own mark
    close();
    EXPECT_EQ(setting("Рабочий каталог"), bank + "/");
    EXPECT_EQ(setting("NBoolOneTest"), "1");
    EXPECT_EQ(setting("NPrintStatMin"), "0");
    EXPECT_EQ(setting("NSimple"), "1");
    EXPECT_EQ(setting("NPsiTest"), "1");
}

TEST_F(Settings, ChoosingAFileMakesItsFolderTheWorkingDirectory) {
    const std::string other = temp.file("Другие тесты");
    addTest(other, "b.ini", "Биология");
    addTest(other, "a.ini", "Алгебра");
    open();
    dialogs.openFileAnswers.push_back(QString::fromStdString(other + "/any.ini"));
    form().MenuChangeDir->trigger();

    const DialogCall call = dialogs.last(DialogKind::OpenFile);
    EXPECT_EQ(call.title.toStdString(), "Выберите любой файл в нужном Вам каталоге");
    EXPECT_EQ(call.text.toStdString(), "Файлы с тестами (*.ini)");
    EXPECT_EQ(call.detail.toStdString(), startDir());
    EXPECT_EQ(window().workDir(), other + "/");
    EXPECT_EQ(QDir::currentPath().toStdString(), startDir()) << "the process stays where it started";
    EXPECT_EQ(window().testCount(), 2);
    EXPECT_EQ(form().BoxSubject->currentText().toStdString(), "Алгебра");
    EXPECT_EQ(window().testPaths().at(window().currentTest()), other + "/a.ini");

    dialogs.openFileAnswers.push_back(std::nullopt);
    form().MenuChangeDir->trigger();
    EXPECT_EQ(QDir(dialogs.last(DialogKind::OpenFile).detail), QDir(QString::fromStdString(other)))
        << "the next dialog opens in the folder chosen";
    close();
    EXPECT_EQ(setting("Рабочий каталог"), other + "/");
}

TEST_F(Settings, CancellingChangesNothingButTheView) {
    addTest(testsDir(), "a.ini", "Алгебра");
    open();
    const std::string workDir = window().workDir();
    const int current = window().currentTest();
    window().SwitchView(true);
    ASSERT_FALSE(window().editorShown());
    dialogs.openFileAnswers.push_back(std::nullopt);
    form().MenuChangeDir->trigger();
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(window().workDir(), workDir);
    EXPECT_EQ(window().currentTest(), current);
    EXPECT_EQ(QDir::currentPath().toStdString(), startDir());
    EXPECT_EQ(dialogs.count(DialogKind::Error), 0);
}

} // namespace
} // namespace quizloom::testing
