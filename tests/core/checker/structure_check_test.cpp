#include "core/checker/structure_check.h"

#include <gtest/gtest.h>

#include "core/text/cp1251.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

using namespace quizloom::check;
using quizloom::testing::IniDoc;
using quizloom::testing::TempDir;
using Lines = std::vector<std::string>;

namespace {

const std::string kHeader = "Тест";
const std::string kSep(182, '-');
const std::string kStart = "Проверка вопросов-ответов:";
const std::string kPassed = "Пройдена успешно...";
const std::string kSkipped =
    "Проверка вопросов-ответов пропущена, так как неправильно задано количество вопросов и/или "
    "вариантов теста";
const std::string kNoCorrect = "нет ни одного правильного ответа ....";

// A complete question: text, five different options, the third correct.
void setGoodQuestion(IniDoc& doc, const std::string& section) {
    doc.set(section, "Вопрос", "Сколько будет 2+2?");
    for (int i = 1; i <= 5; ++i)
        doc.set(section, "Вариант №" + std::to_string(i), std::to_string(i + 1));
    doc.set(section, "Правильный ответ №1", "4");
}

// The passing test: one variant of one question.
IniDoc passingTest(int variants = 1, int questions = 1) {
    IniDoc doc;
    doc.set(kHeader, "Дисциплина", "Математика")
        .set(kHeader, "Название теста", "Проба")
        .set(kHeader, "Тип", "один вариант ответа")
        .set(kHeader, "Уровень", "2")
        .set(kHeader, "Количество вариантов", std::to_string(variants))
        .set(kHeader, "Количество вопросов", std::to_string(questions))
        .set(kHeader, "Оценка 5", "95")
        .set(kHeader, "Оценка 4", "85")
        .set(kHeader, "Оценка 3", "75");
    for (int k = 1; k <= variants; ++k)
        for (int l = 1; l <= questions; ++l)
            setGoodQuestion(doc, std::to_string(k * 100 + l));
    return doc;
}

std::string position(int question, int variant) {
    return "№" + std::to_string(question) + " в варианте №" + std::to_string(variant) +
           " (в файле это вопрос - " + std::to_string(variant * 100 + question) + ") ";
}

std::string errorsFound(int count) {
    return "При проверке вопросов-ответов найдено " + std::to_string(count) + " ошибок (ошибки)";
}

class StructureCheckTest : public ::testing::Test {
protected:
    FileCheck check(const IniDoc& doc, bool printOnlyDamaged = false) {
        doc.write(path());
        return checkQuizFile(path(), printOnlyDamaged);
    }
    std::string path() const { return dir.file("тест.ini"); }
    std::string heading() const { return "Проверяем на ошибки структуру файла теста \"" + path() + "\" ..."; }
    // The lines of a test whose header is fine, around the question lines.
    Lines withQuestionLines(const Lines& questionLines, int errors) const {
        Lines lines{heading(), "Название теста - \"Проба\"", kStart};
        lines.insert(lines.end(), questionLines.begin(), questionLines.end());
        lines.push_back(errors > 0 ? errorsFound(errors) : kPassed);
        lines.push_back(kSep);
        return lines;
    }
    // The lines of a test with the given header lines and clean questions.
    Lines withHeaderLines(const Lines& headerLines) const {
        Lines lines{heading()};
        lines.insert(lines.end(), headerLines.begin(), headerLines.end());
        lines.insert(lines.end(), {kStart, kPassed, kSep});
        return lines;
    }
    TempDir dir;
};

} // namespace

TEST_F(StructureCheckTest, PassingFileGivesExactlyFiveLinesAndIsLeftUntouched) {
    const IniDoc doc = passingTest();
    const FileCheck result = check(doc);
    EXPECT_TRUE(result.passed);
    EXPECT_EQ(result.lines, (Lines{heading(), "Название теста - \"Проба\"", kStart, kPassed, kSep}));
    EXPECT_FALSE(result.firstError);
    EXPECT_EQ(quizloom::testing::readFileBytes(path()), doc.bytes());

    const FileCheck hidden = check(doc, true);
    EXPECT_TRUE(hidden.passed);
    EXPECT_TRUE(hidden.lines.empty());
}

TEST_F(StructureCheckTest, TypeIsComparedAfterCodePageLowerCasing) {
    const std::string noType = "Не указан тип теста (нужно либо \"много вариантов ответа\" либо "
                               "\"один вариант ответа\") ...";
    const std::string badType = "Неправильно указан тип теста (нужно либо \"много вариантов ответа\" "
                                "либо \"один вариант ответа\") ...";
    const struct {
        std::optional<std::string> value;
        std::optional<std::string> line;
    } cases[] = {
        {std::nullopt, std::nullopt}, // absent: the default passes
        {"Много вариантов ответа", std::nullopt},
        {"ОДИН ВАРИАНТ ОТВЕТА", std::nullopt},
        {"", noType},
        {"много вариантов", badType},
        {"oдин вариант ответа", badType}, // Latin "o"
    };
    for (const auto& c : cases) {
        IniDoc doc = passingTest();
        if (c.value)
            doc.set(kHeader, "Тип", *c.value);
        else
            doc.remove(kHeader, "Тип");
        const FileCheck result = check(doc, true);
        SCOPED_TRACE(c.value.value_or("(absent)"));
        EXPECT_EQ(result.passed, !c.line);
        if (c.line) {
            EXPECT_EQ(result.lines, withHeaderLines({"Название теста - \"Проба\"", *c.line}));
        }
    }
}

TEST_F(StructureCheckTest, LevelMustBeExactlyOneOrTwo) {
    const std::string noLevel = "Не указан уровень теста (нужно либо \"1\" либо \"2\") ...";
    const std::string badLevel = "Неправильно указан уровень теста (нужно либо \"1\" либо \"2\") ...";
    const struct {
        std::optional<std::string> value;
        std::optional<std::string> line;
    } cases[] = {
        {"1", std::nullopt}, {"01", badLevel}, {"3", badLevel}, {"", noLevel}, {std::nullopt, noLevel}};
    for (const auto& c : cases) {
        IniDoc doc = passingTest();
        if (c.value)
            doc.set(kHeader, "Уровень", *c.value);
        else
            doc.remove(kHeader, "Уровень");
        const FileCheck result = check(doc);
        SCOPED_TRACE(c.value.value_or("(absent)"));
        EXPECT_EQ(result.passed, !c.line);
        if (c.line) {
            EXPECT_EQ(result.lines, withHeaderLines({"Название теста - \"Проба\"", *c.line}));
        }
    }
}

TEST_F(StructureCheckTest, MissingSubjectAndNameAreProblems) {
    IniDoc doc = passingTest();
    doc.set(kHeader, "Дисциплина", "").remove(kHeader, "Название теста");
    const FileCheck result = check(doc, true);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.lines,
              withHeaderLines({"Не указана дисциплина (предмет)...", "Не указано название теста..."}));
}

TEST_F(StructureCheckTest, CountsOutOfRangeSkipTheQuestions) {
    const std::string variantsRange = "Неправильно указано количество вариантов теста (нужно от 1 до 25) ...";
    const std::string questionsRange = "Неправильно указано количество вопросов теста (нужно от 1 до 99) ...";
    const struct {
        const char* key;
        const char* value;
        std::string line;
    } cases[] = {
        {"Количество вариантов", "0", variantsRange},
        {"Количество вариантов", "26", variantsRange},
        {"Количество вопросов", "100", questionsRange},
        {"Количество вопросов", "-1", questionsRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const FileCheck result = check(passingTest().set(kHeader, c.key, c.value));
        EXPECT_FALSE(result.passed);
        EXPECT_EQ(result.lines, (Lines{heading(), "Название теста - \"Проба\"", c.line, kSkipped, kSep}));
    }
    // Hexadecimal counts convert like every whole number of the program.
    EXPECT_TRUE(check(passingTest().set(kHeader, "Количество вариантов", "$1")).passed);
}

TEST_F(StructureCheckTest, CountsThatDoNotConvertStopTheCheckWithoutSeparator) {
    const struct {
        const char* key;
        const char* value;
        Lines tail;
    } cases[] = {
        {"Количество вариантов", "пять", {"Не указано количество вариантов теста ..."}},
        {"Количество вариантов", "", {"Не указано количество вариантов теста ..."}},
        {"Количество вопросов", "5 ", {"Не указано количество вопросов теста ..."}},
        {"Оценка 4", "", {"Не указан уровень оценок теста ..."}},
        {"Оценка 3", "7,5", {"Не указан уровень оценок теста ..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        // Values are written raw: the reader trims blanks, so "5 " must be quoted to keep its blank.
        IniDoc doc = passingTest();
        doc.set(kHeader, c.key,
                std::string(c.value).ends_with(' ') ? "\"" + std::string(c.value) + "\"" : c.value);
        const FileCheck result = check(doc);
        EXPECT_FALSE(result.passed);
        Lines expected{heading(), "Название теста - \"Проба\""};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(result.lines, expected);
    }
    // A range problem before a stop is kept.
    const FileCheck result =
        check(passingTest().set(kHeader, "Количество вариантов", "30").remove(kHeader, "Оценка 5"));
    EXPECT_EQ(result.lines, (Lines{heading(), "Название теста - \"Проба\"",
                                   "Неправильно указано количество вариантов теста (нужно от 1 до 25) ...",
                                   "Не указан уровень оценок теста ..."}));
}

TEST_F(StructureCheckTest, GradesMustRiseFromOneToHundred) {
    const struct {
        const char *g3, *g4, *g5;
        bool passes;
    } cases[] = {
        {"75", "85", "95", true},   {"75", "75", "95", false}, {"0", "85", "95", false},
        {"75", "85", "101", false}, {"1", "2", "3", true},     {"98", "99", "100", true},
        {"75", "95", "85", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.g3) + "/" + c.g4 + "/" + c.g5);
        const FileCheck result = check(passingTest()
                                           .set(kHeader, "Оценка 3", c.g3)
                                           .set(kHeader, "Оценка 4", c.g4)
                                           .set(kHeader, "Оценка 5", c.g5));
        EXPECT_EQ(result.passed, c.passes);
        EXPECT_EQ(result.lines.size(), c.passes ? 5u : 6u);
    }
    // The line quotes the texts as read, grade 3 first.
    const FileCheck result = check(passingTest()
                                       .set(kHeader, "Оценка 3", "90")
                                       .set(kHeader, "Оценка 4", "$55")
                                       .set(kHeader, "Оценка 5", "95"));
    EXPECT_EQ(result.lines, withHeaderLines({"Название теста - \"Проба\"",
                                             "Неправильно указаны уровни оценок теста: сейчас оценка 3-90%, "
                                             "оценка 4-$55%, оценка 5-95%..."}));
}

TEST_F(StructureCheckTest, QuestionRules) {
    const std::string onQuestion = "На вопрос " + position(1, 1);
    const auto notFive = [](int count) {
        return "нет пяти вариантов ответа (есть " + std::to_string(count) + " вариант(а))....";
    };
    const struct {
        const char* name;
        void (*change)(IniDoc&);
        Lines lines;
        int errors;
    } cases[] = {
        {"missing section",
         [](IniDoc& d) { d.removeSection("101"); },
         {"Не заполнен вопрос " + position(1, 1)},
         1},
        {"only correct answers, no text, no options",
         [](IniDoc& d) {
             for (int i = 1; i <= 5; ++i)
                 d.remove("101", "Вариант №" + std::to_string(i));
             d.remove("101", "Вопрос");
         },
         {"Не заполнен вопрос " + position(1, 1)},
         1},
        {"no question text",
         [](IniDoc& d) { d.remove("101", "Вопрос"); },
         {"Нет вопроса " + position(1, 1)},
         1},
        {"no correct answer key",
         [](IniDoc& d) { d.remove("101", "Правильный ответ №1"); },
         {onQuestion, kNoCorrect},
         1},
        {"four options, no matching answer",
         [](IniDoc& d) { d.set("101", "Вариант №5", "").set("101", "Правильный ответ №1", "42"); },
         {onQuestion, notFive(4), onQuestion, kNoCorrect},
         2},
        {"answer differs in letter case",
         [](IniDoc& d) { d.set("101", "Вариант №3", "Да").set("101", "Правильный ответ №1", "да"); },
         {onQuestion, kNoCorrect},
         1},
        {"only the first C answers count",
         [](IniDoc& d) { d.remove("101", "Правильный ответ №1").set("101", "Правильный ответ №2", "4"); },
         {onQuestion, kNoCorrect},
         1},
        {"an empty first answer matches an empty option",
         [](IniDoc& d) {
             d.remove("101", "Правильный ответ №1").set("101", "Правильный ответ №2", "nothing");
             d.remove("101", "Вариант №2");
         },
         {onQuestion, notFive(4)},
         1},
        {"a later answer matches",
         [](IniDoc& d) { d.set("101", "Правильный ответ №1", "x").set("101", "Правильный ответ №2", "6"); },
         {},
         0},
        {"level 2 storage: answers, no options",
         [](IniDoc& d) {
             for (int i = 1; i <= 5; ++i)
                 d.remove("101", "Вариант №" + std::to_string(i));
         },
         {onQuestion, notFive(0), onQuestion, kNoCorrect},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDoc doc = passingTest();
        c.change(doc);
        const FileCheck result = check(doc, true);
        EXPECT_EQ(result.passed, c.errors == 0);
        EXPECT_EQ(result.lines, c.errors == 0 ? Lines{} : withQuestionLines(c.lines, c.errors));
        EXPECT_EQ(result.firstError, c.errors == 0 ? std::nullopt : std::optional(QuestionPosition{1, 1}));
    }
}

TEST_F(StructureCheckTest, QuestionsAreCheckedVariantByVariantAndTheFirstErrorIsKept) {
    IniDoc doc = passingTest(2, 3);
    doc.removeSection("203").removeSection("202").remove("103", "Вопрос");
    doc.set(kHeader, "Уровень", "1");
    const FileCheck result = check(doc);
    EXPECT_EQ(result.lines,
              withQuestionLines({"Нет вопроса " + position(3, 1), "Не заполнен вопрос " + position(2, 2),
                                 "Не заполнен вопрос " + position(3, 2)},
                                3));
    EXPECT_EQ(result.firstError, (QuestionPosition{1, 3}));
}

TEST_F(StructureCheckTest, ErrorCapIsTestedOnlyBetweenVariants) {
    IniDoc doc = passingTest();
    doc.removeSection("101")
        .set(kHeader, "Количество вариантов", "25")
        .set(kHeader, "Количество вопросов", "99");
    const FileCheck result = check(doc);
    ASSERT_EQ(result.lines.size(), 3u + 198u + 2u);
    EXPECT_EQ(result.lines[3], "Не заполнен вопрос " + position(1, 1));
    EXPECT_EQ(result.lines[101], "Не заполнен вопрос " + position(99, 1));
    EXPECT_EQ(result.lines[102], "Не заполнен вопрос " + position(1, 2));
    EXPECT_EQ(result.lines[200], "Не заполнен вопрос " + position(99, 2));
    EXPECT_EQ(result.lines[201], errorsFound(198));
    EXPECT_EQ(result.lines[202], kSep);

    // Exactly 100 after a variant is not above the cap: one more variant is checked.
    doc.set(kHeader, "Количество вопросов", "50");
    EXPECT_EQ(check(doc).lines.at(3 + 150), errorsFound(150));
}

TEST_F(StructureCheckTest, MissingFileReadsAsEmptyAndNoPathMeansNoFile) {
    const FileCheck missing = checkQuizFile(dir.file("нет.ini"), true);
    EXPECT_FALSE(missing.passed);
    EXPECT_EQ(missing.lines,
              (Lines{"Проверяем на ошибки структуру файла теста \"" + dir.file("нет.ini") + "\" ...",
                     "Не указана дисциплина (предмет)...", "Не указано название теста...",
                     "Не указан уровень теста (нужно либо \"1\" либо \"2\") ...",
                     "Не указано количество вариантов теста ..."}));
    const FileCheck none = checkQuizFile("", false);
    EXPECT_FALSE(none.passed);
    EXPECT_EQ(none.lines, Lines{"Нет файла(ов) с тестом для проверки его структуры!!!"});
}

TEST_F(StructureCheckTest, RunOpensTheFirstDamagedTestAtItsOwnFirstError) {
    passingTest().write(dir.file("a.ini"));
    passingTest().set(kHeader, "Дисциплина", "").write(dir.file("b.ini")); // header only
    passingTest(1, 2).removeSection("102").write(dir.file("c.ini"));
    const std::vector<std::string> paths{dir.file("a.ini"), dir.file("b.ini"), dir.file("c.ini")};

    const RunResult run = checkQuizzes(paths, {});
    EXPECT_EQ(run.checkedCount, 3u);
    EXPECT_EQ(run.damagedCount, 2u);
    EXPECT_EQ(run.firstDamaged, 1u);
    EXPECT_EQ(run.openPosition, (QuestionPosition{1, 1})); // not c's question 2
    const Lines b = checkQuizFile(paths[1], true).lines;
    Lines sections = b;
    const Lines c = checkQuizFile(paths[2], true).lines;
    sections.insert(sections.end(), c.begin(), c.end());
    EXPECT_EQ(run.sectionLines, sections);

    Lines report{"", kSep, "Проверено 3 файл(ов) с тестами, найдено ошибок структур: 2", kSep};
    report.insert(report.end(), sections.begin(), sections.end());
    EXPECT_EQ(allFilesReport(run, paths.size()), report);

    const RunResult simple = checkQuizzes(paths, {.printOnlyDamaged = false, .stopAtFirstDamaged = true});
    EXPECT_EQ(simple.checkedCount, 2u);
    EXPECT_EQ(simple.damagedCount, 1u);
    EXPECT_EQ(simple.sectionLines.size(), 5u + b.size());

    const RunResult fromC = checkQuizzes({paths[0], paths[2], paths[1]}, {});
    EXPECT_EQ(fromC.firstDamaged, 1u);
    EXPECT_EQ(fromC.openPosition, (QuestionPosition{1, 2}));

    const RunResult clean = checkQuizzes({paths[0]}, {});
    EXPECT_EQ(clean.damagedCount, 0u);
    EXPECT_FALSE(clean.firstDamaged);
    EXPECT_TRUE(clean.sectionLines.empty());
}

TEST(CheckReportLayout, SummaryLinesAndReportFileBytes) {
    EXPECT_EQ(allFilesReport(RunResult{}, 0),
              (Lines{"", kSep, "Проверено 0 файл(ов) с тестами, найдено ошибок структур: 0", kSep}));
    EXPECT_EQ(reportTopLines(oneQuizSummary(1)),
              (Lines{"", kSep, "Проверен один файл с тестами, найдено ошибок структур: 1", kSep}));
    EXPECT_EQ(
        screenOnlyLines(),
        (Lines{"Результаты проверки файлов записаны в файл \"Результаты проверки тестов.txt\"", kSep, ""}));
    EXPECT_EQ(reportFileBytes({"", "Пройдена успешно...", kSep}),
              "\r\n" + quizloom::utf8ToCp1251("Пройдена успешно...") + "\r\n" + kSep + "\r\n");
}
