#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <filesystem>
#include <functional>

#include "core/checker/structure_check.h"
#include "core/text/cp1251.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

const std::string kSeparator(182, '-');
const std::string kReportName = "Результаты проверки тестов.txt";
const std::string kAnnouncement =
    "Результаты проверки файлов записаны в файл \"Результаты проверки тестов.txt\"";

// Every question of variants x questions, each passing the check.
std::vector<IniEntry> goodQuestions(int variants, int questions) {
    std::vector<IniEntry> entries;
    for (int v = 1; v <= variants; ++v)
        for (int q = 1; q <= questions; ++q)
            entries = entries +
                      optionQuestion(std::to_string(v * 100 + q), "вопрос", {"a", "b", "c", "d", "e"}, {"c"});
    return entries;
}

std::vector<IniEntry> without(std::vector<IniEntry> entries, const std::string& section,
                              const std::string& key = {}) {
    std::erase_if(entries,
                  [&](const IniEntry& e) { return e.section == section && (key.empty() || e.key == key); });
    return entries;
}

class CheckRunTest : public GuiWindowTest {
protected:
    std::string bank_ = testsDir();
    std::string path(const char* file) const { return bank_ + "/" + file; }
    std::string reportFile() const { return startDir() + "/" + kReportName; }

    // a: passes (1 x 1). b: 2 x 3, its first faulty question is variant 2,
    // question 3, then variant 2, question 1 fails too. c: a header problem only.
    void writeBank() {
        writeIni(path("a.ini"), fullHeader("Алгебра", "физика", "1", "1", "1") + goodQuestions(1, 1));
        writeIni(path("b.ini"), without(fullHeader("Биология", "физика", "1", "2", "3") + goodQuestions(2, 3),
                                        "203", "Вопрос"));
        writeIni(path("c.ini"), without(fullHeader("Вектор") + goodQuestions(2, 3), "Тест", "Дисциплина"));
    }

    std::vector<std::string> memoLines() {
        const QString text = form().Memo1->toPlainText();
        std::vector<std::string> lines;
        for (const QString& line : text.split('\n'))
            lines.push_back(line.toStdString());
        return lines;
    }

    std::vector<std::string> section(const char* file, bool onlyDamaged = true) {
        return check::checkQuizFile(path(file), onlyDamaged).lines;
    }

    void run() { form().NTesting->trigger(); }

    // The report file as lines (UTF-8), checking on the way that every
    // line ends in CR LF.
    std::vector<std::string> reportFileLines() {
        const std::string bytes = readFileBytes(reportFile());
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            const std::size_t end = bytes.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "a line without CR LF";
            if (end == std::string::npos)
                break;
            lines.push_back(cp1251ToUtf8(bytes.substr(start, end - start)));
            start = end + 2;
        }
        return lines;
    }
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(CheckRunTest, AllFilesRunShowsSummaryOnTopAndWritesTheReportFile) {
    writeBank();
    open();
    ASSERT_EQ(form().BoxSubject->currentText(), "Алгебра");
    ASSERT_EQ(form().EditMaxVar->text(), "1");
    run();

    const std::vector<std::string> top{
        "", kSeparator, "Проверено 3 файл(ов) с тестами, найдено ошибок структур: 2", kSeparator};
    const std::vector<std::string> sections = section("b.ini") + section("c.ini");
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections.front(), "Проверяем на ошибки структуру файла теста \"" + path("b.ini") + "\" ...");
    EXPECT_EQ(memoLines(), (top + std::vector<std::string>{kAnnouncement, kSeparator, ""} + sections));
    // The file: the same bytes, without the three lines that announce it.
    EXPECT_EQ(readFileBytes(reportFile()), check::reportFileBytes(top + sections));
    EXPECT_EQ(reportFileLines(), top + sections);

    EXPECT_TRUE(window().windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(window().editorShown());
    EXPECT_FALSE(form().Memo1->isHidden());
    EXPECT_TRUE(form().Panel1->isHidden());

    // The first damaged test is current, opened at its own first faulty
    // question, although the test shown before had one variant of one question.
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(form().BoxSubject->currentText(), "Биология");
    EXPECT_EQ(form().EditMaxVar->text(), "2");
    EXPECT_EQ(form().EditNumVar->text(), "2");
    EXPECT_EQ(form().EditNumQue->text(), "3");
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(CheckRunTest, EveryFileReportedWhenNotOnlyDamagedOnes) {
    writeBank();
    open();
    form().NPrintStatMin->setChecked(false);
    run();
    const std::vector<std::string> sections =
        section("a.ini", false) + section("b.ini", false) + section("c.ini", false);
    ASSERT_EQ(section("a.ini", false).size(), 5u);
    EXPECT_EQ(reportFileLines(),
              (std::vector<std::string>{
                   "", kSeparator, "Проверено 3 файл(ов) с тестами, найдено ошибок структур: 2", kSeparator} +
               sections));
}

TEST_F(CheckRunTest, OneTestModeOnAPassingTest) {
    writeBank();
    open();
    form().NBoolOneTest->setChecked(true);
    const std::vector<std::string> top{
        "", kSeparator, "Проверен один файл с тестами, найдено ошибок структур: 0", kSeparator};
    run();
    EXPECT_EQ(memoLines(), (top + std::vector<std::string>{kAnnouncement, kSeparator, ""}));
    EXPECT_EQ(reportFileLines(), top);

    form().NPrintStatMin->setChecked(false);
    run(); // starts from an empty report
    EXPECT_EQ(memoLines(),
              (top + std::vector<std::string>{kAnnouncement, kSeparator, ""} + section("a.ini", false)));
    EXPECT_EQ(reportFileLines(), top + section("a.ini", false));
    EXPECT_EQ(window().currentTest(), 0);
}

TEST_F(CheckRunTest, SimplifiedModeOpensTheFirstFaultyQuestionAndLeavesTheReportFileAlone) {
    writeBank();
    writeFileBytes(reportFile(), "an earlier report\r\n");
    open();
    form().NSimple->setChecked(true);
    run();
    EXPECT_EQ(memoLines(), section("b.ini")) << "the third test is not examined";
    EXPECT_TRUE(window().editorShown());
    EXPECT_FALSE(window().windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(form().Panel1->isHidden());
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(form().BoxSubject->currentText(), "Биология");
    EXPECT_EQ(form().EditNumVar->text(), "2");
    EXPECT_EQ(form().EditNumQue->text(), "3");
    EXPECT_EQ(form().EditQue->text(), "") << "the faulty question itself is shown";
    EXPECT_EQ(readFileBytes(reportFile()), "an earlier report\r\n");
}

TEST_F(CheckRunTest, PositionComesFromTheTestMadeCurrentNotFromALaterFile) {
    // b is damaged in its header only; c, later, has a question error at 1/2.
    writeIni(path("a.ini"), fullHeader("Алгебра", "физика", "1", "1", "1") + goodQuestions(1, 1));
    writeIni(path("b.ini"), without(fullHeader("Биология") + goodQuestions(2, 3), "Тест", "Дисциплина"));
    writeIni(path("c.ini"), without(fullHeader("Вектор") + goodQuestions(2, 3), "102"));
    open();
    run();
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(form().EditNumVar->text(), "1");
    EXPECT_EQ(form().EditNumQue->text(), "1");
}

TEST_F(CheckRunTest, TheDamagedTestsOwnEntryIsSelectedAmongEqualNames) {
    writeIni(path("a.ini"), fullHeader("Один") + goodQuestions(2, 3));
    writeIni(path("b.ini"), without(fullHeader("Один") + goodQuestions(2, 3), "101"));
    open();
    run();
    EXPECT_EQ(window().currentTest(), 1);
    const int entry = form().BoxSubject->currentIndex();
    ASSERT_GE(entry, 0);
    EXPECT_EQ(form().BoxSubject->itemData(entry).toInt(), 1);
    EXPECT_EQ(form().EditQue->text(), "") << "the damaged file's question 1/1 is shown";
}

TEST_F(CheckRunTest, AReportFileThatCannotBeWrittenIsAnErrorAndTheReportStaysShown) {
    writeBank();
    std::filesystem::create_directories(reportFile() + "/occupied");
    open();
    run();
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.errorTexts()[0].toStdString(), "Cannot create file " + kReportName + ".");
    const std::vector<std::string> top{
        "", kSeparator, "Проверено 3 файл(ов) с тестами, найдено ошибок структур: 2", kSeparator};
    EXPECT_EQ(memoLines(), top + section("b.ini") + section("c.ini"));
    EXPECT_FALSE(window().editorShown());
}

TEST_F(CheckRunTest, EmptyListWritesNoFile) {
    open();
    ASSERT_EQ(window().testCount(), 0);
    run();
    EXPECT_EQ(memoLines(),
              (std::vector<std::string>{
                  "", kSeparator, "Проверено 0 файл(ов) с тестами, найдено ошибок структур: 0", kSeparator}));
    form().NBoolOneTest->setChecked(true);
    run();
    EXPECT_EQ(memoLines(), (std::vector<std::string>{
                               "", kSeparator, "Проверен один файл с тестами, найдено ошибок структур: 1",
                               kSeparator, "Нет файла(ов) с тестом для проверки его структуры!!!"}));
    EXPECT_EQ(form().EditNumVar->text(), "1");
    EXPECT_EQ(form().EditNumQue->text(), "1");
    EXPECT_FALSE(fileExists(reportFile()));
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(CheckRunTest, ClearStatisticsOnlyHidesTheReport) {
    writeBank();
    open();
    run();
    const QString report = form().Memo1->toPlainText();
    form().NClearStat->trigger();
    EXPECT_TRUE(window().editorShown());
    EXPECT_FALSE(window().windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(form().Memo1->isHidden());
    EXPECT_EQ(form().Memo1->toPlainText(), report);
    form().NClearStat->trigger();
    EXPECT_TRUE(window().editorShown());
    run();
    EXPECT_EQ(form().Memo1->toPlainText(), report) << "the next run starts from an empty report";
}

TEST_F(CheckRunTest, CheckTestFileAppendsOneFilesSectionAndKeepsTheFirstError) {
    writeBank();
    open();
    form().Memo1->setPlainText("before");
    EXPECT_TRUE(window().CheckTestFile(0));
    EXPECT_EQ(memoLines(), std::vector<std::string>{"before"}) << "a passing file leaves no lines";
    EXPECT_FALSE(window().CheckTestFile(1));
    EXPECT_EQ(memoLines(), (std::vector<std::string>{"before"} + section("b.ini")));
    EXPECT_FALSE(window().CheckTestFile(7));
    EXPECT_EQ(memoLines().back(), "Нет файла(ов) с тестом для проверки его структуры!!!");
}

std::vector<std::string> utf8(const std::vector<QString>& texts) {
    std::vector<std::string> lines;
    for (const QString& text : texts)
        lines.push_back(text.toStdString());
    return lines;
}

// The progress dialog's hook: stops at the step with that text.
std::function<bool(const QString&)> stopAt(const char* text) {
    return [stop = QString::fromUtf8(text)](const QString& shown) { return shown != stop; };
}

TEST_F(CheckRunTest, TheProgressDialogCountsTheFilesChecked) {
    writeBank();
    open();
    run();
    ASSERT_EQ(dialogs.count(DialogKind::Progress), 1);
    EXPECT_EQ(dialogs.last(DialogKind::Progress).title.toStdString(), "Quizloom");
    EXPECT_EQ(utf8(dialogs.progressTexts),
              (std::vector<std::string>{"Проверено 0 из 3", "Проверено 1 из 3", "Проверено 2 из 3",
                                        "Проверено 3 из 3"}));
    dialogs.progressTexts.clear();
    form().NBoolOneTest->setChecked(true);
    run();
    EXPECT_EQ(utf8(dialogs.progressTexts),
              (std::vector<std::string>{"Проверено 0 из 1", "Проверено 1 из 1"}));
}

TEST_F(CheckRunTest, AStoppedRunEndsItsReportWithHowFarItGotAndWritesNoFile) {
    writeBank();
    writeFileBytes(reportFile(), "an earlier report\r\n");
    open();
    form().NPrintStatMin->setChecked(false);
    dialogs.progressHook = stopAt("Проверено 2 из 3");
    run();
    EXPECT_EQ(dialogs.progressTexts.back().toStdString(), "Проверено 2 из 3")
        << "the third file is not examined";
    EXPECT_EQ(memoLines(), section("a.ini", false) + section("b.ini", false) +
                               std::vector<std::string>{"Проверка прервана: проверено 2 из 3 файл(ов)"});
    EXPECT_EQ(readFileBytes(reportFile()), "an earlier report\r\n");
    EXPECT_FALSE(window().editorShown());
    EXPECT_EQ(window().currentTest(), 0) << "the damaged b is not made current";
    EXPECT_EQ(form().BoxSubject->currentText(), "Алгебра");

    // Simplified mode stopped before its first damaged file ends the same way.
    form().NSimple->setChecked(true);
    dialogs.progressHook = stopAt("Проверено 1 из 3");
    run();
    EXPECT_EQ(memoLines(), section("a.ini", false) +
                               std::vector<std::string>{"Проверка прервана: проверено 1 из 3 файл(ов)"});
    EXPECT_FALSE(window().editorShown());
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(CheckRunTest, AStopAtTheFileThatEndsTheRunAnywayComesTooLate) {
    writeBank();
    open();
    dialogs.progressHook = stopAt("Проверено 3 из 3");
    run();
    EXPECT_EQ(memoLines()[2], "Проверено 3 файл(ов) с тестами, найдено ошибок структур: 2");
    EXPECT_EQ(reportFileLines().size(), 4 + section("b.ini").size() + section("c.ini").size());

    // The simplified mode ends at b, its first damaged file.
    form().NSimple->setChecked(true);
    dialogs.progressHook = stopAt("Проверено 2 из 3");
    run();
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(window().currentTest(), 1);
    EXPECT_EQ(form().EditNumQue->text(), "3");
}

TEST_F(CheckRunTest, ClosingDuringARunStopsItFirstAndNoOtherHandlerRunsMeanwhile) {
    writeBank();
    open();
    ASSERT_FALSE(fileExists(settingsFile()));
    dialogs.progressHook = [this](const QString& text) {
        if (text == "Проверено 1 из 3") {
            form().NTesting->trigger();
            form().NClearStat->trigger();
            window().close();
            EXPECT_TRUE(window().isVisible()) << "the run ends first";
        }
        return true;
    };
    run();
    EXPECT_EQ(dialogs.count(DialogKind::Progress), 1) << "no second run";
    EXPECT_EQ(memoLines(), std::vector<std::string>{"Проверка прервана: проверено 1 из 3 файл(ов)"});
    EXPECT_FALSE(window().editorShown()) << "NClearStat did not run";
    processEvents();
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(fileExists(settingsFile())) << "closed the usual way, settings written";
    EXPECT_FALSE(fileExists(reportFile()));
}

// quizloom-check on the same folder prints exactly the lines of the report file.
TEST_F(CheckRunTest, CommandLineCheckPrintsTheReportFileLines) {
    writeBank();
    open();
    for (bool all : {false, true}) {
        form().NPrintStatMin->setChecked(!all);
        run();
        QProcess tool;
        QStringList arguments;
        if (all)
            arguments << "--all";
        arguments << QString::fromStdString(window().workDir());
        tool.start(QStringLiteral(QUIZLOOM_CHECK_BINARY), arguments);
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 1);
        std::string expected;
        for (const std::string& line : reportFileLines())
            expected += line + "\n";
        EXPECT_EQ(tool.readAllStandardOutput().toStdString(), expected) << (all ? "--all" : "default");
    }
}

} // namespace
} // namespace quizloom::testing
