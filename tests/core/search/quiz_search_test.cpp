// The search over a bank: which fields and questions it reads, one result per
// question in list order, the limit, and a stop from a newer query.
#include "core/search/quiz_search.h"

#include <gtest/gtest.h>

#include <atomic>

#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace quizloom::search {
namespace {

using quizloom::testing::IniDoc;
using quizloom::testing::TempDir;

IniDoc header(std::string_view name, std::string_view level, std::string_view variants,
              std::string_view questions) {
    IniDoc doc;
    doc.set("Тест", "Название теста", name)
        .set("Тест", "Уровень", level)
        .set("Тест", "Количество вариантов", variants)
        .set("Тест", "Количество вопросов", questions);
    return doc;
}

// Every question holds the words "вопрос <section>"; one field of each
// question holds "ключ" as the case says.
IniDoc grid(std::string_view name, int variants, int questions) {
    IniDoc doc = header(name, "1", std::to_string(variants), std::to_string(questions));
    for (int k = 1; k <= variants; ++k)
        for (int l = 1; l <= questions; ++l)
            doc.set(std::to_string(k * 100 + l), "Вопрос", "вопрос " + std::to_string(k * 100 + l));
    return doc;
}

class QuizSearchTest : public ::testing::Test {
protected:
    QuizEntry add(const std::string& file, const IniDoc& doc, const std::string& name) {
        tests.push_back({dir.file(file), name});
        doc.write(tests.back().path);
        return tests.back();
    }
    std::vector<std::pair<int, int>> positions(const SearchResult& result) const {
        std::vector<std::pair<int, int>> found;
        for (const SearchHit& hit : result.hits)
            found.emplace_back(hit.variant, hit.question);
        return found;
    }

    TempDir dir;
    std::vector<QuizEntry> tests;
};

TEST_F(QuizSearchTest, SearchesTheFieldsTheEditorShowsInEveryQuestionNavigationReaches) {
    const struct {
        std::string what;
        std::string level;
        std::string section; // where "ключ" goes
        std::string key;
        bool found;
        MatchedField field;
    } cases[] = {
        {"question text", "1", "101", "Вопрос", true, MatchedField::Question},
        {"an option at level 1", "1", "102", "Вариант №3", true, MatchedField::Answer3},
        {"an option at level 2 is not shown", "2", "102", "Вариант №3", false, MatchedField::Question},
        {"a correct answer at level 2", "2", "201", "Правильный ответ №2", true, MatchedField::Answer2},
        {"a correct answer at level 1 is not shown", "1", "201", "Правильный ответ №2", false,
         MatchedField::Question},
        {"a level the field corrects to 2", "7", "201", "Правильный ответ №5", true, MatchedField::Answer5},
        {"a question beyond the question count", "1", "103", "Вопрос", false, MatchedField::Question},
        {"a variant beyond the variant count", "1", "301", "Вопрос", false, MatchedField::Question},
        {"a section name that is not canonical", "1", "0101", "Вопрос", false, MatchedField::Question},
        {"another key", "1", "101", "Комментарий", false, MatchedField::Question},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tests.clear();
        add("t.ini", header("Т", c.level, "2", "2").set(c.section, c.key, "Это КЛЮЧ к ответу"), "Т");
        const SearchResult result = searchQuizzes(tests, "ключ", {});
        ASSERT_EQ(result.hits.size(), c.found ? 1u : 0u);
        if (c.found) {
            EXPECT_EQ(result.hits[0].field, c.field);
            EXPECT_EQ(result.hits[0].context, "Это КЛЮЧ к ответу");
            EXPECT_EQ(result.hits[0].matchStart, std::string("Это ").size());
            EXPECT_EQ(result.hits[0].matchLength, std::string("КЛЮЧ").size());
        }
    }
}

TEST_F(QuizSearchTest, OneResultPerQuestionInListOrderWithItsFirstMatch) {
    add("a.ini", grid("Алгебра", 2, 2).set("102", "Вариант №1", "ключ").set("201", "Вопрос", "ключ и ключ"),
        "Алгебра");
    add("b.ini",
        grid("Химия", 1, 3).set("103", "Вопрос", "без слова").set("103", "Вариант №2", "второй ключ"),
        "Химия");
    const SearchResult result = searchQuizzes(tests, "ключ", {.workers = 2});
    ASSERT_EQ(result.hits.size(), 3u);
    const SearchHit& first = result.hits[0];
    EXPECT_EQ(first.test, 0u);
    EXPECT_EQ(first.path, dir.file("a.ini"));
    EXPECT_EQ(first.name, "Алгебра");
    EXPECT_EQ(std::pair(first.variant, first.question), std::pair(1, 2));
    EXPECT_EQ(first.questionText, "вопрос 102");
    EXPECT_EQ(first.field, MatchedField::Answer1);
    EXPECT_EQ(result.hits[1].questionText, "ключ и ключ");
    EXPECT_EQ(result.hits[1].matchStart, 0u) << "the first match of the field";
    EXPECT_EQ(result.hits[2].test, 1u);
    EXPECT_EQ(result.hits[2].questionText, "без слова");
    EXPECT_EQ(result.hits[2].context, "второй ключ");
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(result.hitCount, 3u);
}

TEST_F(QuizSearchTest, ContextIsCutAroundTheMatch) {
    const std::string before(50, 'a');
    const std::string after(80, 'b');
    add("t.ini", grid("Т", 1, 1).set("101", "Вопрос", before + "Ёлка" + after), "Т");
    const SearchResult result = searchQuizzes(tests, "елка", {});
    ASSERT_EQ(result.hits.size(), 1u);
    const SearchHit& hit = result.hits[0];
    EXPECT_EQ(hit.context, "…" + std::string(30, 'a') + "Ёлка" + std::string(60, 'b') + "…");
    EXPECT_EQ(hit.context.substr(hit.matchStart, hit.matchLength), "Ёлка");
}

TEST_F(QuizSearchTest, KeepsAThousandResultsThenSaysTruncated) {
    add("a.ini", grid("А", 10, 99), "А"); // 990 questions
    add("b.ini", grid("Б", 1, 10), "Б");  // 10 more: exactly the limit
    const SearchResult exact = searchQuizzes(tests, "вопрос", {});
    EXPECT_EQ(exact.hits.size(), kShownResultLimit);
    EXPECT_FALSE(exact.truncated);
    add("c.ini", grid("В", 1, 1), "В");
    for (const unsigned workers : {1u, 3u}) {
        const SearchResult over = searchQuizzes(tests, "вопрос", {.workers = workers});
        EXPECT_EQ(over.hits.size(), kShownResultLimit);
        EXPECT_TRUE(over.truncated);
        EXPECT_EQ(over.hits.back().path, dir.file("b.ini"));
    }
    const SearchResult all = searchQuizzes(tests, "вопрос", {.limit = 0});
    EXPECT_EQ(all.hits.size(), 1001u);
    EXPECT_FALSE(all.truncated);
}

TEST_F(QuizSearchTest, AnyNumberOfWorkersFindsTheSame) {
    for (int i = 0; i < 9; ++i)
        add("t" + std::to_string(i) + ".ini",
            grid("Т", 1 + i % 3, 5).set("10" + std::to_string(1 + i % 5), "Вариант №2", "ключ"),
            "Т" + std::to_string(i));
    const SearchResult one = searchQuizzes(tests, "КЛЮЧ", {.workers = 1});
    EXPECT_EQ(one.hits.size(), 9u);
    for (const unsigned workers : {0u, 2u, 5u}) {
        const SearchResult many = searchQuizzes(tests, "КЛЮЧ", {.workers = workers});
        ASSERT_EQ(many.hits.size(), one.hits.size());
        for (std::size_t i = 0; i < one.hits.size(); ++i)
            EXPECT_EQ(std::pair(many.hits[i].path, many.hits[i].question),
                      std::pair(one.hits[i].path, one.hits[i].question));
    }
}

TEST_F(QuizSearchTest, ANewQueryStopsTheOneBefore) {
    for (int i = 0; i < 20; ++i)
        add("t" + std::to_string(i) + ".ini", grid("Т", 2, 5), "Т");
    LatestSearch latest;
    const std::stop_token first = latest.restart();
    const std::stop_token second = latest.restart();
    EXPECT_TRUE(first.stop_requested());
    EXPECT_FALSE(second.stop_requested());
    const SearchResult stoppedBefore = searchQuizzes(tests, "вопрос", {.workers = 2, .stop = first});
    EXPECT_TRUE(stoppedBefore.stopped);
    EXPECT_TRUE(stoppedBefore.hits.empty());

    // Stopped while it runs: what was handed on stays, nothing comes after.
    for (const unsigned workers : {1u, 3u}) {
        std::size_t handed = 0;
        const std::stop_token token = latest.restart();
        const SearchResult run = searchQuizzes(
            tests, "вопрос", {.workers = workers, .stop = token, .onHit = [&](const SearchHit&) {
                                  if (++handed == 15)
                                      latest.restart();
                              }});
        EXPECT_TRUE(run.stopped);
        EXPECT_EQ(handed, 15u);
        EXPECT_EQ(run.hitCount, handed);
        EXPECT_TRUE(run.hits.empty()) << "handed on, not kept";
    }
    EXPECT_FALSE(searchQuizzes(tests, "вопрос", {.stop = latest.restart()}).stopped);
}

TEST_F(QuizSearchTest, TheScopeIsTheCurrentTestOrTheWholeListInOrder) {
    add("b.ini", grid("Б", 1, 1), "Б");
    add("a.ini", grid("А", 1, 1), "");
    QuizBank bank;
    EXPECT_TRUE(testsInScope(bank, SearchScope::CurrentTest).empty());
    bank.scan(dir.path() + "/");
    const std::vector<QuizEntry> every = testsInScope(bank, SearchScope::EveryTest);
    ASSERT_EQ(every.size(), 2u);
    EXPECT_EQ(every[0].path, dir.file("a.ini"));
    bank.setCurrent(1);
    const std::vector<QuizEntry> current = testsInScope(bank, SearchScope::CurrentTest);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current[0].name, "Б");
}

} // namespace
} // namespace quizloom::search
