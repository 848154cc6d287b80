// The overview of a test against the check run over the same file: every
// question the run examines has the run's own lines and verdict; the rest
// are marked as the run would skip them, under the same rules.
#include "core/overview/question_overview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/editor/editing_session.h"
#include "core/quiz/quiz_file_values.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace quizloom::overview {
namespace {

using check::QuestionPosition;
using Lines = std::vector<std::string>;

const std::string kBank = std::string(QUIZLOOM_TEST_DATA) + "/bank/";

std::vector<std::string> bankPaths() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(kBank))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct PositionLess {
    bool operator()(QuestionPosition a, QuestionPosition b) const {
        return std::pair(a.variant, a.question) < std::pair(b.variant, b.question);
    }
};

// The lines of the run's report about each question of the file at path.
std::map<QuestionPosition, Lines, PositionLess> runFindings(const std::string& path) {
    const check::RunResult run = check::checkQuizzes({path}, {.printOnlyDamaged = false});
    std::map<QuestionPosition, Lines, PositionLess> findings;
    for (std::size_t i = 0; i < run.sectionLines.size(); ++i)
        if (run.sectionOrigins[i] && run.sectionOrigins[i]->question)
            findings[*run.sectionOrigins[i]->question].push_back(run.sectionLines[i]);
    return findings;
}

std::string headerValue(const std::string& path, quiz::HeaderKey key) {
    quiz::QuizFileValues file;
    file.read(path);
    return std::string(file.header(key).value_or(""));
}

TEST(QuestionOverview, StatesOfTheQuestionsTheRunExaminesAreTheRunsFindings) {
    for (const std::string& path : bankPaths()) {
        SCOPED_TRACE(path);
        const auto findings = runFindings(path);
        const QuestionOverview overview = buildOverview(path, headerValue(path, quiz::HeaderKey::Variants),
                                                        headerValue(path, quiz::HeaderKey::Questions));
        std::size_t examinedWithLines = 0;
        for (const VariantRow& variant : overview.variants) {
            for (const QuestionRow& row : variant.questions) {
                if (row.skippedByCheck)
                    continue;
                const auto found = findings.find(row.position);
                const Lines expected = found == findings.end() ? Lines{} : found->second;
                EXPECT_EQ(row.reportLines, expected) << row.section;
                EXPECT_EQ(row.state == QuestionState::Passes, expected.empty()) << row.section;
                examinedWithLines += !expected.empty();
            }
        }
        EXPECT_EQ(examinedWithLines, findings.size()) << "every question the run reports is in the overview";
    }
}

TEST(QuestionOverview, TheHeaderRowHoldsTheChecksProblemLines) {
    const struct {
        std::string file;
        Lines problems;
    } cases[] = {
        {"organs.ini", {}},
        {"many_variants.ini",
         {"Неправильно указан уровень теста (нужно либо \"1\" либо \"2\") ...",
          "Неправильно указано количество вариантов теста (нужно от 1 до 25) ..."}},
        {"broken_header.ini", {"Не указано количество вопросов теста ..."}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildOverview(kBank + c.file, "2", "2").headerProblems, c.problems) << c.file;
}

TEST(QuestionOverview, RowsFollowTheShownCountsAndMarkWhatTheRunSkips) {
    const struct {
        std::string file;
        std::string variants, questions; // as the header fields show them
        std::size_t rows, perVariant;
        std::vector<QuestionPosition> skipped, examined;
    } cases[] = {
        // Variant 2, question 4 is beyond nothing: the run examines it.
        {"organs.ini", "2", "4", 2, 4, {}, {{2, 4}}},
        // Fields showing more than the file: the run stops at the file's counts.
        {"organs.ini", "3", "5", 3, 5, {{1, 5}, {3, 1}}, {{2, 4}}},
        // Variants above the check's 25: the file's count skips every question.
        {"many_variants.ini", "30", "2", 30, 2, {{1, 1}, {26, 2}, {30, 1}}, {}},
        // 60 errors a variant: the cap ends the checks after variant 2.
        {"empty.ini", "4", "60", 4, 60, {{3, 1}, {4, 60}}, {{1, 1}, {2, 60}}},
        {"broken_header.ini", "2", "2", 2, 2, {{1, 1}, {2, 2}}, {}},
        // Above the editor's bounds, and counts that are no numbers.
        {"organs.ini", "60", "300", 50, 99, {{50, 99}}, {{1, 1}}},
        {"organs.ini", "", "x", 0, 0, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.variants + "×" + c.questions);
        const QuestionOverview overview = buildOverview(kBank + c.file, c.variants, c.questions);
        ASSERT_EQ(overview.variants.size(), c.rows);
        for (const VariantRow& variant : overview.variants)
            EXPECT_EQ(variant.questions.size(), c.perVariant);
        for (const QuestionPosition at : c.skipped) {
            ASSERT_NE(overview.find(at), nullptr);
            EXPECT_TRUE(overview.find(at)->skippedByCheck) << at.variant << "/" << at.question;
        }
        for (const QuestionPosition at : c.examined) {
            ASSERT_NE(overview.find(at), nullptr);
            EXPECT_FALSE(overview.find(at)->skippedByCheck) << at.variant << "/" << at.question;
        }
    }
}

TEST(QuestionOverview, QuestionsTheRunSkipsAreJudgedByTheSameRules) {
    const QuestionOverview many = buildOverview(kBank + "many_variants.ini", "30", "2");
    // (v + l) % 4 == 0 has no correct answer.
    const QuestionRow& faulty = *many.find({27, 1});
    EXPECT_EQ(faulty.state, QuestionState::Problem);
    EXPECT_EQ(faulty.reportLines, (Lines{"На вопрос №1 в варианте №27 (в файле это вопрос - 2701) ",
                                         "нет ни одного правильного ответа ...."}));
    EXPECT_EQ(many.find({27, 2})->state, QuestionState::Passes);
    EXPECT_EQ(many.variants[26].problemCount, 1);

    const QuestionOverview empty = buildOverview(kBank + "empty.ini", "4", "60");
    EXPECT_EQ(empty.find({3, 1})->state, QuestionState::Passes);
    EXPECT_EQ(empty.find({3, 2})->state, QuestionState::Empty);
    EXPECT_EQ(empty.find({4, 7})->reportLines,
              (Lines{"Не заполнен вопрос №7 в варианте №4 (в файле это вопрос - 407) "}));
    EXPECT_EQ(empty.variants[2].emptyCount, 59);
    EXPECT_EQ(empty.variants[2].problemCount, 0);
}

TEST(QuestionOverview, LabelsAndCounts) {
    const QuestionOverview overview = buildOverview(kBank + "organs.ini", "2", "4");
    const struct {
        QuestionPosition at;
        std::string label;
        QuestionState state;
    } rows[] = {
        {{1, 1}, "№ 1  Какой орган качает кровь?", QuestionState::Passes},
        {{1, 2}, "№ 2  Где идёт газообмен?", QuestionState::Problem},
        {{1, 3}, "№ 3  (пусто)", QuestionState::Problem},
        {{1, 4}, "№ 4  Что фильтрует кровь?", QuestionState::Problem},
        {{2, 1}, "№ 1  (пусто)", QuestionState::Empty},
        {{2, 2}, "№ 2  ЁЖИК и ёлка", QuestionState::Passes},
        {{2, 4}, "№ 4  (пусто)", QuestionState::Empty},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(overview.find(row.at)->label(), row.label);
        EXPECT_EQ(overview.find(row.at)->state, row.state) << row.label;
    }
    EXPECT_EQ(overview.variants[0].label(), "Вариант 1");
    EXPECT_EQ(overview.variants[0].problemCount, 3);
    EXPECT_EQ(overview.variants[1].problemCount, 0);
    EXPECT_EQ(overview.variants[1].emptyCount, 2);
    EXPECT_EQ(overview.find({1, 3})->section, 103);
    EXPECT_EQ(overview.find({0, 1}), nullptr);
    EXPECT_EQ(overview.find({1, 5}), nullptr);
}

TEST(QuestionOverview, FollowsTheSessionsCurrentTestAndHeaderFields) {
    quizloom::testing::TempDir dir;
    std::filesystem::copy_file(kBank + "organs.ini", dir.file("organs.ini"));
    editor::EditingSession session;
    EXPECT_TRUE(buildOverview(session).variants.empty()) << "no test";
    session.resolveWorkDir(dir.path());
    session.changeWorkDir(dir.file("organs.ini"));
    QuestionOverview overview = buildOverview(session);
    EXPECT_EQ(overview.path, dir.file("organs.ini"));
    EXPECT_EQ(overview.variants.size(), 2u);
    session.setText(editor::Field::MaxVar, "1");
    session.setText(editor::Field::MaxQue, "2");
    overview = buildOverview(session);
    ASSERT_EQ(overview.variants.size(), 1u);
    EXPECT_EQ(overview.variants[0].questions.size(), 2u);
}

} // namespace
} // namespace quizloom::overview
