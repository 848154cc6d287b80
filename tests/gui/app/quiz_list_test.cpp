#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class TestListTest : public GuiWindowTest {
protected:
    std::string test(const std::string& file, const std::string& name,
                     const std::string& subject = "физика") {
        return writeIni(testsDir() + "/" + file, fullHeader(name, subject));
    }
    void pick(int index) {
        form().BoxSubject->setCurrentIndex(index);
        emit form().BoxSubject->activated(index);
    }
    void typeIntoBox(const QString& text) {
        form().BoxSubject->lineEdit()->selectAll();
        typeText(form().BoxSubject->lineEdit(), text);
    }
    QString subject() { return form().EditDSubject->text(); }
    QString statusPath() { return window().statusPanel(2)->text(); }
};

TEST_F(TestListTest, StartUpSelectsTheFirstSortedTestAndShowsIt) {
    test("a.ini", "Физика", "физика");
    const std::string algebra = test("b.ini", "Алгебра", "алгебра");
    test("c.ini", "Error");
    writeIni(testsDir() + "/d.ini", {{"Прочее", "ключ", "значение"}});
    open();

    QComboBox* box = form().BoxSubject;
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "Алгебра");
    EXPECT_EQ(box->itemText(1), "Физика");
    EXPECT_EQ(box->currentText(), "Алгебра");
    EXPECT_EQ(window().testCount(), 2);
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(subject(), "алгебра");
    EXPECT_EQ(statusPath().toStdString(), algebra);
}

TEST_F(TestListTest, AnEmptyFolderKeepsTheTextsOfTheForm) {
    testsDir();
    open();
    EXPECT_EQ(form().BoxSubject->count(), 0);
    EXPECT_EQ(form().BoxSubject->currentText(), "");
    EXPECT_EQ(window().testCount(), 0);
    EXPECT_EQ(window().currentTest(), 0);
    EXPECT_EQ(subject(), "физиология");
    EXPECT_EQ(form().EditMaxVar->text(), "5");
    EXPECT_EQ(statusPath(), "");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(TestListTest, EveryEntryOfARepeatedNameOpensItsOwnFile) {
    test("a.ini", "Тест", "первый");
    const std::string second = test("b.ini", "Тест", "второй");
    open();
    ASSERT_EQ(form().BoxSubject->count(), 2);
    EXPECT_EQ(subject(), "первый");

    pick(1);
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(subject(), "второй");
    EXPECT_EQ(statusPath().toStdString(), second);

    // A typed name picks its first entry, even while a later one is selected.
    typeIntoBox("Тест");
    EXPECT_EQ(window().currentTest(), 0);
    EXPECT_EQ(subject(), "первый");
    EXPECT_EQ(form().BoxSubject->currentIndex(), 0);
}

// Once a name had been typed, the box kept it as typed, and the entry picked
// from the open list afterwards was taken for that typed name's first entry.
TEST_F(TestListTest, AnEntryPickedFromTheOpenListAfterTypingOpensItsOwnFile) {
    test("a.ini", "Химия", "первый");
    const std::string second = test("b.ini", "Химия", "второй");
    test("c.ini", "Алгебра", "третий");
    open();
    typeIntoBox("Химия");
    ASSERT_EQ(subject(), "первый");

    QComboBox* box = form().BoxSubject;
    for (int round = 0; round < 2; ++round) {
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(list->isVisible());
        list->setCurrentIndex(box->model()->index(2, 0));
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(subject(), "второй") << round;
        EXPECT_EQ(statusPath().toStdString(), second) << round;
        EXPECT_EQ(box->currentIndex(), 2) << round;
    }
}

TEST_F(TestListTest, ATextThatIsNoEntryChangesNothing) {
    test("a.ini", "Алгебра", "алгебра");
    test("b.ini", "Физика", "физика");
    open();
    ASSERT_EQ(window().currentTest(), 0);

    for (const char* text : {"Физ", "физика", "ФИЗИКА"}) {
        typeIntoBox(QString::fromUtf8(text));
        EXPECT_EQ(window().currentTest(), 0) << text;
        EXPECT_EQ(subject(), "алгебра") << text;
    }
    typeIntoBox("Физика");
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(subject(), "физика");
}

// A test without a name sorted first used to be current but not shown, and
// a save wrote the form's defaults into it.
TEST_F(TestListTest, AnEmptyNameSortedFirstIsShownLikeAnyOther) {
    test("a.ini", "", "алгебра");
    test("b.ini", "Биология", "биология");
    test("c.ini", "", "химия");
    open();
    EXPECT_EQ(form().BoxSubject->count(), 3);
    EXPECT_EQ(form().BoxSubject->currentText(), "");
    EXPECT_EQ(window().currentTest(), 0);
    EXPECT_EQ(subject(), "алгебра");
    EXPECT_EQ(statusPath().toStdString(), testsDir() + "/a.ini");
    form().BoxSubject->setCurrentIndex(1);
    emit form().BoxSubject->activated(1);
    EXPECT_EQ(window().currentTest(), 2);
    EXPECT_EQ(subject(), "химия");
}

TEST_F(TestListTest, TheListIsNotLimitedToAHundredTests) {
    for (int i = 0; i < 105; ++i) {
        // Built in steps: GCC 12 at -O3 misreads "text" + std::to_string(...)
        // as an overlapping copy and -Werror stops the build.
        const std::string number = std::to_string(1000 + i);
        test("t" + number + ".ini", std::string("Тест ").append(number));
    }
    open();
    EXPECT_EQ(window().testCount(), 105);
    EXPECT_EQ(form().BoxSubject->count(), 105);
    pick(104);
    EXPECT_EQ(window().currentTest(), 104);
    EXPECT_EQ(statusPath().toStdString(), testsDir() + "/t1104.ini");
}

} // namespace
} // namespace quizloom::testing
