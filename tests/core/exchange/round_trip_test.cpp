// Generated tests exported and imported again keep their questions, and,
// where the format carries categories and names, their places and every
// value of their header. Tests made to break that are either given back the
// same or left out by the export with the reason.
#include <gtest/gtest.h>

#include "core/checker/structure_check.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/ini/profile_file.h"
#include "core/quiz/question_record.h"
#include "core/quiz/quiz_format.h"
#include "support/quiz_generator.h"
#include "support/temp_dir.h"

namespace ex = quizloom::exchange;
namespace qz = quizloom::quiz;
using quizloom::ProfileFile;
using quizloom::testing::GeneratedQuiz;
using quizloom::testing::TempDir;

namespace {

constexpr std::uint32_t kSeeds = 60;

// A question as a platform sees it: its text, the non-empty options and
// which of them are correct (level 1), or the correct answers (level 2).
struct Portable {
    std::string text;
    std::vector<std::string> answers;
    std::vector<bool> correct;
    bool operator==(const Portable&) const = default;
};

Portable portable(const qz::QuestionRecord& record, int level) {
    Portable p{record.question, {}, {}};
    if (level == 2) {
        p.answers = qz::correctFromFields(qz::level2Fields(record));
        return p;
    }
    const qz::AnswerMarks marks = qz::displayedMarks(record);
    for (int i = 0; i < qz::kAnswerCount; ++i)
        if (!record.options[i].empty()) {
            p.answers.push_back(record.options[i]);
            p.correct.push_back(marks[i]);
        }
    return p;
}

std::ostream& operator<<(std::ostream& out, const Portable& p) {
    out << "«" << p.text << "»";
    for (std::size_t i = 0; i < p.answers.size(); ++i)
        out << " [" << p.answers[i] << (i < p.correct.size() && p.correct[i] ? "+" : "") << "]";
    return out;
}

struct Imported {
    ex::ImportResult result;
    std::string path;
};

Imported roundTrip(const TempDir& dir, const GeneratedQuiz& quiz, ex::Format format) {
    const std::string source = dir.file("source.ini");
    quizloom::testing::writeQuiz(source, quiz);
    const ex::ExportResult exported = ex::exportQuizzes({source}, format);
    Imported imported{ex::importQuiz(exported.text, format, "bank.txt"), dir.file("imported.ini")};
    ex::writeImportedQuiz(imported.path, imported.result, imported.result.suggestedName,
                          imported.result.subject.value_or(""), ex::ExistingFile::Refuse);
    return imported;
}

std::string header(const std::string& path, std::string_view key) {
    return ProfileFile(path).readString(qz::kHeaderSection, key, "");
}

// The structure check holds the imported test good when every question has
// five options and the variants are full.
void expectCheckPassesWhenFull(const Imported& imported) {
    bool full = imported.result.level == 1 &&
                imported.result.imported.size() ==
                    static_cast<std::size_t>(imported.result.variants * imported.result.questions);
    for (const ex::ImportedQuestion& q : imported.result.imported)
        full = full && portable(q.record, 1).answers.size() == qz::kAnswerCount;
    if (full) {
        EXPECT_TRUE(quizloom::check::checkQuizFile(imported.path, false).passed);
    }
}

class PlacedRoundTrip : public ::testing::TestWithParam<ex::Format> {};

TEST_P(PlacedRoundTrip, KeepsQuestionsPlacesAndHeader) {
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TempDir dir;
        const GeneratedQuiz quiz = quizloom::testing::generateQuiz(seed);
        const Imported imported = roundTrip(dir, quiz, GetParam());
        EXPECT_TRUE(imported.result.refused.empty());
        const std::pair<std::string_view, std::string> wholeHeader[] = {
            {qz::kKeyName, quiz.name},
            {qz::kKeySubject, quiz.subject},
            {qz::kKeyType, quiz.type},
            {qz::kKeyLevel, std::to_string(quiz.level)},
            {qz::kKeyVariants, std::to_string(quiz.variants)},
            {qz::kKeyQuestions, std::to_string(quiz.questions)},
            {qz::kKeyGrade5, quiz.grades[0]},
            {qz::kKeyGrade4, quiz.grades[1]},
            {qz::kKeyGrade3, quiz.grades[2]},
        };
        for (const auto& [key, value] : wholeHeader)
            EXPECT_EQ(header(imported.path, key), value) << key;
        const ProfileFile file(imported.path);
        for (int v = 1; v <= quiz.variants; ++v)
            for (int q = 1; q <= quiz.questions; ++q)
                EXPECT_EQ(portable(qz::readQuestionRecord(file, qz::sectionName(v, q)), quiz.level),
                          portable(quiz.at(v, q), quiz.level))
                    << "question " << qz::sectionName(v, q);
        expectCheckPassesWhenFull(imported);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PlacedRoundTrip, ::testing::Values(ex::Format::MoodleXml, ex::Format::Gift),
                         [](const auto& info) {
                             return info.param == ex::Format::Gift ? "Gift" : "MoodleXml";
                         });

// Aiken has no categories or names: the questions it can hold come back in
// order, filling as few variants as they need.
TEST(AikenRoundTrip, KeepsTheQuestionsItCanHoldInOrder) {
    int held = 0;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TempDir dir;
        const GeneratedQuiz quiz = quizloom::testing::generateQuiz(seed);
        const std::string source = dir.file("source.ini");
        quizloom::testing::writeQuiz(source, quiz);
        const ex::ExportResult exported = ex::exportQuizzes({source}, ex::Format::Aiken);
        if (exported.questionCount == 0)
            continue;
        held += static_cast<int>(exported.questionCount);
        std::vector<Portable> expected;
        for (int v = 1; v <= quiz.variants; ++v)
            for (int q = 1; q <= quiz.questions; ++q) {
                const std::string section = qz::sectionName(v, q);
                const bool left = std::any_of(exported.leftOut.begin(), exported.leftOut.end(),
                                              [&](const ex::LeftOut& l) { return l.section == section; });
                if (!left)
                    expected.push_back(portable(quiz.at(v, q), 1));
            }
        const ex::ImportResult result = ex::importQuiz(exported.text, ex::Format::Aiken, "bank.txt");
        std::vector<Portable> actual;
        for (const ex::ImportedQuestion& q : result.imported)
            actual.push_back(portable(q.record, 1));
        EXPECT_EQ(actual, expected);
        EXPECT_EQ(result.type, qz::kTypeOne);
        EXPECT_TRUE(result.refused.empty());
    }
    EXPECT_GT(held, 20); // the property looked at questions, not only at left-out ones
}

TEST(FiveOptionRoundTrip, ImportedTestsPassTheStructureCheck) {
    for (ex::Format format : {ex::Format::MoodleXml, ex::Format::Gift, ex::Format::Aiken})
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            const TempDir dir;
            const GeneratedQuiz quiz = quizloom::testing::generateQuiz(seed, {.fiveOptions = true});
            const std::string source = dir.file("source.ini");
            quizloom::testing::writeQuiz(source, quiz);
            const ex::ExportResult exported = ex::exportQuizzes({source}, format);
            if (exported.questionCount == 0)
                continue;
            const ex::ImportResult result = ex::importQuiz(exported.text, format, "bank.txt");
            const std::string path = dir.file("imported.ini");
            ex::writeImportedQuiz(path, result, "Тест", "предмет", ex::ExistingFile::Refuse);
            const bool full =
                result.imported.size() == static_cast<std::size_t>(result.variants * result.questions);
            EXPECT_EQ(quizloom::check::checkQuizFile(path, false).passed, full);
        }
}

// What export wrote, import reads back: the questions that went, the test's
// name where the format carries it, the variant count when every question
// went, and the type where the format carries it (Aiken makes every test
// "один вариант ответа").
void expectRoundTripHolds(const std::string& source, const GeneratedQuiz& quiz, ex::Format format) {
    const ex::ExportResult exported = ex::exportQuizzes({source}, format);
    for (const ex::LeftOut& left : exported.leftOut)
        EXPECT_FALSE(left.reason.empty());
    if (!exported.written())
        return;
    const ex::ImportResult result = ex::importQuiz(exported.text, format, "bank.txt");
    EXPECT_TRUE(result.malformed.empty());
    EXPECT_TRUE(result.refused.empty()) << ex::refusedLine(result.refused.front());
    std::vector<Portable> expected;
    for (int v = 1; v <= quiz.variants; ++v)
        for (int q = 1; q <= quiz.questions; ++q) {
            const std::string section = qz::sectionName(v, q);
            if (std::none_of(exported.leftOut.begin(), exported.leftOut.end(),
                             [&](const ex::LeftOut& l) { return l.section == section; }))
                expected.push_back(portable(quiz.at(v, q), quiz.level));
        }
    std::vector<Portable> actual;
    for (const ex::ImportedQuestion& q : result.imported)
        actual.push_back(portable(q.record, result.level));
    EXPECT_EQ(actual, expected);
    if (format != ex::Format::Aiken) {
        EXPECT_EQ(result.suggestedName, quiz.name);
        EXPECT_EQ(result.type, quiz.type);
        if (exported.leftOut.empty()) {
            EXPECT_EQ(result.variants, quiz.variants);
        }
    } else if (quiz.type == qz::kTypeOne) {
        EXPECT_EQ(result.type, quiz.type);
    }
}

struct HostileCase {
    std::string title;
    std::string name;
    std::string type;
    std::vector<std::string> texts;                // one question to a variant
    std::vector<std::vector<std::string>> options; // per question; the first ones are correct
    std::vector<std::size_t> correct;              // how many of them
    char nameByte = 0;                             // replaces the name's "#" in the file's bytes
};

const std::vector<HostileCase> kHostile = {
    {"a test named as the platform's top category",
     "top",
     std::string(qz::kTypeMany),
     {"Вопрос", "Второй"},
     {{"a", "b"}, {"c", "d", "e"}},
     {1, 2}},
    {"a test named top with a slash", "top/", std::string(qz::kTypeOne), {"Вопрос"}, {{"a", "b"}}, {1}},
    {"a test named as a context",
     "$course$/Химия",
     std::string(qz::kTypeMany),
     {"Вопрос"},
     {{"a", "b"}},
     {1}},
    {"a test named with a path under top",
     "top/Физика",
     std::string(qz::kTypeMany),
     {"Вопрос"},
     {{"a", "b"}},
     {1}},
    {"a control byte in the name",
     "Хим#ия",
     std::string(qz::kTypeMany),
     {"Вопрос"},
     {{"a", "b"}},
     {1},
     '\x01'},
    {"a NUL in the name", "Хим#ия", std::string(qz::kTypeMany), {"Вопрос"}, {{"a", "b"}}, {1}, '\0'},
    {"a name padded with blanks", " Химия ", std::string(qz::kTypeMany), {"Вопрос"}, {{"a", "b"}}, {1}},
    {"texts with leading and trailing blanks",
     "Химия",
     std::string(qz::kTypeOne),
     {"  Вопрос", "Вопрос ", "Хороший"},
     {{"a", "b"}, {"a", "b"}, {" a", "b"}},
     {1, 1, 1}},
    {"two correct answers in a test of one",
     "Химия",
     std::string(qz::kTypeOne),
     {"Два", "Один"},
     {{"a", "b", "c"}, {"a", "b"}},
     {2, 1}},
    {"one option, and a question of one character",
     "Химия",
     std::string(qz::kTypeOne),
     {"Один вариант", "Я", "Обычный"},
     {{"a"}, {"a", "b"}, {"a", "b"}},
     {1, 1, 1}},
};

GeneratedQuiz hostileQuiz(const HostileCase& c) {
    GeneratedQuiz quiz;
    quiz.name = c.name;
    quiz.subject = "предмет";
    quiz.grades = {"95", "85", "75"};
    quiz.type = c.type;
    quiz.variants = static_cast<int>(c.texts.size());
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
        qz::QuestionRecord record;
        record.question = c.texts[i];
        for (std::size_t k = 0; k < c.options[i].size(); ++k)
            record.options[k] = c.options[i][k];
        qz::setCorrect(record,
                       std::vector<std::string>(c.options[i].begin(), c.options[i].begin() + c.correct[i]));
        quiz.records.push_back(record);
    }
    return quiz;
}

TEST(HostileRoundTrip, EveryFormatGivesBackWhatItWroteOrLeavesItOutWithTheReason) {
    for (const HostileCase& c : kHostile)
        for (ex::Format format : {ex::Format::MoodleXml, ex::Format::Gift, ex::Format::Aiken}) {
            SCOPED_TRACE(c.title + " in " + std::string(ex::formatTitle(format)));
            const TempDir dir;
            const GeneratedQuiz quiz = hostileQuiz(c);
            const std::string source = dir.file("source.ini");
            quizloom::testing::writeQuiz(source, quiz);
            if (c.nameByte != 0 || c.name.find('#') != std::string::npos) {
                std::string bytes = quizloom::testing::readFileBytes(source);
                bytes[bytes.find('#')] = c.nameByte;
                quizloom::testing::writeFileBytes(source, bytes);
            }
            expectRoundTripHolds(source, quiz, format);
        }
}

// The property for the generated tests too, in every format at once.
TEST(HostileRoundTrip, GeneratedTestsKeepTheirQuestionsNameAndType) {
    for (ex::Format format : {ex::Format::MoodleXml, ex::Format::Gift, ex::Format::Aiken})
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " in " + std::string(ex::formatTitle(format)));
            const TempDir dir;
            const GeneratedQuiz quiz = quizloom::testing::generateQuiz(seed);
            const std::string source = dir.file("source.ini");
            quizloom::testing::writeQuiz(source, quiz);
            expectRoundTripHolds(source, quiz, format);
        }
}

} // namespace
