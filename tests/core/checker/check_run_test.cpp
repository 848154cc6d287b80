// The run over a list of tests: list order whatever the number of workers,
// the simplified mode's early end, and a progress callback that can stop it.
#include "core/checker/structure_check.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/ini_doc.h"
#include "support/passing_quiz.h"
#include "support/temp_dir.h"

namespace quizloom::check {
namespace {

using testing::IniDoc;
using testing::passingQuiz;
using testing::TempDir;

class CheckRunTest : public ::testing::Test {
protected:
    // Twelve tests: 3 has a header problem only, 5 and 9 a faulty question 102.
    CheckRunTest() {
        for (int i = 0; i < 12; ++i) {
            IniDoc doc = passingQuiz("Тест " + std::to_string(i), 2);
            if (i == 3)
                doc.set("Тест", "Уровень", "5");
            if (i == 5 || i == 9)
                doc.remove("102", "Правильный ответ №1");
            paths.push_back(dir.file("t" + std::to_string(i) + ".ini"));
            doc.write(paths.back());
        }
    }
    RunResult run(RunOptions options) const { return checkQuizzes(paths, options); }

    TempDir dir;
    std::vector<std::string> paths;
};

void expectSameRun(const RunResult& a, const RunResult& b) {
    EXPECT_EQ(a.sectionLines, b.sectionLines);
    EXPECT_EQ(a.checkedCount, b.checkedCount);
    EXPECT_EQ(a.damagedCount, b.damagedCount);
    EXPECT_EQ(a.firstDamaged, b.firstDamaged);
    EXPECT_EQ(a.openPosition, b.openPosition);
    EXPECT_EQ(a.firstQuestionError, b.firstQuestionError);
    EXPECT_EQ(a.stopped, b.stopped);
}

TEST_F(CheckRunTest, AnyNumberOfWorkersGivesTheOneWorkerResult) {
    for (const bool onlyDamaged : {true, false}) {
        for (const bool simple : {false, true}) {
            const RunResult one = run({.printOnlyDamaged = onlyDamaged, .stopAtFirstDamaged = simple});
            for (const unsigned workers : {0u, 2u, 3u, 16u}) {
                SCOPED_TRACE(::testing::Message() << workers << " workers, simple " << simple);
                expectSameRun(
                    run({.printOnlyDamaged = onlyDamaged, .stopAtFirstDamaged = simple, .workers = workers}),
                    one);
            }
        }
    }
}

TEST_F(CheckRunTest, TheFirstDamagedTestAndTheFirstQuestionErrorAreKeptApart) {
    const RunResult all = run({.workers = 2});
    EXPECT_EQ(all.checkedCount, 12u);
    EXPECT_EQ(all.damagedCount, 3u);
    EXPECT_EQ(all.firstDamaged, 3u);
    EXPECT_EQ(all.openPosition, (QuestionPosition{1, 1})); // header problems only
    EXPECT_EQ(all.firstQuestionError, (QuestionFinding{5, {1, 2}}));

    const RunResult simple = run({.stopAtFirstDamaged = true, .workers = 4});
    EXPECT_EQ(simple.checkedCount, 4u);
    EXPECT_EQ(simple.damagedCount, 1u);
    EXPECT_FALSE(simple.firstQuestionError);
    EXPECT_FALSE(simple.stopped);
}

TEST_F(CheckRunTest, ProgressComesInOrderOnTheCallingThreadAndCanStop) {
    const RunResult whole = run({.printOnlyDamaged = false});
    for (const unsigned workers : {1u, 3u}) {
        SCOPED_TRACE(workers);
        std::vector<std::size_t> seen;
        const std::thread::id caller = std::this_thread::get_id();
        const RunResult stopped = run({.printOnlyDamaged = false,
                                       .workers = workers,
                                       .progress = [&](std::size_t checked, std::size_t total) {
                                           EXPECT_EQ(std::this_thread::get_id(), caller);
                                           EXPECT_EQ(total, 12u);
                                           seen.push_back(checked);
                                           return checked < 6;
                                       }});
        EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_TRUE(stopped.stopped);
        EXPECT_EQ(stopped.checkedCount, 6u);
        EXPECT_EQ(stopped.damagedCount, 2u);
        // Exactly the sections of the first six files.
        const std::size_t perFile = 5; // every section here is five lines
        // Plus the header line of test 3 and the two lines of the faulty question of test 5.
        ASSERT_EQ(stopped.sectionLines.size(), 6 * perFile + 1 + 2);
        EXPECT_TRUE(
            std::equal(stopped.sectionLines.begin(), stopped.sectionLines.end(), whole.sectionLines.begin()));
    }
    // A stop asked for after the last file is no stop.
    const RunResult last = run({.progress = [](std::size_t, std::size_t) { return false; }});
    EXPECT_TRUE(last.stopped);
    EXPECT_EQ(last.checkedCount, 1u);
    const std::vector<std::string> one{paths.front()};
    EXPECT_FALSE(checkQuizzes(one, {.progress = [](std::size_t, std::size_t) { return false; }}).stopped);
}

} // namespace
} // namespace quizloom::check
