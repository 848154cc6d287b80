// Report lines that open what they are about, by double-click or Enter.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class ReportLinesTest : public GuiWindowTest {
protected:
    std::string path(const char* file) { return testsDir() + "/" + file; }
    // b: question 2.3 has no text, so the check names it.
    void runCheckOnBank() {
        std::vector<IniEntry> b = fullHeader("Биология", "био", "1", "2", "3");
        for (int v = 1; v <= 2; ++v)
            for (int q = 1; q <= 3; ++q)
                if (v * 100 + q != 203)
                    b = b + optionQuestion(std::to_string(v * 100 + q), "вопрос", {"a", "b", "c", "d", "e"},
                                           {"a"});
        b.push_back({"203", "Вариант №1", "a"});
        writeIni(path("a.ini"), fullHeader("Алгебра", "мат", "1", "1", "1") +
                                    optionQuestion("101", "вопрос", {"a", "b", "c", "d", "e"}, {"a"}));
        writeIni(path("b.ini"), b);
        open();
        form().NTesting->trigger();
        processEvents();
        ASSERT_FALSE(window().editorShown());
    }
    int lineWith(const char* text) {
        const QStringList lines = form().Memo1->toPlainText().split('\n');
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains(QString::fromUtf8(text)))
                return i;
        ADD_FAILURE() << "no line with " << text;
        return 0;
    }
    void doubleClick(int line) {
        QPlainTextEdit* report = form().Memo1;
        QTextCursor cursor(report->document()->findBlockByNumber(line));
        report->setTextCursor(cursor);
        report->ensureCursorVisible();
        QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, report->cursorRect(cursor).center());
        processEvents();
    }
    void enter(int line) {
        QPlainTextEdit* report = form().Memo1;
        report->setTextCursor(QTextCursor(report->document()->findBlockByNumber(line)));
        report->setFocus();
        QTest::keyClick(report, Qt::Key_Return);
        processEvents();
    }
};

TEST_F(ReportLinesTest, AQuestionLineOpensItsQuestionInTheEditorView) {
    runCheckOnBank();
    window().guarded([&] { window().session().openQuestion(path("a.ini"), std::nullopt); });
    window().SwitchView(true);
    doubleClick(lineWith("в файле это вопрос - 203"));
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(window().session().bank().currentPath(), path("b.ini"));
    EXPECT_EQ(form().EditNumVar->text(), "2");
    EXPECT_EQ(form().EditNumQue->text(), "3");
}

TEST_F(ReportLinesTest, EnterOnAQuestionLineOpensItToo) {
    runCheckOnBank();
    const QString report = form().Memo1->toPlainText();
    enter(lineWith("в файле это вопрос - 203"));
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(form().EditNumQue->text(), "3");
    EXPECT_EQ(form().Memo1->toPlainText(), report) << "no line break typed";
}

TEST_F(ReportLinesTest, ASummaryLineDoesNothing) {
    runCheckOnBank();
    const QString report = form().Memo1->toPlainText();
    doubleClick(0);
    EXPECT_FALSE(window().editorShown());
    EXPECT_TRUE(dialogs.calls.size() <= 1) << "only the check's progress";
    EXPECT_EQ(form().Memo1->toPlainText(), report);
}

TEST_F(ReportLinesTest, UnsavedEditsAreAskedAboutFirst) {
    runCheckOnBank();
    window().SwitchView(false);
    form().RadioButtonEdit->setChecked(true);
    form().EditQue->setText("правка");
    window().SwitchView(true);
    dialogs.saveAnswers.push_back(SaveChoice::Cancel);
    doubleClick(lineWith("в файле это вопрос - 203"));
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 1);
    EXPECT_FALSE(window().editorShown()) << "called off";
}

} // namespace
} // namespace quizloom::testing
