#include <QComboBox>
#include <QLineEdit>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class HeaderFieldsTest : public GuiWindowTest {
protected:
    void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        typeText(edit, text);
    }
};

TEST_F(HeaderFieldsTest, TypedTextsAreCorrectedUnderTheCursor) {
    testsDir();
    open();
    form().RadioButtonEdit->setChecked(true); // read mode takes no typing
    Ui::TFormQuizloom& f = form();
    retype(f.EditMaxVar, "60");
    EXPECT_EQ(f.EditMaxVar->text(), "50");
    retype(f.EditMaxQue, "300");
    EXPECT_EQ(f.EditMaxQue->text(), "99");
    retype(f.Edit_4, "-");
    EXPECT_EQ(f.Edit_4->text(), "85");
    retype(f.EditNumLevel, "3");
    EXPECT_EQ(f.EditNumLevel->text(), "2");
    f.EditMaxVar->selectAll();
    pressKey(f.EditMaxVar, Qt::Key_Backspace);
    EXPECT_EQ(f.EditMaxVar->text(), "5");
    f.EditDSubject->selectAll();
    pressKey(f.EditDSubject, Qt::Key_Delete);
    EXPECT_EQ(f.EditDSubject->text(), "Физиология");
}

TEST_F(HeaderFieldsTest, TextsSetByTheProgramAreCorrectedToo) {
    testsDir();
    open();
    Ui::TFormQuizloom& f = form();
    f.EditNumVar->setText("9");
    EXPECT_EQ(f.EditNumVar->text(), "5");
    // A lower bound corrects the position only when the position changes.
    f.EditMaxVar->setText("3");
    EXPECT_EQ(f.EditNumVar->text(), "5");
    f.EditNumVar->setText("4");
    EXPECT_EQ(f.EditNumVar->text(), "3");
    f.EditNumQue->setText("-1");
    EXPECT_EQ(f.EditNumQue->text(), "1");
    f.EditNumLevel->setText("01");
    EXPECT_EQ(f.EditNumLevel->text(), "1");
    f.Edit_5->setText("120");
    EXPECT_EQ(f.Edit_5->text(), "100");
}

TEST_F(HeaderFieldsTest, ValuesFromTheFileAreCorrectedWhenShown) {
    writeIni(testsDir() + "/t.ini", {{"Тест", "Название теста", "Т"},
                                     {"Тест", "Дисциплина", ""},
                                     {"Тест", "Тип", "странный тип"},
                                     {"Тест", "Уровень", "3"},
                                     {"Тест", "Количество вариантов", "x"},
                                     {"Тест", "Количество вопросов", "150"},
                                     {"Тест", "Оценка 5", "120"}});
    open();
    Ui::TFormQuizloom& f = form();
    EXPECT_EQ(f.EditDSubject->text(), "Физиология");
    EXPECT_EQ(f.EditType->currentText(), "странный тип");
    EXPECT_EQ(f.EditNumLevel->text(), "2");
    EXPECT_EQ(f.EditMaxVar->text(), "5");
    EXPECT_EQ(f.EditMaxQue->text(), "99");
    EXPECT_EQ(f.Edit_5->text(), "100");
    EXPECT_EQ(f.Edit_4->text(), "85");
}

TEST_F(HeaderFieldsTest, TheTypeFollowsTheUserOnly) {
    testsDir();
    open();
    form().RadioButtonEdit->setChecked(true);
    QComboBox* type = form().EditType;
    type->setCurrentIndex(1);
    emit type->activated(1);
    EXPECT_EQ(type->currentText(), "один вариант ответа");
    typeText(type->lineEdit(), "!");
    EXPECT_EQ(type->currentText(), "много вариантов ответа");
    type->setEditText("не проверяется");
    EXPECT_EQ(type->currentText(), "не проверяется");
}

} // namespace
} // namespace quizloom::testing
