// A test on paper built from its file: the variants chosen, the question
// and option order with letters, and the answer key following the shuffle.
#include "core/print/paper_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/print/paper_texts.h"
#include "core/text/error.h"
#include "support/ini_doc.h"
#include "support/quiz_generator.h"
#include "support/temp_dir.h"

namespace quizloom::print {
namespace {

using testing::IniDoc;
using testing::TempDir;

IniDoc header(const std::string& level, const std::string& variants, const std::string& questions,
              const std::string& type = "много вариантов ответа") {
    IniDoc doc;
    doc.set("Тест", "Название теста", "Дроби")
        .set("Тест", "Дисциплина", "математика")
        .set("Тест", "Тип", type)
        .set("Тест", "Уровень", level)
        .set("Тест", "Количество вариантов", variants)
        .set("Тест", "Количество вопросов", questions);
    return doc;
}

void option(IniDoc& doc, const std::string& section, const std::string& text,
            const std::array<std::string, 5>& options, const std::vector<std::string>& correct) {
    doc.set(section, "Вопрос", text);
    for (int k = 0; k < 5; ++k)
        doc.set(section, "Вариант №" + std::to_string(k + 1), options[k]);
    for (std::size_t i = 0; i < correct.size(); ++i)
        doc.set(section, "Правильный ответ №" + std::to_string(i + 1), correct[i]);
}

class PaperModel : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("quiz.ini");

    PaperTest build(const IniDoc& doc, PaperChoices choices = {}, int current = 1) {
        doc.write(path);
        return buildPaperTest(path, choices, current);
    }
};

TEST_F(PaperModel, Level1LettersTheNonEmptyOptionsAndKeysTheCorrectOnes) {
    IniDoc doc = header("1", "1", "2", "один вариант ответа");
    option(doc, "101", "  Половина от 1? ", {"1/2", "", "  0,5", "2", ""}, {"1/2", "  0,5"});
    option(doc, "102", "Больше 1", {"3/2", "1/3", "", "", "5/4"}, {"5/4"});
    const PaperTest test = build(doc);
    EXPECT_EQ(test.name, "Дроби");
    EXPECT_EQ(test.subject, "математика");
    EXPECT_EQ(test.level, 1);
    EXPECT_TRUE(test.singleAnswer);
    ASSERT_EQ(test.variants.size(), 1u);
    const PaperVariant& variant = test.variants[0];
    ASSERT_EQ(variant.questions.size(), 2u);
    const PaperQuestion& first = variant.questions[0];
    // Blanks inside a stored value are the value's (a quoted one keeps them).
    EXPECT_EQ(first.text, "Половина от 1?");
    ASSERT_EQ(first.options.size(), 3u);
    EXPECT_EQ(first.options[0].letter, "а");
    EXPECT_EQ(first.options[1].letter, "б");
    EXPECT_EQ(first.options[1].text, "0,5");
    EXPECT_EQ(first.options[1].source, 3);
    EXPECT_EQ(first.options[2].letter, "в");
    EXPECT_EQ(first.key, (std::vector<std::string>{"а", "б"}));
    EXPECT_EQ(variant.questions[1].key, (std::vector<std::string>{"в"}));
    EXPECT_EQ(keyText(first.key, 1), "а, б");
}

TEST_F(PaperModel, Level2HasNoOptionsAndKeysTheAcceptedAnswers) {
    IniDoc doc = header("2", "1", "2");
    doc.set("101", "Вопрос", "Столица Франции")
        .set("101", "Правильный ответ №1", "Париж")
        .set("101", "Правильный ответ №3", "Paris");
    doc.set("102", "Вопрос", "Без ответа");
    const PaperTest test = build(doc);
    EXPECT_EQ(test.level, 2);
    const PaperQuestion& first = test.variants[0].questions[0];
    EXPECT_TRUE(first.options.empty());
    EXPECT_EQ(first.key, (std::vector<std::string>{"Париж", "Paris"}));
    EXPECT_EQ(keyText(first.key, 2), "Париж; Paris");
    EXPECT_EQ(keyText(test.variants[0].questions[1].key, 2), "—");
}

TEST_F(PaperModel, EmptyQuestionsAreLeftOutAndTheRestNumberedOn) {
    IniDoc doc = header("1", "2", "4");
    option(doc, "101", "Первый", {"a", "b", "", "", ""}, {"a"});
    option(doc, "102", "", {"a", "b", "", "", ""}, {"a"});
    // 103 missing altogether
    option(doc, "104", "Четвёртый", {"a", "b", "", "", ""}, {"b"});
    option(doc, "201", "Другой", {"a", "b", "", "", ""}, {"a"});
    PaperChoices choices;
    choices.variants = "все";
    const PaperTest test = build(doc, choices);
    ASSERT_EQ(test.variants.size(), 2u);
    const PaperVariant& first = test.variants[0];
    ASSERT_EQ(first.questions.size(), 2u);
    EXPECT_EQ(first.questions[1].number, 2);
    EXPECT_EQ(first.questions[1].source, 4);
    EXPECT_EQ(first.questions[1].text, "Четвёртый");
    EXPECT_EQ(first.leftOut, 2);
    EXPECT_EQ(test.variants[1].leftOut, 3);
    EXPECT_EQ(test.questionCount(), 3);
    EXPECT_EQ(test.leftOutCount(), 5);
}

TEST_F(PaperModel, TheHeaderIsReadAsTheEditorShowsIt) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> header;
        std::string subject;
        int level;
        std::size_t variants; // with "все"
        std::size_t questions;
    };
    const Case cases[] = {
        {{}, "физиология", 1, 5, 5}, // the display defaults
        {{{"Дисциплина", ""}, {"Уровень", "3"}}, "Физиология", 2, 5, 5},
        {{{"Количество вариантов", "0"}, {"Количество вопросов", "abc"}}, "физиология", 1, 1, 5},
        // Beyond 99 questions a section is another variant's.
        {{{"Количество вариантов", "2"}, {"Количество вопросов", "250"}}, "физиология", 1, 2, 99},
    };
    for (const Case& c : cases) {
        IniDoc doc;
        doc.set("Тест", "Название теста", "Т");
        for (const auto& [key, value] : c.header)
            doc.set("Тест", key, value);
        for (int v = 1; v <= 5; ++v)
            for (int q = 1; q <= 99; ++q)
                doc.set(std::to_string(v * 100 + q), "Вопрос", "в" + std::to_string(q));
        PaperChoices choices;
        choices.variants = "все";
        const PaperTest test = build(doc, choices);
        EXPECT_EQ(test.subject, c.subject);
        EXPECT_EQ(test.level, c.level);
        ASSERT_EQ(test.variants.size(), c.variants);
        EXPECT_EQ(test.variants[0].questions.size(), c.questions);
    }
}

TEST_F(PaperModel, ARefusedVariantListIsAnErrorWithItsReason) {
    EXPECT_THROW(build(header("1", "3", "1"), {.variants = "4"}), Error);
    EXPECT_EQ(build(header("1", "3", "1"), {.variants = "текущий"}, 3).variants[0].number, 3);
}

class ShuffledPaper : public PaperModel {
protected:
    testing::GeneratedQuiz quiz = testing::generateQuiz(11, {.fiveOptions = true});

    void SetUp() override {
        // Several variants of several questions, every question with five options.
        while (quiz.variants < 2 || quiz.questions < 5)
            quiz = testing::generateQuiz(++seed_, {.fiveOptions = true});
        testing::writeQuiz(path, quiz);
    }

    PaperTest paper(std::uint32_t key, bool questions = true, bool options = true) {
        PaperChoices choices;
        choices.variants = "все";
        choices.shuffleQuestions = questions;
        choices.shuffleOptions = options;
        choices.key = key;
        return buildPaperTest(path, choices, 1);
    }

private:
    std::uint32_t seed_ = 11;
};

TEST_F(ShuffledPaper, EachVariantIsAPermutationWhoseKeyFollowsTheOptions) {
    const PaperTest test = paper(777);
    for (const PaperVariant& variant : test.variants) {
        std::set<int> sources;
        for (const PaperQuestion& question : variant.questions) {
            sources.insert(question.source);
            const quiz::QuestionRecord& record = quiz.at(variant.number, question.source);
            EXPECT_EQ(question.text, record.question);
            std::set<int> optionSources;
            std::vector<std::string> key;
            for (std::size_t i = 0; i < question.options.size(); ++i) {
                const PaperOption& option = question.options[i];
                EXPECT_EQ(option.letter, kOptionLetters[i]);
                EXPECT_EQ(option.text, record.options[option.source - 1]);
                optionSources.insert(option.source);
                const std::vector<std::string> correct = quiz::correctUpToMissing(record);
                if (std::find(correct.begin(), correct.end(), option.text) != correct.end())
                    key.emplace_back(option.letter);
            }
            EXPECT_EQ(optionSources.size(), 5u);
            EXPECT_EQ(question.key, key) << "variant " << variant.number << " question " << question.source;
        }
        EXPECT_EQ(static_cast<int>(sources.size()), quiz.questions);
    }
}

std::vector<int> sourceOrder(const PaperVariant& variant) {
    std::vector<int> order;
    for (const PaperQuestion& question : variant.questions) {
        order.push_back(question.source);
        for (const PaperOption& option : question.options)
            order.push_back(option.source);
    }
    return order;
}

TEST_F(ShuffledPaper, TheSameKeyGivesTheSamePaperAndOtherKeysDiffer) {
    const PaperTest first = paper(4242);
    const PaperTest again = paper(4242);
    const PaperTest other = paper(4243);
    for (std::size_t v = 0; v < first.variants.size(); ++v) {
        EXPECT_EQ(sourceOrder(first.variants[v]), sourceOrder(again.variants[v]));
        EXPECT_NE(sourceOrder(first.variants[v]), sourceOrder(other.variants[v]));
    }
    // Variants are shuffled each in their own way.
    EXPECT_NE(sourceOrder(first.variants[0]), sourceOrder(first.variants[1]));
}

TEST_F(ShuffledPaper, AVariantComesOutTheSameWhicheverOthersArePrinted) {
    PaperChoices choices;
    choices.variants = "2";
    choices.shuffleQuestions = choices.shuffleOptions = true;
    choices.key = 31337;
    const PaperTest alone = buildPaperTest(path, choices, 1);
    EXPECT_EQ(sourceOrder(alone.variants[0]), sourceOrder(paper(31337).variants[1]));
}

TEST_F(ShuffledPaper, WithoutShufflingTheFileOrderStands) {
    for (const auto& [questions, options] : {std::pair{false, false}, {true, false}, {false, true}}) {
        const PaperTest test = paper(99, questions, options);
        const PaperVariant& variant = test.variants[0];
        std::vector<int> questionOrder;
        bool optionsInOrder = true;
        for (const PaperQuestion& question : variant.questions) {
            questionOrder.push_back(question.source);
            for (std::size_t i = 0; i < question.options.size(); ++i)
                optionsInOrder = optionsInOrder && question.options[i].source == static_cast<int>(i) + 1;
        }
        EXPECT_EQ(std::is_sorted(questionOrder.begin(), questionOrder.end()), !questions);
        EXPECT_EQ(optionsInOrder, !options);
    }
}

} // namespace
} // namespace quizloom::print
