#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "core/ini/profile_file.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class NewTestTest : public GuiWindowTest {
protected:
    std::string bank_ = testsDir(); // once: testsDir() would make the folder again
    const std::string& bank() const { return bank_; }
    std::string biology() { return bank() + "/b.ini"; }
    std::string maths() { return bank() + "/m.ini"; }

    void SetUp() override {
        writeIni(biology(), fullHeader("Биология") +
                                optionQuestion("101", "Что такое клетка?", {"a", "b", "c", "d", "e"}, {"a"}));
        writeIni(maths(), fullHeader("Математика", "математика"));
        open();
        ASSERT_EQ(window().testCount(), 2);
        ASSERT_EQ(window().workDir(), bank() + "/");
    }

    // Scripts the answers of one "&Новый" and chooses it.
    void newTest(std::optional<QString> name, std::optional<QString> file = std::nullopt,
                 std::optional<bool> replace = std::nullopt) {
        dialogs.inputAnswers.push_back(name);
        if (name && !name->isEmpty() && *name != "Error")
            dialogs.inputAnswers.push_back(file);
        if (replace)
            dialogs.confirmAnswers.push_back(*replace);
        form().NewTest->trigger();
        EXPECT_TRUE(dialogs.inputAnswers.empty()) << "a dialog scripted was not shown";
        EXPECT_TRUE(dialogs.confirmAnswers.empty()) << "the confirmation scripted was not shown";
    }

    std::vector<DialogCall> inputs() {
        std::vector<DialogCall> found;
        for (const DialogCall& call : dialogs.calls)
            if (call.kind == DialogKind::Input)
                found.push_back(call);
        return found;
    }

    // What must not move when an operation stops.
    struct ListState {
        int count, current;
        QStringList entries;
        QString shown, question;
        bool editMode;
        bool operator==(const ListState&) const = default;
    };
    ListState listState() {
        QStringList entries;
        for (int i = 0; i < form().BoxSubject->count(); ++i)
            entries << form().BoxSubject->itemText(i);
        return {window().testCount(),
                window().currentTest(),
                entries,
                form().BoxSubject->currentText(),
                form().EditQue->text(),
                form().RadioButtonEdit->isChecked()};
    }

    std::vector<std::string> bankFiles() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(bank()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    QString appTitle() { return TFormQuizloom::applicationTitle(); }
};

TEST_F(NewTestTest, CreatesTheFileAndMakesItTheCurrentTestInEditMode) {
    window().SwitchView(true);
    newTest(QString("Физика"), QString("phys"));

    ASSERT_EQ(inputs().size(), 2u);
    EXPECT_EQ(inputs()[0].title, "Введите");
    EXPECT_EQ(inputs()[0].text, "Название теста:");
    EXPECT_EQ(inputs()[0].detail, "Тестирование");
    EXPECT_EQ(inputs()[1].title, "Введите");
    EXPECT_EQ(inputs()[1].text, "Имя файла:");
    EXPECT_EQ(inputs()[1].detail, "Имя файла");

    const std::string path = bank() + "/phys.ini";
    EXPECT_EQ(readFileBytes(path), iniBytes({{"Тест", "Название теста", "Физика"}}));
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(window().testCount(), 3);
    EXPECT_EQ(window().currentTest(), 2);
    EXPECT_EQ(window().testPaths()[2], path);
    EXPECT_EQ(window().testNames()[2], "Физика");
    ASSERT_EQ(form().BoxSubject->count(), 3);
    EXPECT_EQ(form().BoxSubject->itemText(2), "Физика");
    EXPECT_EQ(form().BoxSubject->currentIndex(), 2);
    EXPECT_EQ(form().BoxSubject->currentText(), "Физика");
    EXPECT_TRUE(form().RadioButtonEdit->isChecked());
    EXPECT_TRUE(form().BtnSave->isEnabled());
    EXPECT_TRUE(form().MenuSave->isEnabled());
    // The header of a file that holds only its name shows the defaults.
    EXPECT_EQ(form().EditDSubject->text(), "физиология");
    EXPECT_EQ(form().EditType->currentText(), "много вариантов ответа");
    EXPECT_EQ(form().EditNumLevel->text(), "1");
    EXPECT_EQ(form().EditMaxVar->text(), "5");
    EXPECT_EQ(form().EditMaxQue->text(), "5");
    EXPECT_EQ(form().Edit_5->text(), "95");
    EXPECT_EQ(form().EditQue->text(), "");
    EXPECT_EQ(window().statusPanel(2)->text().toStdString(), path);

    // Saving in the edit mode the operation switched on writes header and question.
    form().EditQue->setText("Первый вопрос физики");
    form().BtnSave->click();
    ProfileFile file(path);
    EXPECT_EQ(file.readString("Тест", "Название теста", ""), "Физика");
    EXPECT_EQ(file.readString("Тест", "Дисциплина", ""), "физиология");
    EXPECT_EQ(file.readString("101", "Вопрос", ""), "Первый вопрос физики");
}

TEST_F(NewTestTest, CancelInEitherDialogChangesNothingButRemembersWhatWasConfirmed) {
    const ListState before = listState();
    const auto filesBefore = bankFiles();
    newTest(std::nullopt);
    EXPECT_EQ(inputs().size(), 1u);
    newTest(QString("Химия"), std::nullopt);
    EXPECT_EQ(listState(), before);
    EXPECT_EQ(bankFiles(), filesBefore);
    EXPECT_TRUE(dialogs.calls.size() == 3u && dialogs.count(DialogKind::Message) == 0);

    // The next use offers the name confirmed before the cancel, and the
    // file name still as it started.
    newTest(QString("Химия 2"), QString("chem"));
    ASSERT_EQ(inputs().size(), 5u);
    EXPECT_EQ(inputs()[3].detail, "Химия");
    EXPECT_EQ(inputs()[4].detail, "Имя файла");
    newTest(std::nullopt);
    EXPECT_EQ(inputs()[5].detail, "Химия 2");
}

TEST_F(NewTestTest, EmptyAndErrorNamesAreRefusedWithAMessage) {
    const ListState before = listState();
    const auto filesBefore = bankFiles();
    for (const char* refused : {"", "Error"}) {
        dialogs.clear();
        newTest(QString(refused));
        ASSERT_EQ(dialogs.count(DialogKind::Message), 1) << refused;
        EXPECT_EQ(dialogs.last(DialogKind::Message).text, "Ошибка ввода названия теста!");
        EXPECT_EQ(dialogs.last(DialogKind::Message).title, appTitle());
        EXPECT_EQ(inputs().size(), 1u) << "no file-name dialog after a refused name";
    }
    dialogs.clear();
    newTest(QString("Химия"), QString(""));
    EXPECT_EQ(inputs()[0].detail, "Error") << "the refused text was still remembered";
    EXPECT_EQ(dialogs.last(DialogKind::Message).text, "Ошибка ввода имени файла!");
    EXPECT_EQ(listState(), before);
    EXPECT_EQ(bankFiles(), filesBefore);

    dialogs.clear();
    newTest(std::nullopt);
    EXPECT_EQ(inputs()[0].detail, "Химия");
    dialogs.inputAnswers.push_back(QString("Химия"));
    dialogs.inputAnswers.push_back(std::nullopt);
    form().NewTest->trigger();
    EXPECT_EQ(inputs()[2].detail, "") << "an empty file name is remembered too";
}

TEST_F(NewTestTest, ReplacingAFileKeepsItsContentInTheBackup) {
    const std::string original = readFileBytes(maths());
    const ListState before = listState();

    newTest(QString("Новая математика"), QString("m"), false);
    EXPECT_EQ(dialogs.last(DialogKind::Confirm).title, "Подтверждение");
    EXPECT_EQ(dialogs.last(DialogKind::Confirm).text.toStdString(), "Переписать файл " + maths() + "?");
    EXPECT_EQ(readFileBytes(maths()), original);
    EXPECT_FALSE(fileExists(bank() + "/m.BAK"));
    EXPECT_EQ(listState(), before);

    newTest(QString("Новая математика"), QString("m"), true);
    EXPECT_EQ(readFileBytes(bank() + "/m.BAK"), original);
    EXPECT_EQ(readFileBytes(maths()), iniBytes({{"Тест", "Название теста", "Новая математика"}}));
    // The list is read again: the replaced file's entry shows its new name.
    EXPECT_EQ(window().testCount(), 2);
    EXPECT_EQ(window().testPaths()[window().currentTest()], maths());
    EXPECT_EQ(window().testNames()[window().currentTest()], "Новая математика");
    EXPECT_EQ(form().BoxSubject->count(), 2);
    EXPECT_EQ(form().BoxSubject->currentText(), "Новая математика");

    // A second replace puts the first replacement into the backup.
    const std::string first = readFileBytes(maths());
    newTest(QString("Третья математика"), QString("m"), true);
    EXPECT_EQ(readFileBytes(bank() + "/m.BAK"), first);
    EXPECT_EQ(readFileBytes(maths()), iniBytes({{"Тест", "Название теста", "Третья математика"}}));
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(NewTestTest, ABackupThatCannotBeMadeStopsBeforeAnythingIsWritten) {
    const std::string original = readFileBytes(maths());
    std::filesystem::create_directories(bank() + "/m.BAK/occupied");
    const ListState before = listState();
    newTest(QString("Новая математика"), QString("m"), true);
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.errorTexts()[0].toStdString(),
              "Не удалось создать резервную копию " + bank() + "/m.BAK.");
    EXPECT_EQ(readFileBytes(maths()), original);
    EXPECT_EQ(listState(), before);
}

TEST_F(NewTestTest, AWriteThatFailsLeavesTheListAndTheWindowUnchanged) {
    form().BoxSubject->setCurrentIndex(1);
    emit form().BoxSubject->activated(1);
    const ListState before = listState();
    // The working directory is gone, and a file stands where it was, so it
    // cannot be created again.
    std::filesystem::rename(bank(), temp.file("moved"));
    writeFileBytes(bank(), "not a folder");

    newTest(QString("Физика"), QString("phys"));
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.errorTexts()[0].toStdString(), "Unable to write to " + bank() + "/phys.ini.");
    EXPECT_EQ(listState(), before);
    EXPECT_FALSE(form().BtnSave->isEnabled());

    // A file name with a folder part that does not exist fails the same way.
    std::filesystem::remove(bank());
    std::filesystem::rename(temp.file("moved"), bank());
    newTest(QString("Физика"), QString("нет такой папки/phys"));
    EXPECT_EQ(dialogs.errorTexts().size(), 2u);
    EXPECT_EQ(listState(), before);
}

TEST_F(NewTestTest, ANameAlreadyListedGetsItsOwnEntry) {
    newTest(QString("Биология"), QString("b2"));
    ASSERT_EQ(form().BoxSubject->count(), 3);
    EXPECT_EQ(form().BoxSubject->itemText(0), "Биология");
    EXPECT_EQ(form().BoxSubject->itemText(1), "Биология");
    EXPECT_EQ(form().BoxSubject->currentIndex(), 1) << "the later of the equal names is the new one";
    EXPECT_EQ(form().BoxSubject->itemData(1).toInt(), 2);
    EXPECT_EQ(window().currentTest(), 2);
    EXPECT_EQ(form().EditQue->text(), "") << "the new, empty file is shown, not the old test";

    // A name of blanks is accepted and written unchanged.
    newTest(QString("   "), QString("blank"));
    EXPECT_EQ(ProfileFile(bank() + "/blank.ini").readString("Тест", "Название теста", "Error"), "   ");
    EXPECT_EQ(window().currentTest(), 3);
}

} // namespace
} // namespace quizloom::testing
