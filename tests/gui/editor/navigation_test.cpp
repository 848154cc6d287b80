#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/ini/profile_file.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class NavigationTest : public GuiWindowTest {
protected:
    std::string path() { return testsDir() + "/t.ini"; }
    void SetUp() override {
        // Two variants of three questions; each question names its section.
        std::vector<IniEntry> entries = fullHeader("Т");
        for (const char* section : {"101", "102", "103", "201", "202", "203"})
            entries.push_back({section, "Вопрос", std::string("вопрос ") + section});
        writeIni(path(), entries);
        open();
    }
    std::string section() {
        const QString label = form().LabelQue->text();
        return label.section('"', 1, 1).toStdString();
    }
    std::string shown() { return form().EditQue->text().toStdString(); }
};

TEST_F(NavigationTest, ButtonsMoveOneStepAndShowThatQuestion) {
    form().BtnPlusQ->click();
    form().BtnPlusQ->click();
    EXPECT_EQ(section(), "103");
    form().BtnPlus->click();
    EXPECT_EQ(section(), "203");
    EXPECT_EQ(shown(), "вопрос 203");
    form().BtnMinusQ->click();
    EXPECT_EQ(section(), "202");
    form().BtnMinus->click();
    EXPECT_EQ(section(), "102");
    EXPECT_EQ(shown(), "вопрос 102");
}

TEST_F(NavigationTest, AtABoundAPressOnlySaves) {
    form().RadioButtonEdit->click();
    form().EditQue->setText("изменён на месте");
    form().BtnMinus->click();
    form().BtnMinusQ->click();
    EXPECT_EQ(section(), "101");
    // Nothing is shown again: the text typed stays, and it is in the file.
    EXPECT_EQ(shown(), "изменён на месте");
    EXPECT_EQ(ProfileFile(path()).readString("101", "Вопрос", ""), "изменён на месте");

    form().EditNumVar->setText("2");
    form().EditNumQue->setText("3");
    form().EditQue->setText("последний");
    form().BtnPlus->click();
    form().BtnPlusQ->click();
    EXPECT_EQ(form().EditNumVar->text(), "2");
    EXPECT_EQ(form().EditNumQue->text(), "3");
    EXPECT_EQ(ProfileFile(path()).readString("203", "Вопрос", ""), "последний");
}

TEST_F(NavigationTest, APositionAboveALoweredBoundIsCorrectedWhenItMoves) {
    form().EditMaxVar->setText("5");
    form().EditNumVar->setText("5");
    form().EditMaxVar->setText("3");
    form().BtnPlus->click();
    EXPECT_EQ(form().EditNumVar->text(), "5");
    form().BtnMinus->click();
    EXPECT_EQ(form().EditNumVar->text(), "3");
    EXPECT_EQ(section(), "301");
}

} // namespace
} // namespace quizloom::testing
