// Which events reach which handler: typed and picked texts of the combo
// boxes, program-set radio buttons, the report box.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class Wiring : public GuiWindowTest {
protected:
    void SetUp() override {
        writeIni(testsDir() + "/a.ini", {{"Тест", "Название теста", "Алгебра"}});
        writeIni(testsDir() + "/b.ini", {{"Тест", "Название теста", "Биология"}});
        open();
    }
    std::string currentPath() { return window().testPaths().at(window().currentTest()); }
};

TEST_F(Wiring, TestBoxFollowsTheUserNotTheProgram) {
    QComboBox* box = form().BoxSubject;
    ASSERT_EQ(currentPath(), testsDir() + "/a.ini");
    box->setEditText("Биология"); // set by the program: no handler
    EXPECT_EQ(currentPath(), testsDir() + "/a.ini");

    box->lineEdit()->clear();
    typeText(box->lineEdit(), "Биология");
    EXPECT_EQ(currentPath(), testsDir() + "/b.ini");

    box->setCurrentIndex(0);
    emit box->activated(0); // what picking the entry does
    EXPECT_EQ(currentPath(), testsDir() + "/a.ini");
    EXPECT_EQ(box->count(), 2);
}

TEST_F(Wiring, CheckingARadioButtonFromTheProgramRunsItsHandler) {
    form().RadioButtonEdit->setChecked(true);
    EXPECT_TRUE(form().BtnSave->isEnabled());
    EXPECT_TRUE(form().MenuSave->isEnabled());
    form().RadioButtonRead->click();
    EXPECT_FALSE(form().BtnSave->isEnabled());
    EXPECT_FALSE(form().MenuSave->isEnabled());
}

TEST_F(Wiring, ReportTextBringsUpTheReportViewAndTheMenuTakesItAway) {
    form().Memo1->setPlainText("отчёт");
    EXPECT_FALSE(window().editorShown());
    EXPECT_TRUE(form().Panel2->isHidden());
    form().NClearStat->trigger();
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(form().Memo1->toPlainText().toStdString(), "отчёт");
}

} // namespace
} // namespace quizloom::testing
