// The keyboard: access letters of the menus, and the shortcut keys, each of
// which acts only while its menu item or button could be clicked.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

struct ShortcutCase {
    const char* name; // the menu item or button
    QKeyCombination key;
};

const ShortcutCase kShortcuts[] = {
    {"MenuSave", Qt::CTRL | Qt::Key_S},
    {"NewTest", Qt::CTRL | Qt::Key_N},
    {"MenuChangeDir", Qt::CTRL | Qt::Key_O},
    {"NTesting", QKeyCombination(Qt::Key_F5)},
    {"N3", Qt::CTRL | Qt::Key_Q},
    {"CopyToBuf", Qt::CTRL | Qt::SHIFT | Qt::Key_C},
    {"InsFromBuf", Qt::CTRL | Qt::SHIFT | Qt::Key_V},
    {"MenuOverview", QKeyCombination(Qt::Key_F9)},
    {"MenuFind", Qt::CTRL | Qt::Key_F},
    {"BtnMinusQ", QKeyCombination(Qt::Key_PageUp)},
    {"BtnPlusQ", QKeyCombination(Qt::Key_PageDown)},
    {"BtnMinus", Qt::CTRL | Qt::Key_PageUp},
    {"BtnPlus", Qt::CTRL | Qt::Key_PageDown},
};

class Keyboard : public GuiWindowTest, public ::testing::WithParamInterface<ShortcutCase> {
protected:
    // An open window in edit mode with a question in the copy buffer, so
    // that every command is enabled; the keyboard focus in the question.
    void openEverythingEnabled() {
        writeIni(testsDir() + "/a.ini", {{"Тест", "Название теста", "A"},
                                         {"Тест", "Количество вариантов", "2"},
                                         {"Тест", "Количество вопросов", "3"},
                                         {"101", "Вопрос", "Q"}});
        open();
        form().RadioButtonEdit->setChecked(true);
        form().CopyToBuf->trigger();
        processEvents();
        focusQuestion();
    }
    void focusQuestion() {
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        form().EditQue->setFocus();
        processEvents();
    }
    // Counts the activations of the named item or button from now on.
    std::function<int()> watch(const char* name) {
        auto count = std::make_shared<int>(0);
        auto bump = [count] { ++*count; };
        if (auto* action = window().findChild<QAction*>(name))
            QObject::connect(action, &QAction::triggered, action, bump);
        else
            QObject::connect(find<QPushButton>(name), &QPushButton::clicked, &window(), bump);
        return [count] { return *count; };
    }
    // A button's key clicks it after the moment it shows pressed.
    static void settle() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 250)
            QTest::qWait(25);
    }
    void press(QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window(), key.key(),
                        key.keyboardModifiers());
        settle();
    }
    void setEnabled(const char* name, bool enabled) {
        if (auto* action = window().findChild<QAction*>(name))
            action->setEnabled(enabled);
        else
            find(name)->setEnabled(enabled);
    }
};

TEST_P(Keyboard, TheKeyRunsItsCommand) {
    openEverythingEnabled();
    dialogs.inputAnswers.push_back(std::nullopt);    // the new test's first question
    dialogs.openFileAnswers.push_back(std::nullopt); // the working directory's file
    auto runs = watch(GetParam().name);
    press(GetParam().key);
    EXPECT_EQ(runs(), 1);
}

TEST_P(Keyboard, TheKeyDoesNothingWhileItsCommandIsDisabled) {
    openEverythingEnabled();
    setEnabled(GetParam().name, false);
    auto runs = watch(GetParam().name);
    press(GetParam().key);
    EXPECT_EQ(runs(), 0);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(window().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Shortcuts, Keyboard, ::testing::ValuesIn(kShortcuts),
                         [](const auto& info) { return std::string(info.param.name); });

using KeyboardStates = Keyboard;

TEST_F(KeyboardStates, SaveAndPasteKeysWaitForTheirCommands) {
    open();
    focusQuestion();
    auto saves = watch("MenuSave");
    auto pastes = watch("InsFromBuf");
    press(Qt::CTRL | Qt::Key_S);
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_V);
    EXPECT_EQ(saves(), 0) << "read mode";
    EXPECT_EQ(pastes(), 0) << "nothing copied";
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(KeyboardStates, PageKeysPageTheReportInTheReportView) {
    openEverythingEnabled();
    auto questions = watch("BtnPlusQ");
    auto variants = watch("BtnPlus");
    window().SwitchView(true);
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << QStringLiteral("строка %1").arg(i);
    form().Memo1->setPlainText(lines.join('\n'));
    processEvents();
    QScrollBar* bar = form().Memo1->verticalScrollBar();
    bar->setValue(0);
    QTest::keyClick(&window(), Qt::Key_PageDown);
    settle();
    const int paged = bar->value();
    EXPECT_GT(paged, 0);
    QTest::keyClick(&window(), Qt::Key_PageUp);
    EXPECT_LT(bar->value(), paged);
    QTest::keyClick(&window(), Qt::Key_PageDown, Qt::ControlModifier);
    settle();
    EXPECT_EQ(questions(), 0);
    EXPECT_EQ(variants(), 0);
}

TEST_F(KeyboardStates, AccessLettersAreUniqueInEachMenu) {
    const auto letterOf = [](const QString& caption) {
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        return at < 0 || at + 1 >= caption.size() ? QChar() : caption.at(at + 1).toLower();
    };
    const auto expectUnique = [&](const QList<QAction*>& items, const char* where) {
        QSet<QChar> letters;
        for (QAction* item : items) {
            if (item->isSeparator())
                continue;
            const QChar letter = letterOf(item->text());
            EXPECT_FALSE(letter.isNull()) << where << ": " << item->text().toStdString();
            EXPECT_FALSE(letters.contains(letter)) << where << ": " << item->text().toStdString();
            letters.insert(letter);
        }
    };
    expectUnique(window().menuBar()->actions(), "menu bar");
    for (QMenu* menu : {form().NF, form().N6, form().NView, form().About})
        expectUnique(menu->actions(), menu->objectName().toUtf8().constData());
}

} // namespace
} // namespace quizloom::testing
