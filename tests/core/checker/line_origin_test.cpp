// What each line of a run's report is about: the lines of a test's section
// name that test, the lines of a question error that question; the report's
// own lines nothing. The lines themselves are the run's as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/checker/structure_check.h"
#include "core/editor/editing_session.h"
#include "core/quiz/quiz_format.h"
#include "support/temp_dir.h"

namespace quizloom::check {
namespace {

const std::string kBank = std::string(QUIZLOOM_TEST_DATA) + "/bank/";

// The section number a question line names, or 0.
long long namedSection(const std::string& line) {
    constexpr std::string_view kInFile = "(в файле это вопрос - ";
    const std::size_t at = line.find(kInFile);
    return at == std::string::npos ? 0 : std::stoll(line.substr(at + kInFile.size()));
}

TEST(LineOrigin, EachSectionLineNamesItsTestAndEachQuestionLineItsQuestion) {
    const std::vector<std::string> paths{kBank + "organs.ini", kBank + "empty.ini",
                                         kBank + "broken_header.ini"};
    for (const bool onlyDamaged : {false, true}) {
        const RunResult run = checkQuizzes(paths, {.printOnlyDamaged = onlyDamaged, .workers = 2});
        ASSERT_EQ(run.sectionOrigins.size(), run.sectionLines.size());
        std::size_t test = 0;
        long long questionLines = 0;
        for (std::size_t i = 0; i < run.sectionLines.size(); ++i) {
            const std::string& line = run.sectionLines[i];
            ASSERT_TRUE(run.sectionOrigins[i]) << line;
            const LineOrigin& origin = *run.sectionOrigins[i];
            if (line.starts_with("Проверяем на ошибки структуру файла теста")) {
                test = origin.test;
                EXPECT_NE(line.find(paths[test]), std::string::npos) << line;
            }
            EXPECT_EQ(origin.test, test) << line;
            const long long section = namedSection(line);
            if (section != 0) {
                ASSERT_TRUE(origin.question) << line;
                EXPECT_EQ(quiz::sectionNumber(origin.question->variant, origin.question->question), section)
                    << line;
                ++questionLines;
            }
            // "На вопрос №..." is followed by what is wrong with it.
            if (i > 0 && line.starts_with("нет ")) {
                EXPECT_EQ(origin.question, run.sectionOrigins[i - 1]->question) << line;
            } else if (section == 0) {
                EXPECT_FALSE(origin.question) << line;
            }
        }
        EXPECT_GT(questionLines, 100) << "organs.ini and the capped empty.ini";
    }
}

TEST(LineOrigin, ARunWithoutATestHasALineAboutNothing) {
    const RunResult run = checkQuizzes({""}, {});
    ASSERT_EQ(run.sectionLines,
              std::vector<std::string>{"Нет файла(ов) с тестом для проверки его структуры!!!"});
    ASSERT_EQ(run.sectionOrigins.size(), 1u);
    EXPECT_FALSE(run.sectionOrigins[0]);
}

// The session maps each line of its report text, summary and announcement
// included, to what it is about.
TEST(LineOrigin, TheSessionsReportLinesOpenTheirTestOrQuestion) {
    quizloom::testing::TempDir dir;
    const quizloom::testing::CurrentDirScope inDir{dir.path()};
    for (const char* file : {"organs.ini", "empty.ini"})
        std::filesystem::copy_file(kBank + file, dir.file(file));
    editor::EditingSession session;
    session.resolveWorkDir(dir.path());
    session.changeWorkDir(dir.file("organs.ini"));
    session.options().printOnlyDamaged = false;
    session.runCheck();

    std::vector<std::string> lines;
    std::string rest = session.reportText();
    for (std::size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1))
        lines.push_back(rest.substr(0, at));
    lines.push_back(rest);

    const std::string empty = dir.file("empty.ini");
    const std::string organs = dir.file("organs.ini");
    const struct {
        std::string line;
        std::optional<editor::ReportTarget> target;
    } cases[] = {
        {"Проверено 2 файл(ов) с тестами, найдено ошибок структур: 2", std::nullopt},
        {"Результаты проверки файлов записаны в файл \"Результаты проверки тестов.txt\"", std::nullopt},
        {"Проверяем на ошибки структуру файла теста \"" + organs + "\" ...",
         editor::ReportTarget{organs, {}}},
        {"Название теста - \"Пустой\"", editor::ReportTarget{empty, {}}},
        {"На вопрос №2 в варианте №1 (в файле это вопрос - 102) ",
         editor::ReportTarget{organs, QuestionPosition{1, 2}}},
        {"нет пяти вариантов ответа (есть 3 вариант(а))....",
         editor::ReportTarget{organs, QuestionPosition{1, 2}}},
        {"Нет вопроса №3 в варианте №1 (в файле это вопрос - 103) ",
         editor::ReportTarget{organs, QuestionPosition{1, 3}}},
        {"Не заполнен вопрос №60 в варианте №2 (в файле это вопрос - 260) ",
         editor::ReportTarget{empty, QuestionPosition{2, 60}}},
        {"При проверке вопросов-ответов найдено 120 ошибок (ошибки)", editor::ReportTarget{empty, {}}},
    };
    for (const auto& c : cases) {
        const auto line = std::find(lines.begin(), lines.end(), c.line);
        ASSERT_NE(line, lines.end()) << c.line;
        EXPECT_EQ(session.reportLineTarget(static_cast<std::size_t>(line - lines.begin())), c.target)
            << c.line;
    }
    EXPECT_FALSE(session.reportLineTarget(0)) << "the empty top line";
    EXPECT_FALSE(session.reportLineTarget(lines.size())) << "beyond the text";

    // What a line names opens in the editor; a test no longer listed does not.
    const struct {
        std::optional<QuestionPosition> at;
        std::string caption;
    } opens[] = {
        {QuestionPosition{2, 60}, "\"260\""}, {QuestionPosition{9, 1}, "\"401\""}, {std::nullopt, "\"401\""}};
    for (const auto& open : opens) {
        EXPECT_TRUE(session.openQuestion(empty, open.at));
        EXPECT_TRUE(session.editorShown());
        EXPECT_EQ(session.bank().currentPath(), empty);
        EXPECT_EQ(session.sectionCaption(), "Номер вопроса в тесте: " + open.caption) << "held to 4 variants";
        session.switchView(true);
    }
    EXPECT_TRUE(session.openQuestion(organs, QuestionPosition{1, 2}));
    EXPECT_EQ(session.picker().text, "Органы");
    EXPECT_FALSE(session.openQuestion(dir.file("gone.ini"), QuestionPosition{1, 1}));
    EXPECT_EQ(session.bank().currentPath(), organs);

    session.reportEdited(session.reportText() + "\nзаметка");
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_FALSE(session.reportLineTarget(i)) << "an edited text is about nothing";
}

} // namespace
} // namespace quizloom::check
