#include "core/quiz/question_record.h"

#include <gtest/gtest.h>

#include "core/ini/profile_file.h"
#include "core/ini/profile_name.h"
#include "core/text/cp1251.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace tf = quizloom::quiz;
using quizloom::ProfileFile;
using quizloom::testing::IniDoc;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;

namespace {

struct Question {
    std::string section;
    std::string text;
    tf::AnswerTexts options;
    tf::AnswerMarks marks;
};

const std::vector<Question> kWorkedQuestions = {
    {"101", "How much is 2 plus 2", {"3", "4", "5", "6", "7"}, {false, true, false, false, false}},
    {"102", "Which numbers are even", {"1", "2", "3", "4", "5"}, {false, true, false, true, false}},
    {"201", "How much is 3 plus 3", {"5", "6", "7", "8", "9"}, {false, true, false, false, false}},
    {"202", "Which numbers are odd", {"2", "3", "4", "5", "6"}, {false, true, false, true, false}},
};

const std::vector<std::pair<std::string_view, std::string_view>> kWorkedHeader = {
    {tf::kKeyName, "Arithmetic"}, {tf::kKeySubject, "Mathematics"}, {tf::kKeyType, tf::kTypeMany},
    {tf::kKeyLevel, "1"},         {tf::kKeyVariants, "2"},          {tf::kKeyQuestions, "2"},
    {tf::kKeyGrade5, "95"},       {tf::kKeyGrade4, "85"},           {tf::kKeyGrade3, "75"},
};

} // namespace

TEST(TestFormat, NamesAreTheExactBytesOfTheFormat) {
    // "№" is the single byte 0xB9 in the file, right before the digit.
    EXPECT_EQ(quizloom::utf8ToCp1251(tf::optionKey(1)), "\xC2\xE0\xF0\xE8\xE0\xED\xF2 \xB9"
                                                        "1");
    EXPECT_EQ(tf::correctKey(5), "Правильный ответ №5");
    EXPECT_EQ(tf::sectionName(1, 1), "101");
    EXPECT_EQ(tf::sectionName(1, 12), "112");
    EXPECT_EQ(tf::sectionName(3, 5), "305");
    EXPECT_EQ(tf::sectionName(12, 34), "1234");
    EXPECT_EQ(tf::sectionName(1, 99), "199");
    EXPECT_EQ(tf::sectionNumber(25, 99), 2599);
}

// The worked example, written key by key through the profile layer, is the
// exact file the examination program expects and reads back unchanged.
TEST(TestFormat, WorkedExampleWritesGoldenBytesAndReadsBack) {
    TempDir dir;
    const std::string path = dir.file("arithmetic.ini");
    IniDoc expected;
    {
        ProfileFile file(path);
        for (const auto& [key, value] : kWorkedHeader) {
            file.writeString(tf::kHeaderSection, key, value);
            expected.set(tf::kHeaderSection, key, value);
        }
        for (const Question& q : kWorkedQuestions) {
            file.writeString(q.section, tf::kKeyQuestion, q.text);
            expected.set(q.section, tf::kKeyQuestion, q.text);
            for (int i = 0; i < tf::kAnswerCount; ++i) {
                file.writeString(q.section, tf::optionKey(i + 1), q.options[i]);
                expected.set(q.section, tf::optionKey(i + 1), q.options[i]);
            }
            const auto correct = tf::correctFromMarks(q.options, q.marks);
            for (std::size_t i = 0; i < correct.size(); ++i) {
                file.writeString(q.section, tf::correctKey(static_cast<int>(i) + 1), correct[i]);
                expected.set(q.section, tf::correctKey(static_cast<int>(i) + 1), correct[i]);
            }
        }
        file.release();
    }
    EXPECT_EQ(readFileBytes(path), expected.bytes());
    EXPECT_NE(expected.bytes().find("\r\n[102]\r\n\xC2\xEE\xEF\xF0\xEE\xF1=Which numbers are even\r\n"),
              std::string::npos);

    const ProfileFile file(path);
    for (const auto& [key, value] : kWorkedHeader)
        EXPECT_EQ(file.readString(tf::kHeaderSection, key, "?"), value) << key;
    for (const Question& q : kWorkedQuestions) {
        const tf::QuestionRecord record = tf::readQuestionRecord(file, q.section);
        EXPECT_EQ(record.question, q.text);
        EXPECT_EQ(record.options, q.options);
        EXPECT_EQ(tf::displayedMarks(record), q.marks) << q.section;
    }
    EXPECT_EQ(file.readString("102", tf::correctKey(2), ""), "4");
    EXPECT_EQ(file.readString("102", tf::correctKey(3), "missing"), "missing");
}

TEST(TestFormat, Level2AnswersAreStoredWithoutGapsAndShownInOrder) {
    const tf::AnswerTexts fields{"4", "", "four", "", ""};
    const auto correct = tf::correctFromFields(fields);
    ASSERT_EQ(correct, (std::vector<std::string>{"4", "four"}));

    TempDir dir;
    const std::string path = dir.file("level2.ini");
    {
        ProfileFile file(path);
        file.writeString("101", tf::kKeyQuestion, "How much is 2 plus 2");
        for (std::size_t i = 0; i < correct.size(); ++i)
            file.writeString("101", tf::correctKey(static_cast<int>(i) + 1), correct[i]);
    }
    EXPECT_EQ(readFileBytes(path), IniDoc()
                                       .set("101", "Вопрос", "How much is 2 plus 2")
                                       .set("101", "Правильный ответ №1", "4")
                                       .set("101", "Правильный ответ №2", "four")
                                       .bytes());
    const ProfileFile file(path);
    EXPECT_EQ(tf::level2Fields(tf::readQuestionRecord(file, "101")),
              (tf::AnswerTexts{"4", "four", "", "", ""}));
    EXPECT_EQ(tf::level2Fields(tf::readQuestionRecord(file, "999")), tf::AnswerTexts{});
}

TEST(TestFormat, Level1CorrectAnswersEndAtTheFirstMissingOne) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    IniDoc()
        .set("101", "Правильный ответ №2", "b") // №1 missing: nothing counts
        .set("102", "Правильный ответ №1", "a")
        .set("102", "Правильный ответ №2", "Error") // the stored text "Error" ends the list
        .set("102", "Правильный ответ №3", "c")
        .set("103", "Правильный ответ №1", "") // an empty correct answer is kept
        .write(path);
    const ProfileFile file(path);
    EXPECT_TRUE(tf::correctUpToMissing(tf::readQuestionRecord(file, "101")).empty());
    EXPECT_EQ(tf::correctUpToMissing(tf::readQuestionRecord(file, "102")), std::vector<std::string>{"a"});
    EXPECT_EQ(tf::correctUpToMissing(tf::readQuestionRecord(file, "103")), std::vector<std::string>{""});
    EXPECT_TRUE(tf::correctUpToMissing(tf::readQuestionRecord(file, "104")).empty());
}

// A record reused from section to section reads each as a fresh one does:
// nothing of a fuller section before it is left in it.
TEST(QuestionRecord, ReusedRecordReadsEachSectionAsAFreshOne) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    IniDoc()
        .set("101", "Вопрос", "q")
        .set("101", "Вариант №1", "a")
        .set("101", "Правильный ответ №1", "a")
        .set("101", "Правильный ответ №3", "c")
        .set("102", "Правильный ответ №2", "b")
        .set("103", "Вопрос", "Жёлтый")
        .write(path);
    const ProfileFile file(path);
    const auto& keys = tf::questionKeyNames();
    for (const auto encoding : {tf::TextEncoding::Utf8, tf::TextEncoding::FileBytes}) {
        tf::QuestionRecord reused;
        for (const std::string_view section : {"101", "102", "103", "101", "999"}) {
            tf::QuestionValues values;
            for (int i = 0; i < tf::kQuestionKeyCount; ++i)
                values[i] = file.findBytes(quizloom::profile::Name(section), keys[i]);
            tf::fillQuestionRecord(values, encoding, reused);
            EXPECT_EQ(reused, tf::readQuestionRecord(file, section, encoding)) << section;
        }
    }
}

TEST(TestFormat, Level1MarksFollowTheTextsOfTheOptions) {
    const tf::AnswerTexts options{"a", "b", "c", "b", "e"};
    // Options 2 and 5 marked: their texts in option order.
    EXPECT_EQ(tf::correctFromMarks(options, {false, true, false, false, true}),
              (std::vector<std::string>{"b", "e"}));
    EXPECT_TRUE(tf::correctFromMarks(options, {}).empty());
    // Two options with the same text are both correct once one is.
    EXPECT_EQ(tf::marksFromCorrect(options, {"b"}), (tf::AnswerMarks{false, true, false, true, false}));
    // Letter case counts; an answer equal to no option marks nothing.
    EXPECT_EQ(tf::marksFromCorrect(options, {"A", "z"}), tf::AnswerMarks{});
    // A list handed over with "Error" in it ends there.
    EXPECT_EQ(tf::marksFromCorrect(options, {"a", "Error", "e"}),
              (tf::AnswerMarks{true, false, false, false, false}));
    // A marked empty option is stored empty and marks every empty option.
    const tf::AnswerTexts withEmpty{"a", "", "c", "", "e"};
    const auto stored = tf::correctFromMarks(withEmpty, {false, true, false, false, false});
    EXPECT_EQ(stored, std::vector<std::string>{""});
    EXPECT_EQ(tf::marksFromCorrect(withEmpty, stored), (tf::AnswerMarks{false, true, false, true, false}));
}

TEST(QuestionRecord, WriterStoresCorrectAnswersUpToTheFirstGapAndRemovesEveryLaterKey) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    const std::string doc = IniDoc()
                                .set("101", "Правильный ответ №1", "old1")
                                .set("101", "Правильный ответ №2", "old2")
                                .set("101", "Правильный ответ №3", "old3")
                                .bytes();
    // The same key once more at the end of the section.
    quizloom::testing::writeFileBytes(path, doc + doc.substr(doc.rfind("\r\n", doc.size() - 3) + 2));
    tf::QuestionRecord record;
    record.question = "q";
    record.correct = {std::string("a"), std::nullopt, std::string("c"), std::nullopt, std::nullopt};
    {
        ProfileFile file(path);
        tf::writeQuestionRecord(file, "101", record, tf::StoredAnswers::CorrectOnly);
        file.release();
    }
    const ProfileFile file(path);
    const tf::QuestionRecord back = tf::readQuestionRecord(file, "101");
    EXPECT_EQ(back.question, "q");
    EXPECT_EQ(back.correct[0], std::optional<std::string>("a"));
    for (int i = 1; i < tf::kAnswerCount; ++i)
        EXPECT_FALSE(back.correct[i]) << i;
    EXPECT_EQ(back.options, tf::AnswerTexts{}) << "level 2 writes no option";
}

TEST(QuestionRecord, PsychoTestWritesOnlyTheQuestion) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    IniDoc().set("101", "Правильный ответ №1", "kept").write(path);
    tf::QuestionRecord record;
    record.question = "q";
    record.options = {"a", "b", "c", "d", "e"};
    {
        ProfileFile file(path);
        tf::writeQuestionRecord(file, "101", record, tf::StoredAnswers::None);
        file.release();
    }
    EXPECT_EQ(readFileBytes(path),
              IniDoc().set("101", "Правильный ответ №1", "kept").set("101", "Вопрос", "q").bytes());
}
