// The search bar: opened from the menu in the overview panel, searching as
// the user types, and a result opening its test once unsaved edits are
// settled.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "gui/search/search_controller.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class Search : public GuiWindowTest {
protected:
    std::string path(const char* file) { return testsDir() + "/" + file; }
    void writeBank() {
        writeIni(path("a.ini"),
                 fullHeader("Алгебра", "математика", "1", "1", "2") +
                     optionQuestion("101", "Сколько будет два плюс два?", {"3", "4", "", "", ""}, {"4"}) +
                     optionQuestion("102", "Корень из девяти", {"3", "Ёлка", "", "", ""}, {"3"}));
        writeIni(path("b.ini"),
                 fullHeader("Биология", "биология", "1", "2", "1") +
                     optionQuestion("101", "Кто ест траву?", {"корова", "волк", "", "", ""}, {"корова"}) +
                     optionQuestion("201", "Где растёт елка?", {"в лесу", "в море", "", "", ""}, {"в лесу"}));
    }
    SearchController* controller() { return window().findChild<SearchController*>(); }
    QLineEdit* field() { return find<QLineEdit>("SearchText"); }
    QListWidget* results() { return find<QListWidget>("SearchResults"); }
    // Types text as the user does and waits for its results.
    void search(const QString& text) {
        field()->selectAll();
        typeText(field(), text);
        QElapsedTimer clock;
        clock.start();
        while (controller()->shownText() != text && clock.elapsed() < 10000)
            QTest::qWait(20);
        ASSERT_EQ(controller()->shownText(), text) << "no results";
    }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < results()->count(); ++i)
            texts << results()->item(i)->text();
        return texts;
    }
};

TEST_F(Search, CtrlFOpensTheBarInThePanelWithItsDefaults) {
    writeBank();
    open();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(form().EditQue, Qt::Key_F, Qt::ControlModifier);
    processEvents();
    EXPECT_TRUE(find<QDockWidget>("OverviewDock")->isVisible());
    EXPECT_TRUE(find("SearchBar")->isVisible());
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(find<QComboBox>("SearchScope")->currentText(), QStringLiteral("Текущий тест"));
    EXPECT_FALSE(find<QCheckBox>("SearchMatchCase")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("SearchYoAsYe")->isChecked());
    QTest::keyClick(field(), Qt::Key_Escape);
    processEvents();
    EXPECT_FALSE(find("SearchBar")->isVisible()) << "Escape closes the bar";
    EXPECT_TRUE(window().isVisible()) << "and not the window";
}

TEST_F(Search, TheScopeAndTheOptionsChooseTheResults) {
    writeBank();
    open();
    form().MenuFind->trigger();
    find<QComboBox>("SearchScope")->setCurrentIndex(1);
    const struct {
        const char* text;
        bool matchCase, yo;
        QStringList expected;
    } cases[] = {
        {"елка",
         false,
         true,
         {QStringLiteral("Алгебра · вариант 1 · вопрос 2 · Ёлка"),
          QStringLiteral("Биология · вариант 2 · вопрос 1 · Где растёт елка?")}},
        {"елка", false, false, {QStringLiteral("Биология · вариант 2 · вопрос 1 · Где растёт елка?")}},
        {"КТО", false, true, {QStringLiteral("Биология · вариант 1 · вопрос 1 · Кто ест траву?")}},
        {"КТО", true, true, {}},
    };
    for (const auto& c : cases) {
        find<QCheckBox>("SearchMatchCase")->setChecked(c.matchCase);
        find<QCheckBox>("SearchYoAsYe")->setChecked(c.yo);
        search(QString::fromUtf8(c.text));
        EXPECT_EQ(rows(), c.expected) << c.text << c.matchCase << c.yo;
    }
    EXPECT_FALSE(find<QLabel>("SearchTruncated")->isVisible());
}

TEST_F(Search, AResultOpensItsTestAfterTheUnsavedEditsQuestion) {
    writeBank();
    open();
    form().RadioButtonEdit->setChecked(true);
    form().EditQue->setText("правка");
    form().MenuFind->trigger();
    find<QComboBox>("SearchScope")->setCurrentIndex(1);
    search("траву");
    ASSERT_EQ(results()->count(), 1);
    dialogs.saveAnswers.push_back(SaveChoice::Cancel);
    QTest::keyClick(field(), Qt::Key_Return); // on to the results
    QTest::keyClick(results(), Qt::Key_Return);
    processEvents();
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 1);
    EXPECT_EQ(form().EditQue->text(), "правка") << "called off: nothing opened";

    dialogs.saveAnswers.push_back(SaveChoice::Discard);
    // A double-click: its first click, then the second.
    const QPoint at = results()->visualItemRect(results()->item(0)).center();
    QTest::mouseClick(results()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(results()->viewport(), Qt::LeftButton, {}, at);
    processEvents();
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 2);
    EXPECT_EQ(window().session().bank().currentPath(), path("b.ini"));
    EXPECT_EQ(form().BoxSubject->currentText(), QStringLiteral("Биология"));
    EXPECT_EQ(form().EditQue->text(), QStringLiteral("Кто ест траву?"));
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(readFileUtf8(path("a.ini")).find("правка"), std::string::npos) << "dropped, not saved";
}

TEST_F(Search, AtMostTheLimitOfRowsThenTheNote) {
    std::vector<IniEntry> entries = fullHeader("Много", "x", "1", "11", "99");
    for (int v = 1; v <= 11; ++v)
        for (int q = 1; q <= 99; ++q)
            entries.push_back({std::to_string(v * 100 + q), "Вопрос", "общий текст"});
    writeIni(path("many.ini"), entries);
    open();
    form().MenuFind->trigger();
    search("общий");
    EXPECT_EQ(results()->count(), 1000);
    EXPECT_TRUE(find<QLabel>("SearchTruncated")->isVisible());
    EXPECT_EQ(find<QLabel>("SearchTruncated")->text(), QStringLiteral("Показаны первые 1000 совпадений"));
}

} // namespace
} // namespace quizloom::testing
