// The editing session without a window: the rules its fields run, the
// picker, navigation, copy and paste, and the check run's outcome.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/editor/editing_session.h"
#include "core/text/cp1251.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace quizloom::editor {
namespace {

using quizloom::testing::IniDoc;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;

IniDoc header(std::string_view name, std::string_view level = "1", std::string_view variants = "2",
              std::string_view questions = "3") {
    IniDoc doc;
    doc.set("Тест", "Название теста", name)
        .set("Тест", "Дисциплина", "химия")
        .set("Тест", "Тип", "один вариант ответа")
        .set("Тест", "Уровень", level)
        .set("Тест", "Количество вариантов", variants)
        .set("Тест", "Количество вопросов", questions)
        .set("Тест", "Оценка 5", "90")
        .set("Тест", "Оценка 4", "80")
        .set("Тест", "Оценка 3", "70");
    return doc;
}

class SessionTest : public ::testing::Test {
protected:
    TempDir dir;
    // A check run writes its report file by bare name.
    quizloom::testing::CurrentDirScope inDir{dir.path()};
    EditingSession session;

    std::string folder() const { return dir.path() + "/"; }
    void open() {
        session.resolveWorkDir(dir.path());
        session.changeWorkDir(folder() + "any.ini");
    }
};

TEST_F(SessionTest, HeaderFieldsCorrectThemselvesAndPositionsFollowTheirBounds) {
    session.setText(Field::Level, "7");
    EXPECT_EQ(session.text(Field::Level), "2");
    EXPECT_EQ(session.answerLayout(), 2);
    session.setText(Field::Grade5, "");
    EXPECT_EQ(session.text(Field::Grade5), "95");
    session.setText(Field::MaxQue, "3");
    session.setText(Field::NumQue, "9");
    EXPECT_EQ(session.text(Field::NumQue), "3") << "held to the maximum field";
    session.setText(Field::MaxQue, "2");
    EXPECT_EQ(session.text(Field::NumQue), "3")
        << "a lowered bound corrects the position only when it changes";
    session.setText(Field::Type, "нечто");
    EXPECT_EQ(session.text(Field::Type), "нечто") << "a type set by the program runs no rule";
    session.enterType("нечто");
    EXPECT_EQ(session.text(Field::Type), "много вариантов ответа");
}

TEST_F(SessionTest, LeavingLevelTwoForLevelOneClearsTheHiddenMarks) {
    session.setMark(1, true);
    session.setText(Field::Level, "2");
    session.setText(Field::Level, "1");
    EXPECT_EQ(session.form().marks, quiz::AnswerMarks{});
}

TEST_F(SessionTest, ShowAndSaveMoveTheQuestionBetweenFormAndFile) {
    header("Химия")
        .set("102", "Вопрос", "Что горит?")
        .set("102", "Вариант №1", "вода")
        .set("102", "Вариант №2", "дерево")
        .set("102", "Правильный ответ №1", "дерево")
        .write(folder() + "a.ini");
    open();
    session.setText(Field::NumQue, "2");
    session.showQuestion();
    EXPECT_EQ(session.text(Field::Question), "Что горит?");
    EXPECT_EQ(session.form().marks, (quiz::AnswerMarks{false, true, false, false, false}));
    EXPECT_EQ(session.sectionCaption(), "Номер вопроса в тесте: \"102\"");
    EXPECT_EQ(session.statusPath(), folder() + "a.ini");

    const std::string before = readFileBytes(folder() + "a.ini");
    session.setMark(0, true);
    session.saveQuestion();
    EXPECT_EQ(readFileBytes(folder() + "a.ini"), before) << "read mode saves nothing";
    session.setEditMode(true);
    session.saveQuestion();
    session.showQuestion();
    EXPECT_EQ(session.form().marks, (quiz::AnswerMarks{true, true, false, false, false}));
}

TEST_F(SessionTest, NavigationSavesAndStopsAtItsBounds) {
    header("Химия").write(folder() + "a.ini");
    open();
    session.setEditMode(true);
    session.setText(Field::Question, "первый");
    session.stepQuestion(-1);
    EXPECT_EQ(session.text(Field::NumQue), "1");
    EXPECT_NE(readFileBytes(folder() + "a.ini").find("\xEF\xE5\xF0\xE2\xFB\xE9"), std::string::npos)
        << "saved";
    session.stepQuestion(+1);
    session.stepQuestion(+1);
    session.stepQuestion(+1);
    EXPECT_EQ(session.text(Field::NumQue), "3");
    session.stepVariant(+1);
    session.stepVariant(+1);
    EXPECT_EQ(session.text(Field::NumVar), "2");
    EXPECT_EQ(session.sectionCaption(), "Номер вопроса в тесте: \"203\"");
}

// A step shows the next question from the file its save has just parsed
// and written: what it shows must be what a fresh read of the file shows,
// also where the written view is at its most intricate.
TEST_F(SessionTest, AStepShowsWhatItsSaveHasJustWritten) {
    // No final line end; question 101 missing (the save appends it); 102
    // twice (the first counts); a comment closing the header.
    const std::string text = "[Тест]\r\nНазвание теста=Химия\r\nУровень=1\r\nКоличество вариантов=1\r\n"
                             "Количество вопросов=3\r\n; конец\r\n\r\n[102]\nВопрос=второй\n"
                             "Вариант №1=  да  \n[102]\nВопрос=не этот";
    writeFileBytes(folder() + "a.ini", utf8ToCp1251(text));
    open();
    session.setEditMode(true);
    const auto expectShownAsAFreshReadShowsIt = [&](const char* where) {
        const QuestionForm shown = session.form();
        session.showQuestion();
        EXPECT_EQ(session.form(), shown) << where;
    };
    // Values a save must quote to keep, and a header value changed.
    session.setText(Field::Question, "  первый  ");
    session.setText(Field::Answer1, "\"в кавычках\"");
    session.setText(Field::Subject, "новая");
    session.setText(Field::Level, "2");
    session.stepQuestion(+1);
    EXPECT_EQ(session.text(Field::Question), "второй");
    EXPECT_EQ(session.text(Field::Subject), "новая");
    EXPECT_EQ(session.answerLayout(), 2) << "the level just written";
    expectShownAsAFreshReadShowsIt("question 2");

    session.stepQuestion(-1);
    EXPECT_EQ(session.text(Field::Question), "  первый  ");
    expectShownAsAFreshReadShowsIt("question 1");
    session.setText(Field::Level, "1");
    session.setText(Field::Answer1, "\"в кавычках\"");
    session.setMark(0, true);
    session.stepQuestion(+1);
    session.stepQuestion(-1);
    EXPECT_EQ(session.text(Field::Answer1), "\"в кавычках\"");
    EXPECT_EQ(session.form().marks, (quiz::AnswerMarks{true, false, false, false, false}));
    expectShownAsAFreshReadShowsIt("question 1 again");
    EXPECT_FALSE(session.unsavedEdits());
}

// A display reads only as far as its question when the header comes first;
// a header after the question, or a second question section of the same
// name, must not change what it shows.
TEST_F(SessionTest, TheDisplayShowsTheHeaderWhereverItIs) {
    const std::string text =
        "[102]\r\nВопрос=второй\r\n[Тест]\r\nНазвание теста=Химия\r\n"
        "Уровень=2\r\nКоличество вопросов=3\r\nДисциплина=после\r\n"
        "[101]\r\nВопрос=первый\r\n[101]\r\nВопрос=не этот\r\n[Тест]\r\nДисциплина=нет\r\n";
    writeFileBytes(folder() + "a.ini", utf8ToCp1251(text));
    open();
    EXPECT_EQ(session.text(Field::Question), "первый");
    EXPECT_EQ(session.text(Field::Subject), "после");
    session.setText(Field::NumQue, "2");
    session.showQuestion();
    EXPECT_EQ(session.text(Field::Question), "второй");
    EXPECT_EQ(session.text(Field::Subject), "после") << "the header after the question";
    EXPECT_EQ(session.answerLayout(), 2);
}

TEST_F(SessionTest, ThePickerTakesATypedNamesFirstEntryAndAPickedEntryItself) {
    header("Биология").write(folder() + "a.ini");
    header("Алгебра").write(folder() + "b.ini");
    header("Алгебра").set("Тест", "Дисциплина", "вторая").write(folder() + "c.ini");
    open();
    ASSERT_EQ(session.bank().size(), 3u);
    EXPECT_EQ(session.picker().text, "Алгебра");
    EXPECT_EQ(session.bank().currentPath(), folder() + "b.ini");
    session.pickQuiz("Алгебра", 1, false);
    EXPECT_EQ(session.bank().currentPath(), folder() + "c.ini");
    EXPECT_EQ(session.text(Field::Subject), "вторая");
    session.pickQuiz("Алгебра", 1, true);
    EXPECT_EQ(session.bank().currentPath(), folder() + "b.ini") << "typed: the first entry of the name";
    session.pickQuiz("Алг", -1, true);
    EXPECT_EQ(session.bank().currentPath(), folder() + "b.ini") << "a partly typed name does nothing";
    EXPECT_EQ(session.picker().text, "Алг");
}

TEST_F(SessionTest, PasteSetsTheLevelBeforeTheMarksAndUndoRestores) {
    session.setText(Field::Question, "вопрос");
    session.setMark(2, true);
    session.copyQuestion();
    session.setText(Field::Level, "2");
    session.setText(Field::Question, "другой");
    const QuestionForm level2 = session.form();
    session.pasteQuestion();
    EXPECT_EQ(session.text(Field::Level), "1");
    EXPECT_EQ(session.form().marks, (quiz::AnswerMarks{false, false, true, false, false}))
        << "the marks come after the level's layout, which would clear them";
    ASSERT_TRUE(session.pasteUndoAvailable());
    session.undoPaste();
    EXPECT_EQ(session.form(), level2);
}

TEST_F(SessionTest, TheSimplifiedCheckOpensTheFirstFaultyQuestionOfTheFirstDamagedTest) {
    IniDoc good = header("Алгебра", "1", "1", "1");
    good.set("101", "Вопрос", "q");
    for (int i = 1; i <= 5; ++i)
        good.set("101", "Вариант №" + std::to_string(i), std::to_string(i));
    good.set("101", "Правильный ответ №1", "1").write(folder() + "a.ini");
    IniDoc bad = header("Биология", "1", "2", "2");
    bad.write(folder() + "b.ini");
    open();
    session.options().simplified = true;
    session.runCheck();
    EXPECT_TRUE(session.editorShown());
    EXPECT_EQ(session.bank().currentPath(), folder() + "b.ini");
    EXPECT_EQ(session.picker().text, "Биология");
    EXPECT_EQ(session.sectionCaption(), "Номер вопроса в тесте: \"101\"");

    session.options().simplified = false;
    session.runCheck();
    EXPECT_FALSE(session.editorShown());
    EXPECT_NE(session.reportText().find("Проверено 2 файл(ов) с тестами, найдено ошибок структур: 1"),
              std::string::npos);
    EXPECT_FALSE(readFileBytes(dir.file("Результаты проверки тестов.txt")).empty())
        << "the report file goes to the folder last chosen";
}

// The report file goes to the folder the program started in, then to the
// folder of each file chosen for a working directory; the process's current
// directory is never changed for it.
TEST_F(SessionTest, TheReportFileGoesToTheReportFolderNotTheCurrentDirectory) {
    const std::string start = dir.file("start"), bank = dir.file("bank");
    std::filesystem::create_directories(start);
    std::filesystem::create_directories(bank);
    header("Алгебра", "1", "1", "1").write(bank + "/a.ini");
    const std::string report = "/Результаты проверки тестов.txt";

    session.changeWorkDir(bank + "/a.ini");
    session.setReportFolder(start); // as the window does at start
    session.runCheck();
    EXPECT_TRUE(std::filesystem::exists(start + report));
    EXPECT_FALSE(std::filesystem::exists(bank + report));

    session.changeWorkDir(bank + "/a.ini");
    session.runCheck();
    EXPECT_TRUE(std::filesystem::exists(bank + report));
    EXPECT_FALSE(std::filesystem::exists(dir.file(report.substr(1))));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.path()));
}

// The run in two halves, as the window makes it, with a stop after the
// first of two damaged files: only that file's section and the line that
// says so; no summary, and the damaged file is not made current.
TEST_F(SessionTest, AStoppedCheckReportsHowFarItGotAndChangesNothingElse) {
    header("Алгебра").write(folder() + "a.ini");
    header("Биология").write(folder() + "b.ini");
    open();
    session.pickQuiz("Биология", -1, true);
    session.options().printOnlyDamaged = false;
    const CheckJob job = session.startCheck();
    ASSERT_EQ(job.paths, (std::vector<std::string>{folder() + "a.ini", folder() + "b.ini"}));
    EXPECT_FALSE(session.editorShown()) << "the report view comes up at once";
    const check::RunResult run = job.run([](std::size_t checked, std::size_t) { return checked < 1; });
    ASSERT_TRUE(run.stopped);
    ASSERT_EQ(run.firstDamaged, 0u);
    session.finishCheck(job, run);
    std::string expected;
    for (const std::string& line : check::checkQuizFile(folder() + "a.ini", false).lines)
        expected += line + "\n";
    EXPECT_EQ(session.reportText(), expected + "Проверка прервана: проверено 1 из 2 файл(ов)");
    EXPECT_EQ(session.bank().currentPath(), folder() + "b.ini");
    EXPECT_FALSE(session.editorShown());
}

} // namespace
} // namespace quizloom::editor
