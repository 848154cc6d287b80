#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "core/ini/profile_file.h"
#include "core/text/cp1251.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

const std::array<std::string, 5> kOptions{"a", "b", "c", "d", "e"};

class QuestionIoTest : public GuiWindowTest {
protected:
    std::string path() { return testsDir() + "/t.ini"; }
    // Writes t.ini and returns its bytes.
    std::string bank(const std::vector<IniEntry>& entries) {
        writeIni(path(), entries);
        return readFileBytes(path());
    }
    std::string value(const std::string& section, const std::string& key) {
        return ProfileFile(path()).readString(section, key, "<none>");
    }
    void editMode() { form().RadioButtonEdit->click(); }
    std::array<QLineEdit*, 5> fields() {
        return {form().Edit1, form().Edit2, form().Edit3, form().Edit4, form().Edit5};
    }
    std::array<QCheckBox*, 5> marks() {
        return {form().CheckBox1, form().CheckBox2, form().CheckBox3, form().CheckBox4, form().CheckBox5};
    }
    std::vector<bool> checked() {
        std::vector<bool> states;
        for (QCheckBox* box : marks())
            states.push_back(box->isChecked());
        return states;
    }
    // Moves away and back, so the question is shown from the file again.
    void reshow() {
        form().BtnPlusQ->click();
        form().BtnMinusQ->click();
    }
};

TEST_F(QuestionIoTest, TheTypicalEditWritesExactlyTheQuestionKeys) {
    const std::string other = writeIni(testsDir() + "/a.ini", fullHeader("Алгебра", "алгебра"));
    const std::string otherBytes = readFileBytes(other);
    const std::string original =
        bank(fullHeader("Физика") + optionQuestion("102", "Второй вопрос", kOptions, {"c"})) +
        utf8ToCp1251("; примечание\r\n[Прочее]\r\n ключ = значение \r\n");
    writeFileBytes(path(), original);
    open();

    form().BoxSubject->setCurrentIndex(form().BoxSubject->findText("Физика"));
    emit form().BoxSubject->activated(form().BoxSubject->currentIndex());
    ASSERT_EQ(form().EditDSubject->text(), "физика");
    editMode();
    typeText(form().EditQue, "Сколько будет 2+2");
    const char* typed[] = {"3", "4", "5", "6", "7"};
    for (int k = 0; k < 5; ++k)
        typeText(fields()[k], typed[k]);
    form().CheckBox2->click();
    form().BtnPlusQ->click();

    EXPECT_EQ(readFileBytes(path()),
              original +
                  utf8ToCp1251("[101]\r\nВопрос=Сколько будет 2+2\r\nВариант №1=3\r\nВариант №2=4\r\n"
                               "Вариант №3=5\r\nВариант №4=6\r\nВариант №5=7\r\nПравильный ответ №1=4\r\n"));
    EXPECT_EQ(readFileBytes(other), otherBytes);
    EXPECT_EQ(form().EditNumQue->text(), "2");
    EXPECT_EQ(form().LabelQue->text(), "Номер вопроса в тесте: \"102\"");
    EXPECT_EQ(form().EditQue->text(), "Второй вопрос");
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(window().statusPanel(2)->text().toStdString(), path());
}

TEST_F(QuestionIoTest, ReadModeWritesNothing) {
    const std::string original = bank(fullHeader("Т") + optionQuestion("101", "Старый", kOptions, {"a"}));
    open();
    EXPECT_FALSE(form().BtnSave->isEnabled());
    EXPECT_FALSE(form().MenuSave->isEnabled());
    form().EditQue->setText("Новый");
    form().Edit_5->setText("50");
    form().BtnPlusQ->click();
    EXPECT_EQ(form().EditNumQue->text(), "2");
    form().BtnMinusQ->click();
    EXPECT_EQ(form().EditQue->text(), "Старый");
    EXPECT_EQ(form().Edit_5->text(), "90");
    EXPECT_EQ(readFileBytes(path()), original);
}

TEST_F(QuestionIoTest, LevelOneMarksRoundTripThroughAnswerTexts) {
    bank(fullHeader("Т") + optionQuestion("101", "В", {"x", "b", "x", "d", "e"}, {}));
    open();
    editMode();
    form().CheckBox1->click();
    form().CheckBox3->click();
    form().CheckBox5->click();
    form().BtnSave->click();
    EXPECT_EQ(value("101", "Правильный ответ №1"), "x");
    EXPECT_EQ(value("101", "Правильный ответ №2"), "x");
    EXPECT_EQ(value("101", "Правильный ответ №3"), "e");
    EXPECT_EQ(value("101", "Правильный ответ №4"), "<none>");
    reshow();
    // Equal texts are equally correct.
    EXPECT_EQ(checked(), (std::vector<bool>{true, false, true, false, true}));
}

TEST_F(QuestionIoTest, LevelTwoStoresTheFilledFieldsWithoutGaps) {
    bank(fullHeader("Т", "физика", "2"));
    open();
    EXPECT_TRUE(form().CheckBox1->isHidden());
    EXPECT_TRUE(form().LabelRigth->isHidden());
    EXPECT_FALSE(form().CheckBox1->isEnabled());
    EXPECT_EQ(form().GroupVar->title(), "Правильные варианты ответа");
    editMode();
    form().EditQue->setText("How much is 2 plus 2");
    form().Edit1->setText("4");
    form().Edit3->setText("four");
    form().BtnSave->click();
    EXPECT_EQ(value("101", "Правильный ответ №1"), "4");
    EXPECT_EQ(value("101", "Правильный ответ №2"), "four");
    EXPECT_EQ(value("101", "Вариант №1"), "<none>");
    reshow();
    std::vector<QString> shown;
    for (QLineEdit* field : fields())
        shown.push_back(field->text());
    EXPECT_EQ(shown, (std::vector<QString>{"4", "four", "", "", ""}));
}

TEST_F(QuestionIoTest, StaleCorrectAnswersAreRemovedAndOptionsStay) {
    // A repeated key, unseen behind the first, must not surface as an answer.
    writeFileBytes(path(), bank(fullHeader("Т") + optionQuestion("101", "В", kOptions, {"a", "b", "c"})) +
                               utf8ToCp1251("Правильный ответ №3=d\r\n"));
    open();
    editMode();
    ASSERT_EQ(checked(), (std::vector<bool>{true, true, true, false, false}));
    form().CheckBox2->click();
    form().CheckBox3->click();
    form().BtnSave->click();
    EXPECT_EQ(value("101", "Правильный ответ №1"), "a");
    EXPECT_EQ(value("101", "Правильный ответ №2"), "<none>");
    EXPECT_EQ(value("101", "Правильный ответ №3"), "<none>");

    form().EditNumLevel->setText("2");
    for (QLineEdit* field : {form().Edit2, form().Edit3, form().Edit5})
        field->clear();
    form().BtnSave->click();
    EXPECT_EQ(value("101", "Правильный ответ №1"), "a");
    EXPECT_EQ(value("101", "Правильный ответ №2"), "d");
    EXPECT_EQ(value("101", "Вариант №2"), "b");
    EXPECT_EQ(value("Тест", "Уровень"), "2");
}

TEST_F(QuestionIoTest, PsychoTestModeWritesOnlyTheQuestionAndTheOtherHeaderKeys) {
    const auto question = [](const std::string& text) {
        return optionQuestion("101", text, kOptions, {"a", "b"});
    };
    bank(fullHeader("Т") + question("Старый"));
    open();
    form().NPsiTest->setChecked(true);
    editMode();
    form().EditDSubject->setText("химия");
    form().Edit_5->setText("60");
    form().EditQue->setText("Новый");
    form().Edit1->setText("zzz");
    form().CheckBox1->click();
    form().BtnSave->click();
    EXPECT_EQ(readFileBytes(path()), iniBytes(fullHeader("Т", "химия") + question("Новый")));
    reshow();
    EXPECT_EQ(form().Edit1->text(), "a");
    EXPECT_EQ(checked(), (std::vector<bool>{true, true, false, false, false}));
}

TEST_F(QuestionIoTest, ChangingTheLevelLaysTheAnswerAreaOutAtOnce) {
    bank(fullHeader("Т") + optionQuestion("101", "В", kOptions, {"b"}));
    open();
    ASSERT_TRUE(form().CheckBox2->isChecked());
    form().EditNumLevel->setText("2");
    EXPECT_TRUE(form().CheckBox2->isHidden());
    EXPECT_EQ(form().GroupVar->title(), "Правильные варианты ответа");
    form().EditNumLevel->setText("1");
    EXPECT_FALSE(form().CheckBox2->isHidden());
    EXPECT_TRUE(form().CheckBox2->isEnabled());
    EXPECT_FALSE(form().LabelRigth->isHidden());
    EXPECT_EQ(form().GroupVar->title(), "Варианты ответа");
    // Marks the user did not see while level 2 was shown are not kept.
    EXPECT_EQ(checked(), std::vector<bool>(5, false));
}

TEST_F(QuestionIoTest, WithoutACurrentTestNothingIsReadOrWritten) {
    testsDir();
    open();
    editMode();
    form().EditQue->setText("текст");
    form().BtnSave->click();
    form().BtnPlusQ->click();
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(std::filesystem::is_empty(testsDir()));
    EXPECT_EQ(form().EditQue->text(), "текст");
    EXPECT_EQ(window().statusPanel(2)->text(), "");
}

TEST_F(QuestionIoTest, LongValuesAreShownAndSavedWhole) {
    const std::string longText(40000 * 2, 'x');
    const std::string original = bank(fullHeader("Т") + optionQuestion("101", longText, kOptions, {}));
    open();
    EXPECT_EQ(form().EditQue->text().size(), 80000);
    EXPECT_EQ(form().EditQue->cursorPosition(), 0); // its beginning is in view
    editMode();
    form().BtnSave->click();
    EXPECT_EQ(readFileBytes(path()), original);
}

TEST_F(QuestionIoTest, MenuSaveBringsTheEditorBackAndSaves) {
    bank(fullHeader("Т"));
    open();
    editMode();
    form().EditQue->setText("из меню");
    form().Memo1->setPlainText("отчёт");
    ASSERT_FALSE(window().editorShown());
    form().MenuSave->trigger();
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(value("101", "Вопрос"), "из меню");
}

TEST_F(QuestionIoTest, AFailedSaveIsReportedAndTheQuestionStays) {
    bank(fullHeader("Т"));
    open();
    editMode();
    const std::string file = path();
    std::filesystem::remove_all(testsDir());
    form().EditQue->setText("не сохранится");
    form().BtnPlusQ->click();
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.errorTexts()[0].toStdString(), "Unable to write to " + file + ".");
    EXPECT_EQ(form().EditNumQue->text(), "1");
    EXPECT_EQ(form().EditQue->text(), "не сохранится");
}

} // namespace
} // namespace quizloom::testing
