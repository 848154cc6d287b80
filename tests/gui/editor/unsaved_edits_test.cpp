// Unsaved edits are never dropped silently: every action that leaves the
// shown question asks first, read mode takes no typing, and a refused save
// leaves the file as it was.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <tuple>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class UnsavedEditsTest : public GuiWindowTest {
public:
    std::string first() { return testsDir() + "/a.ini"; }
    std::string second() { return testsDir() + "/b.ini"; }
    void SetUp() override {
        writeIni(first(),
                 fullHeader("Алгебра") + optionQuestion("101", "Сколько?", {"1", "2", "3", "4", "5"}, {"2"}));
        writeIni(second(),
                 fullHeader("Биология") + optionQuestion("101", "Кто?", {"a", "b", "c", "d", "e"}, {"a"}));
        open();
        form().RadioButtonEdit->click();
    }
    void edit() { form().EditQue->setText("Сколько будет?"); }
    std::string question(const std::string& path) { return readFileUtf8(path); }
    void pickSecond() {
        form().BoxSubject->setCurrentIndex(1);
        emit form().BoxSubject->activated(1);
    }
};

TEST_F(UnsavedEditsTest, TheTitleMarksEditsAndUndoingThemClearsTheMark) {
    EXPECT_FALSE(window().isWindowModified());
    edit();
    EXPECT_TRUE(window().isWindowModified());
    form().EditQue->setText("Сколько?");
    EXPECT_FALSE(window().isWindowModified());
    form().CheckBox1->click();
    EXPECT_TRUE(window().isWindowModified());
    form().BtnSave->click();
    EXPECT_FALSE(window().isWindowModified());
}

TEST_F(UnsavedEditsTest, PickingAnotherTestAsksAndFollowsTheAnswer) {
    edit();
    dialogs.saveAnswers = {SaveChoice::Cancel};
    pickSecond();
    EXPECT_EQ(dialogs.last(DialogKind::AskSave).text, "Сохранить изменения в вопросе 101?");
    EXPECT_EQ(form().BoxSubject->currentText(), "Алгебра") << "the picker shows the shown test again";
    EXPECT_EQ(form().EditQue->text(), "Сколько будет?");

    dialogs.saveAnswers = {SaveChoice::Discard};
    pickSecond();
    EXPECT_EQ(form().EditQue->text(), "Кто?");
    EXPECT_EQ(question(first()).find("Сколько будет?"), std::string::npos);

    pickSecond(); // nothing edited: nothing asked
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 2);
    form().EditQue->setText("Кто это?");
    dialogs.saveAnswers = {SaveChoice::Save};
    form().BoxSubject->setCurrentIndex(0);
    emit form().BoxSubject->activated(0);
    EXPECT_NE(question(second()).find("Кто это?"), std::string::npos);
    EXPECT_EQ(form().EditQue->text(), "Сколько?");
}

TEST_F(UnsavedEditsTest, ClosingAsksAndCancelKeepsTheWindowOpen) {
    edit();
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().CancelBtn->click();
    processEvents();
    EXPECT_TRUE(window().isVisible());
    dialogs.saveAnswers = {SaveChoice::Save};
    form().N3->trigger();
    processEvents();
    EXPECT_FALSE(window().isVisible());
    EXPECT_NE(question(first()).find("Сколько будет?"), std::string::npos);
}

TEST_F(UnsavedEditsTest, ReadModeAsksFirstAndThenTakesNoTyping) {
    edit();
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().RadioButtonRead->click();
    EXPECT_TRUE(form().RadioButtonEdit->isChecked());
    dialogs.saveAnswers = {SaveChoice::Discard};
    form().RadioButtonRead->click();
    EXPECT_TRUE(form().RadioButtonRead->isChecked());
    EXPECT_EQ(form().EditQue->text(), "Сколько?");
    for (QLineEdit* field : {form().EditQue, form().Edit1, form().EditDSubject, form().Edit_5})
        EXPECT_TRUE(field->isReadOnly()) << field->objectName().toStdString();
    EXPECT_FALSE(form().EditNumQue->isReadOnly());
    EXPECT_TRUE(form().CheckBox1->testAttribute(Qt::WA_TransparentForMouseEvents));
    typeText(form().EditQue, "x");
    EXPECT_EQ(form().EditQue->text(), "Сколько?");
    const QString type = form().EditType->currentText();
    form().EditType->setCurrentIndex(form().EditType->currentIndex() == 0 ? 1 : 0);
    emit form().EditType->activated(form().EditType->currentIndex());
    EXPECT_EQ(form().EditType->currentText(), type) << "a pick from the type list is taken back";
}

TEST_F(UnsavedEditsTest, CheckRunAndNewTestAskOnlyAfterTheirOwnDialogs) {
    edit();
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().NTesting->trigger();
    EXPECT_TRUE(window().editorShown()) << "a cancelled run does not start";
    dialogs.inputAnswers = {QString("Новый"), std::nullopt};
    form().NewTest->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 1) << "the file-name dialog was cancelled";
    dialogs.inputAnswers = {QString("Новый"), QString("n")};
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().NewTest->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 2);
    EXPECT_FALSE(fileExists(testsDir() + "/n.ini"));
}

// Correct answers are stored as texts: the file could not hold these marks.
TEST_F(UnsavedEditsTest, ARefusedSaveNamesTheFaultAndLeavesTheFileByteIdentical) {
    const std::string before = readFileBytes(first());
    form().Edit3->setText("");
    form().CheckBox3->click();
    form().BtnSave->click();
    form().CheckBox3->click();
    form().Edit3->setText("2");
    form().BtnSave->click();
    EXPECT_EQ(dialogs.errorTexts(),
              (std::vector<QString>{"Вариант №3 отмечен как правильный, но пуст.",
                                    "Варианты №2 и №3 совпадают, а отмечен только один."}));
    EXPECT_EQ(readFileBytes(first()), before);
}

} // namespace
} // namespace quizloom::testing

namespace quizloom::testing {
namespace {

// Every action that leaves the shown question, with each answer: Да saves
// and goes on, Нет drops the edit and goes on, Отмена does nothing.
struct LeavingAction {
    const char* name;
    std::function<void(UnsavedEditsTest&)> run;
    std::function<bool(UnsavedEditsTest&)> wentOn;
};

class EveryLeavingAction : public UnsavedEditsTest,
                           public ::testing::WithParamInterface<std::tuple<int, SaveChoice>> {};

const LeavingAction kLeavingActions[] = {
    {"close", [](UnsavedEditsTest& t) { t.form().N3->trigger(); processEvents(); },
     [](UnsavedEditsTest& t) { return !t.window().isVisible(); }},
    {"escape", [](UnsavedEditsTest& t) { pressKey(t.form().EditQue, Qt::Key_Escape); processEvents(); },
     [](UnsavedEditsTest& t) { return !t.window().isVisible(); }},
    {"pick", [](UnsavedEditsTest& t) {
         t.form().BoxSubject->setCurrentIndex(1);
         emit t.form().BoxSubject->activated(1);
     },
     [](UnsavedEditsTest& t) { return t.form().EditQue->text() == "Кто?"; }},
    {"check", [](UnsavedEditsTest& t) { t.form().NTesting->trigger(); },
     [](UnsavedEditsTest& t) { return !t.window().editorShown(); }},
    {"workdir", [](UnsavedEditsTest& t) {
         const std::string other = t.temp.file("other/c.ini");
         t.writeIni(other, fullHeader("Химия") + optionQuestion("101", "Что?", {"1", "2", "3", "4", "5"}, {"1"}));
         t.dialogs.openFileAnswers = {QString::fromStdString(other)};
         t.form().MenuChangeDir->trigger();
     },
     [](UnsavedEditsTest& t) { return t.form().EditQue->text() == "Что?"; }},
    {"newtest", [](UnsavedEditsTest& t) {
         t.dialogs.inputAnswers = {QString("Новый"), QString("n")};
         t.form().NewTest->trigger();
     },
     [](UnsavedEditsTest& t) { return fileExists(t.testsDir() + "/n.ini"); }},
    {"readmode", [](UnsavedEditsTest& t) { t.form().RadioButtonRead->click(); },
     [](UnsavedEditsTest& t) { return t.form().RadioButtonRead->isChecked(); }},
};

TEST_P(EveryLeavingAction, FollowsTheAnswer) {
    const auto [index, answer] = GetParam();
    const LeavingAction& action = kLeavingActions[index];
    edit();
    dialogs.saveAnswers = {answer};
    action.run(*this);
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 1) << action.name;
    const bool saved = question(first()).find("Сколько будет?") != std::string::npos;
    EXPECT_EQ(saved, answer == SaveChoice::Save) << action.name;
    EXPECT_EQ(action.wentOn(*this), answer != SaveChoice::Cancel) << action.name;
    if (answer == SaveChoice::Cancel) {
        EXPECT_EQ(form().EditQue->text(), "Сколько будет?") << action.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Unsaved, EveryLeavingAction,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kLeavingActions))),
                                            ::testing::Values(SaveChoice::Save, SaveChoice::Discard,
                                                              SaveChoice::Cancel)));

} // namespace
} // namespace quizloom::testing
