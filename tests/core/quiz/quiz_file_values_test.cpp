// The one-pass reader of a whole test file finds every value the profile
// reader finds, on files written to trip it: letter case, blanks and quotes
// around names and values, repeated sections and keys, names that only look
// like question numbers, every kind of line end.
#include "core/quiz/quiz_file_values.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/ini/profile_file.h"
#include "core/ini/profile_name.h"
#include "core/text/cp1251.h"
#include "support/temp_dir.h"

namespace quizloom::quiz {
namespace {

using quizloom::testing::TempDir;

const std::vector<std::pair<HeaderKey, std::string_view>> kHeaderKeys = {
    {HeaderKey::Subject, kKeySubject},     {HeaderKey::Name, kKeyName},     {HeaderKey::Type, kKeyType},
    {HeaderKey::Level, kKeyLevel},         {HeaderKey::Variants, kKeyVariants},
    {HeaderKey::Questions, kKeyQuestions}, {HeaderKey::Grade5, kKeyGrade5}, {HeaderKey::Grade4, kKeyGrade4},
    {HeaderKey::Grade3, kKeyGrade3}};

void expectSameAsProfileReader(const std::string& path) {
    QuizFileValues values;
    values.read(path);
    const ProfileFile file(path);
    for (const auto& [key, name] : kHeaderKeys)
        EXPECT_EQ(values.header(key), file.findBytes(profile::Name(kHeaderSection), profile::Name(name))) << name;
    QuestionRecord record;
    for (int v = 1; v <= 25; ++v) {
        for (int q = 1; q <= kMaxQuestionsPerVariant; ++q) {
            values.question(v, q, TextEncoding::FileBytes, record);
            ASSERT_EQ(record, readQuestionRecord(file, sectionName(v, q), TextEncoding::FileBytes))
                << path << " " << sectionName(v, q);
        }
    }
}

std::string tricky(std::string_view lineEnd) {
    std::string text = R"(Вопрос=in the preamble
  [ тЕСТ ] trailing words
 ДИСЦИПЛИНА =	'химия'
Название теста="  blanks kept  "
Тип=много вариантов ответа
Тип=a repeat is not read
;Уровень=2
Уровень
Уровень = 1=1
Количество вариантов=25
Количество вопросов=99
Оценка 5="
Оценка 4='x"
[Тест]
Оценка 3=from a repeated header
[101]
вопрос=q
ВАРИАНТ №1=a
Вариант  №2=two blanks inside: not a key
Вариант №3=
Правильный ответ №1=a
Правильный ответ №1=repeat
[0102]
Вопрос=not section 102
[+103]
Вопрос=not section 103
[ 104 ]
Вопрос=blanks around the number count for nothing
[104]
Вопрос=a repeated question section
[2599
Вопрос=no closing bracket
[2600]
Вопрос=past the last question
[100]
Вопрос=question zero
[201]
[Вопрос=a section line, not an entry
Вопрос=under a section named "Вопрос=a section line, not an entry"
[202]
Правильный ответ №5=	"	"	
Вопрос=no line end at the end)";
    std::string out;
    for (const char c : utf8ToCp1251(text))
        out += c == '\n' ? std::string(lineEnd) : std::string(1, c);
    return out;
}

TEST(QuizFileValuesTest, FindsWhatTheProfileReaderFinds) {
    const TempDir dir;
    for (const std::string_view lineEnd : {"\r\n", "\n", "\r"}) {
        const std::string path = dir.file("t.ini");
        quizloom::testing::writeFileBytes(path, tricky(lineEnd));
        expectSameAsProfileReader(path);
    }
    QuizFileValues values;
    values.read(dir.file("t.ini"));
    EXPECT_EQ(values.header(HeaderKey::Name), "  blanks kept  ");
    EXPECT_EQ(values.header(HeaderKey::Grade3), std::nullopt);
    QuestionRecord record;
    values.question(1, 4, TextEncoding::Utf8, record);
    EXPECT_EQ(record.question, "blanks around the number count for nothing");
}

// One reader goes from file to file: nothing of a fuller file before is left.
TEST(QuizFileValuesTest, AReaderReusedForAnotherFileKeepsNothingOfTheLast) {
    const TempDir dir;
    quizloom::testing::writeFileBytes(dir.file("full.ini"), tricky("\r\n"));
    quizloom::testing::writeFileBytes(dir.file("small.ini"), utf8ToCp1251("[102]\r\nВопрос=b\r\n"));
    ::mkfifo(dir.file("fifo.ini").c_str(), 0600);
    QuizFileValues values;
    QuestionRecord record;
    for (const char* name : {"small.ini", "missing.ini", "fifo.ini"}) {
        values.read(dir.file("full.ini"));
        values.read(dir.file(name));
        expectSameAsProfileReader(dir.file(name));
        values.question(1, 1, TextEncoding::FileBytes, record);
        EXPECT_EQ(record, QuestionRecord{}) << name;
        EXPECT_EQ(values.header(HeaderKey::Subject), std::nullopt) << name;
    }
    values.read(dir.file("small.ini"));
    values.question(1, 2, TextEncoding::Utf8, record);
    EXPECT_EQ(record.question, "b");
}

} // namespace
} // namespace quizloom::quiz
