#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/ini/profile_file.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

// The sixteen values the buffer carries, as the window shows them.
struct Shown {
    std::array<QString, 11> texts;
    std::array<bool, 5> marks;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    for (const QString& text : shown.texts)
        *out << '"' << text.toStdString() << "\" ";
    for (bool mark : shown.marks)
        *out << mark;
}

class CopyPasteTest : public GuiWindowTest {
protected:
    std::string algebra() { return testsDir() + "/a.ini"; }
    std::string biology() { return testsDir() + "/b.ini"; }

    void SetUp() override {
        // Level 1, options 2 and 4 marked correct.
        std::vector<IniEntry> header = fullHeader("Алгебра", "физика", "1", "2", "3");
        for (IniEntry& entry : header)
            if (entry.key == "Тип")
                entry.value = "один вариант ответа";
        writeIni(algebra(),
                 header + optionQuestion("101", "Сколько будет 2+2?",
                                         {"три", "четыре", "пять", "IV", "шесть"}, {"четыре", "IV"}));
        // Level 2 with its own thresholds.
        writeIni(biology(), {{"Тест", "Название теста", "Биология"},
                             {"Тест", "Дисциплина", "химия"},
                             {"Тест", "Тип", "много вариантов ответа"},
                             {"Тест", "Уровень", "2"},
                             {"Тест", "Количество вариантов", "4"},
                             {"Тест", "Количество вопросов", "6"},
                             {"Тест", "Оценка 5", "96"},
                             {"Тест", "Оценка 4", "86"},
                             {"Тест", "Оценка 3", "76"},
                             {"101", "Вопрос", "Что такое клетка?"},
                             {"101", "Правильный ответ №1", "единица жизни"},
                             {"102", "Вопрос", "Второй вопрос биологии"}});
        open();
    }

    // Entries are sorted: "Алгебра" first, "Биология" second.
    void pick(int entry) {
        form().BoxSubject->setCurrentIndex(entry);
        emit form().BoxSubject->activated(entry);
    }

    Shown shown() {
        auto& f = form();
        return {{f.EditDSubject->text(), f.EditType->currentText(), f.EditNumLevel->text(),
                 f.EditMaxVar->text(), f.EditMaxQue->text(), f.EditQue->text(), f.Edit1->text(),
                 f.Edit2->text(), f.Edit3->text(), f.Edit4->text(), f.Edit5->text()},
                {f.CheckBox1->isChecked(), f.CheckBox2->isChecked(), f.CheckBox3->isChecked(),
                 f.CheckBox4->isChecked(), f.CheckBox5->isChecked()}};
    }

    std::array<QString, 3> grades() {
        return {form().Edit_5->text(), form().Edit_4->text(), form().Edit_3->text()};
    }

    bool marksShown() {
        return !form().CheckBox1->isHidden() && !form().CheckBox5->isHidden() &&
               !form().LabelRigth->isHidden();
    }

    void copy() { form().CopyToBuf->trigger(); }
    void paste() { form().InsFromBuf->trigger(); }
    void undo() { form().InsertCancel->trigger(); }
};

const Shown kAlgebra101{{"физика", "один вариант ответа", "1", "2", "3", "Сколько будет 2+2?", "три",
                         "четыре", "пять", "IV", "шесть"},
                        {false, true, false, true, false}};

TEST_F(CopyPasteTest, PasteIntoAnotherTestCarriesQuestionAndDescriptiveHeader) {
    pick(0);
    ASSERT_EQ(shown(), kAlgebra101);
    copy();
    pick(1);
    ASSERT_EQ(form().EditNumLevel->text(), "2");
    ASSERT_FALSE(marksShown());
    const Shown biology101 = shown();

    window().SwitchView(true); // a report on screen gives way to the editor
    paste();
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(shown(), kAlgebra101);
    EXPECT_TRUE(window().pasteUndoAvailable());
    // Laid out for the pasted level at once: the marks pasted are the marks seen.
    EXPECT_TRUE(marksShown());
    EXPECT_EQ(form().GroupVar->title(), "Варианты ответа");
    // Not carried: thresholds, test name, position.
    EXPECT_EQ(grades(), (std::array<QString, 3>{"96", "86", "76"}));
    EXPECT_EQ(form().BoxSubject->currentText(), "Биология");
    EXPECT_EQ(form().EditNumVar->text(), "1");
    EXPECT_EQ(form().EditNumQue->text(), "1");

    // Undo gives back what the paste replaced, laid out for level 2 again.
    undo();
    EXPECT_EQ(shown().texts, biology101.texts);
    EXPECT_FALSE(marksShown());
    EXPECT_EQ(form().GroupVar->title(), "Правильные варианты ответа");
}

TEST_F(CopyPasteTest, PastedValuesReachTheFileOnlyThroughAnEditModeSave) {
    pick(0);
    copy();
    pick(1);
    const std::string before = readFileBytes(biology());
    paste();
    form().BtnPlusQ->click(); // read mode: nothing is written
    EXPECT_EQ(readFileBytes(biology()), before);

    form().BtnMinusQ->click();
    paste();
    form().RadioButtonEdit->click();
    form().BtnPlusQ->click();
    ProfileFile file(biology());
    EXPECT_EQ(file.readString("Тест", "Дисциплина", ""), "физика");
    EXPECT_EQ(file.readString("Тест", "Тип", ""), "один вариант ответа");
    EXPECT_EQ(file.readString("Тест", "Уровень", ""), "1");
    EXPECT_EQ(file.readString("Тест", "Количество вопросов", ""), "3");
    EXPECT_EQ(file.readString("Тест", "Оценка 5", ""), "96");
    EXPECT_EQ(file.readString("Тест", "Название теста", ""), "Биология");
    EXPECT_EQ(file.readString("101", "Вопрос", ""), "Сколько будет 2+2?");
    EXPECT_EQ(file.readString("101", "Вариант №4", ""), "IV");
    EXPECT_EQ(file.readString("101", "Правильный ответ №1", ""), "четыре");
    EXPECT_EQ(file.readString("101", "Правильный ответ №2", ""), "IV");
    EXPECT_EQ(form().EditNumQue->text(), "2");
}

TEST_F(CopyPasteTest, TwoPastesThenUndoGivesTheFirstPastesResultAgainAndAgain) {
    pick(0);
    copy();
    pick(1);
    paste();
    form().EditQue->setText("правка после первой вставки");
    form().CheckBox1->setChecked(true);
    const Shown afterFirst = shown();
    paste();
    EXPECT_EQ(shown(), kAlgebra101);
    undo();
    EXPECT_EQ(shown(), afterFirst);
    form().EditQue->setText("ещё правка");
    undo();
    EXPECT_EQ(shown(), afterFirst);
    EXPECT_TRUE(window().pasteUndoAvailable());
}

TEST_F(CopyPasteTest, UndoAfterMovingToAnotherQuestionDoesNothing) {
    pick(0);
    copy();
    pick(1);
    paste();
    form().BtnPlusQ->click();
    EXPECT_FALSE(window().pasteUndoAvailable());
    ASSERT_EQ(form().EditQue->text(), "Второй вопрос биологии");
    const Shown moved = shown();
    undo();
    EXPECT_EQ(shown(), moved);
}

// A paste before any copy used to empty the question, and the next save
// stored the empty question over the real one.
TEST_F(CopyPasteTest, PasteAndUndoAreDisabledUntilThereIsSomethingToPasteOrUndo) {
    pick(0);
    EXPECT_FALSE(form().InsFromBuf->isEnabled());
    EXPECT_FALSE(form().InsertCancel->isEnabled());
    const Shown before = shown();
    form().InsFromBuf->trigger();
    EXPECT_EQ(shown(), before);
    form().CopyToBuf->trigger();
    EXPECT_TRUE(form().InsFromBuf->isEnabled());
    EXPECT_FALSE(form().InsertCancel->isEnabled());
    form().InsFromBuf->trigger();
    EXPECT_TRUE(form().InsertCancel->isEnabled());
}

} // namespace
} // namespace quizloom::testing
