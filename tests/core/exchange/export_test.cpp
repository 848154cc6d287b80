#include "core/exchange/quiz_export.h"

#include <gtest/gtest.h>

#include "core/bank/quiz_bank.h"
#include "core/exchange/export_model.h"
#include "core/exchange/quiz_import.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace ex = quizloom::exchange;
using quizloom::testing::IniDoc;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;

namespace {

IniDoc quizDoc(std::string_view name, std::string_view type, std::string_view level, int questions) {
    IniDoc doc;
    doc.set("Тест", "Название теста", name)
        .set("Тест", "Тип", type)
        .set("Тест", "Уровень", level)
        .set("Тест", "Количество вариантов", "1")
        .set("Тест", "Количество вопросов", std::to_string(questions));
    return doc;
}

void setQuestion(IniDoc& doc, const std::string& section, std::string_view text,
                 const std::vector<std::string>& options, const std::vector<std::string>& correct) {
    doc.set(section, "Вопрос", text);
    for (std::size_t i = 0; i < options.size(); ++i)
        doc.set(section, "Вариант №" + std::to_string(i + 1), options[i]);
    for (std::size_t i = 0; i < correct.size(); ++i)
        doc.set(section, "Правильный ответ №" + std::to_string(i + 1), correct[i]);
}

ex::ExportResult exportDoc(const IniDoc& doc, ex::Format format) {
    const TempDir dir;
    doc.write(dir.file("quiz.ini"));
    return ex::exportQuizzes({dir.file("quiz.ini")}, format);
}

ex::ExportQuestion choice(int correct, int options, bool single = false) {
    ex::ExportQuestion q;
    q.single = single;
    for (int i = 0; i < options; ++i)
        q.answers.push_back({"o" + std::to_string(i), i < correct});
    return q;
}

} // namespace

TEST(ExportWeights, CorrectOnesShareAHundredAndWrongOnesMinusAHundred) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ex::answerWeights(choice(1, 5)), (V{"100", "-25", "-25", "-25", "-25"}));
    EXPECT_EQ(ex::answerWeights(choice(2, 5)), (V{"50", "50", "-33.33333", "-33.33333", "-33.33333"}));
    EXPECT_EQ(ex::answerWeights(choice(3, 5)), (V{"33.33333", "33.33333", "33.33333", "-50", "-50"}));
    EXPECT_EQ(ex::answerWeights(choice(4, 5)), (V{"25", "25", "25", "25", "-100"}));
    EXPECT_EQ(ex::answerWeights(choice(5, 5)), (V{"20", "20", "20", "20", "20"}));
    EXPECT_EQ(ex::answerWeights(choice(1, 3, true)), (V{"100", "0", "0"}));
    // The platform refuses a short answer that no answer gives full marks.
    ex::ExportQuestion shortAnswer = choice(3, 3);
    shortAnswer.kind = ex::QuestionKind::ShortAnswer;
    EXPECT_EQ(ex::answerWeights(shortAnswer), (V{"100", "100", "100"}));
    EXPECT_EQ(ex::weightText(-0.000001), "0");
}

TEST(Export, LeavesOutWhatNoPlatformCanGradeWithTheReason) {
    IniDoc doc = quizDoc("Смесь", "много вариантов ответа", "1", 6);
    setQuestion(doc, "101", "", {"a", "b"}, {"a"});
    setQuestion(doc, "102", "Нет верного", {"a", "b"}, {});
    setQuestion(doc, "103", "Один вариант", {"", "a", "", "", ""}, {"a"});
    setQuestion(doc, "104", "Табуляция", {"a\tb", "c"}, {"c"});
    setQuestion(doc, "105", "Хороший", {"a", "", "b"}, {"b"});
    // 106 has no section at all
    const ex::ExportResult result = exportDoc(doc, ex::Format::MoodleXml);
    EXPECT_EQ(result.questionCount, 1u);
    EXPECT_EQ(result.quizCount, 1u);
    EXPECT_EQ(result.leftOut, (std::vector<ex::LeftOut>{
                                  {"Смесь", "101", "пустой вопрос"},
                                  {"Смесь", "102", "нет правильного ответа"},
                                  {"Смесь", "103", "меньше двух непустых вариантов ответа"},
                                  {"Смесь", "104", "текст содержит управляющие символы"},
                                  {"Смесь", "106", "пустой вопрос"},
                              }));
    EXPECT_EQ(ex::exportSummary(result).front(), "Экспортировано вопросов: 1 (тестов: 1)");
    EXPECT_EQ(ex::leftOutLine(result.leftOut.front()), "«Смесь», вопрос 101: пустой вопрос");
}

TEST(Export, LeavesOutWholeTestsItCannotRead) {
    IniDoc psycho = quizDoc("Психотест", "много вариантов ответа", "1", 1);
    setQuestion(psycho, "101", "Как вы спите?", {"хорошо", "плохо"}, {});
    IniDoc level3 = quizDoc("Уровень три", "много вариантов ответа", "3", 1);
    IniDoc zero = quizDoc("Ноль", "много вариантов ответа", "1", 0);
    const std::vector<std::pair<IniDoc, std::string>> cases = {
        {psycho, "психотест: ни в одном вопросе нет правильного ответа"},
        {level3, "неизвестный уровень теста «3»"},
        {zero, "неверное количество вариантов или вопросов"},
    };
    for (const auto& [doc, reason] : cases) {
        const ex::ExportResult result = exportDoc(doc, ex::Format::Gift);
        ASSERT_EQ(result.leftOut.size(), 1u) << reason;
        EXPECT_EQ(result.leftOut[0].section, "");
        EXPECT_EQ(result.leftOut[0].reason, reason);
        EXPECT_EQ(result.text, "");
    }
}

// A document without a question is one the platform's importer fails on:
// none is made, in any format, and the summary says why.
TEST(Export, NothingToExportWritesNoDocumentInAnyFormat) {
    IniDoc psycho = quizDoc("Психотест", "много вариантов ответа", "1", 1);
    setQuestion(psycho, "101", "Как вы спите?", {"хорошо", "плохо"}, {});
    IniDoc empty = quizDoc("Пустой", "много вариантов ответа", "1", 1);
    setQuestion(empty, "101", "", {"a", "b"}, {"a"});
    const std::vector<std::pair<IniDoc, std::string>> cases = {
        {psycho, "«Психотест»: психотест: ни в одном вопросе нет правильного ответа"},
        {empty, "«Пустой», вопрос 101: пустой вопрос"},
    };
    for (ex::Format format : {ex::Format::MoodleXml, ex::Format::Gift, ex::Format::Aiken})
        for (const auto& [doc, reason] : cases) {
            SCOPED_TRACE(std::string(ex::formatName(format)) + ": " + reason);
            const ex::ExportResult result = exportDoc(doc, format);
            EXPECT_FALSE(result.written());
            EXPECT_EQ(result.text, "");
            EXPECT_EQ(ex::exportSummary(result),
                      (std::vector<std::string>{
                          "Экспортировано вопросов: 0 (тестов: 0)", "Не экспортировано (1):", reason,
                          "Нет ни одного вопроса, который можно экспортировать: файл не "
                          "записан"}));
        }
}

// The platform's reader drops a text node of blanks only, such as the one
// between two references in "x <b>   & y": texts go as CDATA, and a "]]>"
// inside one is split across two sections.
TEST(Export, MoodleXmlKeepsBlanksBetweenEscapedCharactersAndCdataEnds) {
    IniDoc doc = quizDoc("Скобки", "один вариант ответа", "1", 1);
    setQuestion(doc, "101", "x <b>   & y", {"a]]>b", "<>  &"}, {"a]]>b"});
    const ex::ExportResult result = exportDoc(doc, ex::Format::MoodleXml);
    EXPECT_NE(result.text.find("<text><![CDATA[x <b>   & y]]></text>"), std::string::npos);
    EXPECT_NE(result.text.find("<text><![CDATA[a]]]]><![CDATA[>b]]></text>"), std::string::npos);
    const ex::ImportResult back = ex::importQuiz(result.text, ex::Format::MoodleXml, "x.xml");
    ASSERT_EQ(back.imported.size(), 1u);
    EXPECT_EQ(back.imported[0].record.question, "x <b>   & y");
    EXPECT_EQ(back.imported[0].record.options[0], "a]]>b");
    EXPECT_EQ(back.imported[0].record.options[1], "<>  &");
}

// Where the platforms do not look: comment lines before the test's first
// category in GIFT, the description of the test's own category in Moodle XML.
TEST(Export, TheHeaderGoesWhereThePlatformsDoNotLook) {
    IniDoc doc = quizDoc("Химия", "один вариант ответа", "1", 1);
    doc.set("Тест", "Дисциплина", "неорганическая химия").set("Тест", "Оценка 5", "90");
    setQuestion(doc, "101", "H2O?", {"вода", "соль"}, {"вода"});
    const std::string gift = exportDoc(doc, ex::Format::Gift).text;
    EXPECT_EQ(gift.substr(0, gift.find("::101::")),
              "// [Тест]\n// Название теста=Химия\n// Дисциплина=неорганическая химия\n"
              "// Тип=один вариант ответа\n// Уровень=1\n// Оценка 5=90\n\n$CATEGORY: Химия/Вариант 1\n\n");
    EXPECT_NE(
        exportDoc(doc, ex::Format::MoodleXml)
            .text.find("<category>\n      <text><![CDATA[Химия]]></text>\n    </category>\n"
                       "    <info format=\"plain_text\">\n      <text><![CDATA[[Тест]\n"
                       "Название теста=Химия\nДисциплина=неорганическая химия\nТип=один вариант ответа\n"
                       "Уровень=1\nОценка 5=90]]></text>"),
        std::string::npos);
}

TEST(Export, GiftEscapesItsSyntaxAndDoublesSlashesInCategories) {
    IniDoc doc = quizDoc("Физика/Химия", "один вариант ответа", "1", 2);
    setQuestion(doc, "101", "a~b=c#d{e}f:g\\h", {"=1", "[html]2", "%50%3"}, {"=1"});
    setQuestion(doc, "102", "Два верных", {"x", "y", "z"}, {"x", "y"});
    const std::string gift = exportDoc(doc, ex::Format::Gift).text;
    EXPECT_EQ(gift.substr(gift.find("$CATEGORY:")), "$CATEGORY: Физика//Химия/Вариант 1\n\n"
                                                    "::101::[plain]a\\~b\\=c\\#d\\{e\\}f\\:g\\\\h{\n"
                                                    "\t=\\=1\n\t~[plain][html]2\n\t~[plain]%50%3\n}\n\n"
                                                    "::102::[plain]Два верных{\n"
                                                    "\t~%50%x\n\t~%50%y\n\t~%-100%z\n}\n\n");
}

TEST(Export, ShortAnswersKeepLetterCaseAndWriteTheStarLiterally) {
    IniDoc doc = quizDoc("Звёзды", "много вариантов ответа", "2", 1);
    setQuestion(doc, "101", "<b>Звезда</b> & знак?", {}, {"*", "A*b"});
    const ex::ExportResult xml = exportDoc(doc, ex::Format::MoodleXml);
    EXPECT_NE(xml.text.find("<text><![CDATA[<b>Звезда</b> & знак?]]></text>"), std::string::npos);
    EXPECT_NE(xml.text.find("<usecase>1</usecase>"), std::string::npos);
    // Each accepted answer at full marks.
    for (std::string answer : {"\\*", "A\\*b"})
        EXPECT_NE(xml.text.find("<answer fraction=\"100\" format=\"plain_text\">\n      <text><![CDATA[" +
                                answer + "]]></text>"),
                  std::string::npos)
            << answer;
    EXPECT_TRUE(xml.notes.empty());
    const ex::ExportResult gift = exportDoc(doc, ex::Format::Gift);
    EXPECT_NE(gift.text.find("\t=\\*\n\t=A\\*b\n"), std::string::npos);
    EXPECT_EQ(gift.notes.size(), 1u);
}

TEST(Export, GiftLeavesOutShortAnswersItWouldReadAsMatching) {
    IniDoc doc = quizDoc("Стрелки", "много вариантов ответа", "2", 1);
    setQuestion(doc, "101", "Куда?", {}, {"a->b"});
    EXPECT_EQ(exportDoc(doc, ex::Format::Gift).leftOut.at(0).reason,
              "GIFT не может записать «->» в коротком ответе");
    EXPECT_TRUE(exportDoc(doc, ex::Format::MoodleXml).leftOut.empty());
}

TEST(Export, AikenHoldsOnlyOneCorrectOptionAndAnUnambiguousText) {
    IniDoc doc = quizDoc("Айкен", "много вариантов ответа", "1", 6);
    setQuestion(doc, "101", "Хороший вопрос", {"a", "b"}, {"b"});
    setQuestion(doc, "102", "Два верных", {"a", "b", "c"}, {"a", "b"});
    setQuestion(doc, "103", "B) похоже на вариант", {"a", "b"}, {"a"});
    setQuestion(doc, "104", "ANSWER: похоже на ответ", {"a", "b"}, {"a"});
    setQuestion(doc, "105", "Я", {"a", "b"}, {"a"});
    setQuestion(doc, "106", "b. строчная буква годится", {"a", "b"}, {"a"});
    const ex::ExportResult result = exportDoc(doc, ex::Format::Aiken);
    EXPECT_EQ(result.text, "Хороший вопрос\nA) a\nB) b\nANSWER: B\n\n"
                           "b. строчная буква годится\nA) a\nB) b\nANSWER: A\n\n");
    std::vector<std::string> sections;
    for (const ex::LeftOut& left : result.leftOut)
        sections.push_back(left.section);
    EXPECT_EQ(sections, (std::vector<std::string>{"102", "103", "104", "105"}));
    IniDoc level2 = quizDoc("Уровень 2", "много вариантов ответа", "2", 1);
    setQuestion(level2, "101", "Столица?", {}, {"Париж"});
    EXPECT_EQ(exportDoc(level2, ex::Format::Aiken).leftOut,
              (std::vector<ex::LeftOut>{{"Уровень 2", "", "Aiken хранит только вопросы уровня 1"}}));
}

// The sample bank exported whole, byte for byte, in each format.
TEST(ExportGolden, SampleBankInEveryFormat) {
    std::vector<std::string> paths;
    for (const quizloom::QuizEntry& entry :
         quizloom::scanQuizFolder(QUIZLOOM_TEST_DATA "/../../examples/Тесты/"))
        paths.push_back(entry.path);
    ASSERT_EQ(paths.size(), 4u);
    const std::pair<ex::Format, std::string> goldens[] = {
        {ex::Format::MoodleXml, "sample-bank.xml"},
        {ex::Format::Gift, "sample-bank.gift"},
        {ex::Format::Aiken, "sample-bank.aiken.txt"},
    };
    for (const auto& [format, golden] : goldens) {
        const ex::ExportResult result = ex::exportQuizzes(paths, format);
        EXPECT_EQ(result.text, readFileBytes(QUIZLOOM_TEST_DATA "/exchange/" + golden)) << golden;
        EXPECT_EQ(ex::leftOutLine(result.leftOut.back()),
                  "«Физиология (с ошибками)», вопрос 202: пустой вопрос");
    }
}
