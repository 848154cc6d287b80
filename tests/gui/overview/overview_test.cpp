// The question overview panel: where it stands, what its tree shows, and a
// question row opening its question as navigation does.
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "core/overview/question_overview.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class Overview : public GuiWindowTest {
protected:
    std::string path(const char* file) { return testsDir() + "/" + file; }
    // 2 variants of 3 questions: 1.2 without a correct answer, 2.3 empty.
    void writeQuiz() {
        std::vector<IniEntry> entries = fullHeader("Химия", "химия", "1", "2", "3");
        for (int v = 1; v <= 2; ++v)
            for (int q = 1; q <= 3; ++q) {
                if (v == 2 && q == 3)
                    continue;
                const std::string section = std::to_string(v * 100 + q);
                entries = entries + optionQuestion(section, "вопрос " + section, {"a", "b", "c", "d", "e"},
                                                   section == "102" ? std::vector<std::string>{}
                                                                    : std::vector<std::string>{"a"});
            }
        writeIni(path("a.ini"), entries);
    }
    QDockWidget* dock() { return find<QDockWidget>("OverviewDock"); }
    QTreeWidget* tree() { return find<QTreeWidget>("OverviewTree"); }
    QTreeWidgetItem* row(int variant, int question) {
        return tree()->topLevelItem(variant)->child(question - 1); // item 0: the header
    }
    void showPanel() {
        form().MenuOverview->trigger();
        processEvents();
    }
    void click(QTreeWidgetItem* item) {
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
        processEvents();
    }
};

TEST_F(Overview, HiddenItChangesNoGeometryAndShownItWidensTheWindowOnly) {
    writeQuiz();
    open();
    EXPECT_FALSE(dock()->isVisible()) << "hidden by default";
    const QSize size = window().size();
    QList<QRect> places;
    const std::vector<QWidget*> controls = {form().Panel1, form().Panel2, form().EditQue, form().BtnSave,
                                            form().Edit5};
    for (QWidget* control : controls)
        places << control->geometry();
    showPanel();
    EXPECT_TRUE(dock()->isVisible());
    EXPECT_EQ(window().height(), size.height());
    EXPECT_GE(window().width(), size.width() + dock()->width());
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->geometry(), places[static_cast<qsizetype>(i)]) << i;
    showPanel(); // hidden again
    EXPECT_FALSE(dock()->isVisible());
    EXPECT_EQ(window().size(), size);
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->geometry(), places[static_cast<qsizetype>(i)]) << i;
}

TEST_F(Overview, TheTreeShowsTheCheckStatesOfEveryQuestion) {
    writeQuiz();
    open();
    showPanel();
    const overview::QuestionOverview expected = overview::buildOverview(window().session());
    ASSERT_EQ(tree()->topLevelItemCount(), 3);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), QStringLiteral("Заголовок"));
    EXPECT_EQ(tree()->topLevelItem(1)->text(0), QStringLiteral("Вариант 1 (вопросов с ошибками: 1)"));
    EXPECT_EQ(tree()->topLevelItem(2)->text(0), QStringLiteral("Вариант 2"));
    const struct {
        int variant, question;
        const char* text;
        bool problem;
        bool grey;
    } cases[] = {
        {1, 1, "№ 1  вопрос 101", false, false},
        {1, 2, "№ 2  вопрос 102", true, false},
        {2, 3, "№ 3  (пусто)", false, true},
    };
    const QColor normal = row(1, 1)->foreground(0).color();
    for (const auto& c : cases) {
        QTreeWidgetItem* item = row(c.variant, c.question);
        EXPECT_EQ(item->text(0).toStdString(), c.text);
        EXPECT_EQ(!item->icon(0).isNull(), c.problem) << c.text;
        EXPECT_EQ(item->foreground(0).color() != normal, c.grey) << c.text;
        const overview::QuestionRow* model = expected.find({c.variant, c.question});
        ASSERT_NE(model, nullptr);
        std::string lines;
        for (const std::string& line : model->reportLines)
            lines += (lines.empty() ? "" : "\n") + line;
        EXPECT_EQ(item->toolTip(0).toStdString(), lines) << "the report's lines";
    }
    EXPECT_EQ(tree()->currentItem(), row(1, 1)) << "the shown question is selected";
    form().BtnPlusQ->click();
    processEvents();
    EXPECT_EQ(tree()->currentItem(), row(1, 2)) << "and follows navigation";
}

TEST_F(Overview, ARowClickInEditModeSavesTheShownQuestionThenShowsItsOwn) {
    writeQuiz();
    open();
    showPanel();
    form().RadioButtonEdit->setChecked(true);
    form().EditQue->setText("новый текст");
    click(row(2, 1));
    EXPECT_TRUE(dialogs.calls.empty()) << "navigation asks nothing";
    EXPECT_NE(readFileUtf8(path("a.ini")).find("Вопрос=новый текст"), std::string::npos);
    EXPECT_EQ(form().EditNumVar->text(), "2");
    EXPECT_EQ(form().EditNumQue->text(), "1");
    EXPECT_EQ(form().EditQue->text(), "вопрос 201");
    EXPECT_EQ(row(1, 1)->text(0), QStringLiteral("№ 1  новый текст")) << "the tree follows the save";
    EXPECT_EQ(tree()->currentItem(), row(2, 1));
}

TEST_F(Overview, HeaderAndVariantRowsOnlyExpand) {
    writeQuiz();
    open();
    showPanel();
    form().RadioButtonEdit->setChecked(true);
    form().EditQue->setText("не сохранять");
    QTreeWidgetItem* variant = tree()->topLevelItem(2);
    variant->setExpanded(false);
    click(variant);
    EXPECT_TRUE(variant->isExpanded());
    EXPECT_EQ(form().EditNumVar->text(), "1");
    EXPECT_EQ(readFileUtf8(path("a.ini")).find("не сохранять"), std::string::npos);
}

TEST_F(Overview, TheTreeFollowsAnotherTestAndAnotherFolder) {
    writeQuiz();
    writeIni(path("b.ini"), fullHeader("Биология", "био", "1", "1", "1"));
    open();
    showPanel();
    form().BoxSubject->setCurrentText("Биология");
    window().guarded([&] { window().session().pickQuiz("Биология", -1, true); });
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    const std::string other = startDir() + "/другие";
    writeIni(other + "/c.ini", fullHeader("Вектор", "физика", "1", "3", "1"));
    dialogs.openFileAnswers.push_back(QString::fromStdString(other + "/c.ini"));
    form().MenuChangeDir->trigger();
    processEvents();
    EXPECT_EQ(tree()->topLevelItemCount(), 4);
}

} // namespace
} // namespace quizloom::testing
