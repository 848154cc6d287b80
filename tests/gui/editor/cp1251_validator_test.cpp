// What a field refuses, typed or pasted, and what the program may still set.
#include "gui/editor/cp1251_validator.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class FieldValidator : public ::testing::Test {
protected:
    QLineEdit edit;
    void SetUp() override { installCp1251Validator(&edit); }
};

TEST(RefusedInField, ControlCharactersAndCharactersOutsideTheCodePage) {
    for (char32_t cp : {U'\t', U'\n', U'\r', U'\0', U'\x1f', U'✓', U'日', U'\U0001F600'})
        EXPECT_TRUE(isRefusedInField(cp)) << static_cast<unsigned>(cp);
    for (char32_t cp : {U' ', U'a', U'ё', U'Ё', U'№', U'€', U'\x98', U'\x7f'})
        EXPECT_FALSE(isRefusedInField(cp)) << static_cast<unsigned>(cp);
}

TEST_F(FieldValidator, TypingKeepsOnlyWhatTheCodePageHolds) {
    typeText(&edit, QString::fromUtf8("Ёж №1 ✓€\t!"));
    EXPECT_EQ(edit.text().toStdString(), "Ёж №1 €!");
}

TEST_F(FieldValidator, PastedTextWithALineBreakIsRefusedWhole) {
    edit.setText("abc");
    edit.end(false);
    edit.insert("x\ny"); // what paste does
    EXPECT_EQ(edit.text().toStdString(), "abc");
    edit.insert("xy");
    EXPECT_EQ(edit.text().toStdString(), "abcxy");
}

TEST_F(FieldValidator, ProgramTextIsTakenAsItIsAndTypingStillChecked) {
    edit.setText("a\tb"); // a tab read from a file goes back unchanged
    EXPECT_EQ(edit.text().toStdString(), "a\tb");
    typeText(&edit, "c\td");
    EXPECT_EQ(edit.text().toStdString(), "a\tbcd");
    edit.setText("new");
    typeText(&edit, QString::fromUtf8("\r✓x"));
    EXPECT_EQ(edit.text().toStdString(), "newx");
}

TEST(WindowFields, EveryLineEditOfTheWindowHasTheValidator) {
    GuiWindowFixture fx;
    fx.open();
    const auto edits = fx.window().findChildren<QLineEdit*>();
    ASSERT_GE(edits.size(), 17);
    for (QLineEdit* edit : edits)
        EXPECT_TRUE(qobject_cast<const Cp1251Validator*>(edit->validator()))
            << edit->objectName().toStdString();
    QLineEdit* typeField = fx.form().EditType->lineEdit();
    typeText(typeField, "\t");
    EXPECT_EQ(fx.form().EditType->currentText().toStdString(), "много вариантов ответа");
}

} // namespace
} // namespace quizloom::testing
