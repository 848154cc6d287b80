// Values and names the keyboard cannot make: control bytes read from a file
// survive a display and a save, and names holding them are shown on one line.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class OddValuesTest : public GuiWindowTest {};

// A NUL byte in a value used to make the save fail half-way, after the
// header keys were written.
TEST_F(OddValuesTest, ANulByteInAValueRoundTripsThroughDisplayEditAndSave) {
    const std::string path = testsDir() + "/a.ini";
    writeIni(path, fullHeader("Алгебра") +
                       optionQuestion("101", std::string("до\0после", 15), {"1", "2", "3", "4", "5"}, {"2"}));
    open();
    form().RadioButtonEdit->click();
    form().Edit5->setText("пять");
    form().EditQue->end(false);
    typeText(form().EditQue, "!");
    form().BtnSave->click();
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    const std::string bytes = readFileUtf8(path);
    EXPECT_NE(bytes.find(std::string("Вопрос=до\0после!", 29)), std::string::npos);
    EXPECT_NE(bytes.find("Вариант №5=пять"), std::string::npos);
}

TEST_F(OddValuesTest, ControlCharactersInNamesShowAsQuestionMarksInThePickerAndStatusBar) {
    const std::string path = testsDir() + "/tab\tname.ini";
    writeIni(path, fullHeader("Алгебра\tи геометрия"));
    open();
    EXPECT_EQ(form().BoxSubject->currentText(), "Алгебра?и геометрия");
    EXPECT_EQ(window().statusPanel(2)->text().toStdString(), testsDir() + "/tab?name.ini");
    EXPECT_EQ(window().testPaths().at(window().currentTest()), path) << "the file is still the file";
}

} // namespace
} // namespace quizloom::testing
