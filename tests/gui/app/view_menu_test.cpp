// The menu "Вид": its place and items, and the overview's option kept in
// the settings file.
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

using ViewMenu = GuiWindowTest;

TEST_F(ViewMenu, ComesAfterTheOptionsWithItsTwoItems) {
    QStringList titles;
    for (QAction* menu : window().menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&Файл", "&Опции", "&Вид", "&Справка"}));
    EXPECT_EQ(form().NView->actions(), (QList<QAction*>{form().MenuOverview, form().MenuFind}));
    EXPECT_EQ(form().MenuOverview->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(form().MenuFind->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(ViewMenu, ThePanelComesBackAsItWasLeft) {
    const struct {
        const char* stored; // "": no key
        bool toggle;
        bool shownAtStart;
        const char* written; // "": no key written
    } cases[] = {
        {"", false, false, ""},
        {"", true, false, "NOverview=1"},
        {"1", false, true, "NOverview=1"},
        {"1", true, true, "NOverview=0"},
    };
    for (const auto& c : cases) {
        GuiWindowFixture fx;
        if (*c.stored)
            fx.writeSettings({{"", "NOverview", c.stored}});
        fx.open();
        EXPECT_EQ(fx.find<QDockWidget>("OverviewDock")->isVisible(), c.shownAtStart) << c.stored;
        EXPECT_EQ(fx.form().MenuOverview->isChecked(), c.shownAtStart) << c.stored;
        if (c.toggle)
            fx.form().MenuOverview->trigger();
        EXPECT_EQ(fx.find<QDockWidget>("OverviewDock")->isVisible(), c.shownAtStart != c.toggle);
        fx.close();
        const std::string file = readFileUtf8(fx.settingsFile());
        if (*c.written)
            EXPECT_NE(file.find(std::string(c.written) + "\r\n"), std::string::npos) << file;
        else
            EXPECT_EQ(file.find("NOverview"), std::string::npos) << file;
    }
}

} // namespace
} // namespace quizloom::testing
