#include <QAction>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class ModesTest : public GuiWindowTest {
protected:
    void SetUp() override {
        testsDir();
        open();
    }
};

TEST_F(ModesTest, SavingIsEnabledExactlyInEditMode) {
    Ui::TFormQuizloom& f = form();
    EXPECT_FALSE(f.BtnSave->isEnabled());
    EXPECT_FALSE(f.MenuSave->isEnabled());
    f.RadioButtonEdit->click();
    EXPECT_TRUE(f.BtnSave->isEnabled());
    EXPECT_TRUE(f.MenuSave->isEnabled());
    f.RadioButtonRead->click();
    EXPECT_FALSE(f.BtnSave->isEnabled());
    EXPECT_FALSE(f.MenuSave->isEnabled());
}

TEST_F(ModesTest, TheReportFillsTheClientAreaUntilClearedFromTheMenu) {
    Ui::TFormQuizloom& f = form();
    f.Memo1->setPlainText("отчёт");
    processEvents();
    EXPECT_FALSE(window().editorShown());
    EXPECT_TRUE(f.Panel1->isHidden());
    EXPECT_FALSE(f.Panel1->isEnabled());
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_TRUE(f.Memo1->isVisible());
    EXPECT_TRUE(f.Memo1->isEnabled());
    EXPECT_EQ(f.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.Memo1->size(), f.centralwidget->size());

    window().showMaximized();
    f.NClearStat->trigger();
    EXPECT_TRUE(window().editorShown());
    EXPECT_FALSE(window().isMaximized());
    EXPECT_TRUE(f.Memo1->isHidden());
    EXPECT_FALSE(f.Memo1->isEnabled());
    EXPECT_FALSE(f.Panel1->isHidden());
    EXPECT_TRUE(f.Panel2->isEnabled());
    EXPECT_EQ(f.Memo1->toPlainText(), "отчёт");
}

// Without a window manager nothing maximizes or restores the window; the
// way back to the editor must not leave it taller with the button row lower.
TEST_F(ModesTest, ReportAndBackKeepTheWindowSizeAndTheButtonRow) {
    Ui::TFormQuizloom& f = form();
    const QSize size = window().size();
    const QPoint buttons = f.Panel2->pos();
    for (int i = 0; i < 2; ++i) {
        f.Memo1->setPlainText("отчёт");
        processEvents();
        f.NClearStat->trigger();
        processEvents();
        EXPECT_EQ(window().size(), size);
        EXPECT_EQ(f.Panel2->pos(), buttons);
    }
}

TEST_F(ModesTest, TheEditorViewCommandLeavesAMaximizedEditorAlone) {
    window().showMaximized();
    form().NClearStat->trigger();
    EXPECT_TRUE(window().isMaximized());
    EXPECT_TRUE(window().editorShown());
}

} // namespace
} // namespace quizloom::testing
