// Import of hand-written Moodle XML: variants from "Вариант N" categories,
// positions from names, every refused case, and the new file it writes.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"
#include "core/text/error.h"
#include "support/ini_doc.h"
#include "support/temp_dir.h"

namespace ex = quizloom::exchange;
namespace qz = quizloom::quiz;
using quizloom::testing::IniDoc;
using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;

namespace {

std::string category(std::string_view path) {
    return "<question type=\"category\"><category><text>" + std::string(path) +
           "</text></category></question>\n";
}

std::string choice(std::string_view name, std::string_view text,
                   std::vector<std::pair<std::string, std::string>> answers, std::string_view extra = "") {
    std::string xml = "<question type=\"multichoice\"><name><text>" + std::string(name) +
                      "</text></name>\n<questiontext format=\"html\"><text><![CDATA[" + std::string(text) +
                      "]]></text></questiontext>" + std::string(extra) + "\n";
    for (const auto& [fraction, answer] : answers)
        xml += "<answer fraction=\"" + fraction + "\"><text>" + answer + "</text></answer>\n";
    return xml + "</question>\n";
}

std::string quiz(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + body + "</quiz>\n";
}

const std::vector<std::pair<std::string, std::string>> kTwo = {{"100", "да"}, {"0", "нет"}};

ex::ImportResult importXml(const std::string& xml) {
    return ex::importQuiz(xml, ex::Format::MoodleXml, "bank.xml");
}

std::string errorOf(const std::string& xml) {
    try {
        importXml(xml);
    } catch (const quizloom::Error& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(ImportMoodleXml, VariantCategoriesAndNamesGivePositions) {
    const std::string xml =
        quiz(category("$course$/top/История/Вариант 2") + choice("203", "В2 третий", kTwo) +
             choice("x", "В2 без номера", kTwo) + choice("201", "В2 первый", kTwo) +
             category("История/Вариант 1") + choice("101", "В1 первый", kTwo) + category("История") +
             choice("7", "Вне варианта", kTwo));
    const ex::ImportResult result = importXml(xml);
    EXPECT_EQ(result.suggestedName, "История");
    EXPECT_EQ(result.type, qz::kTypeOne);
    EXPECT_EQ(result.variants, 2);
    EXPECT_EQ(result.questions, 3);
    std::vector<std::string> placed;
    for (const ex::ImportedQuestion& q : result.imported)
        placed.push_back(qz::sectionName(q.variant, q.position) + " " + q.record.question);
    EXPECT_EQ(placed, (std::vector<std::string>{"101 В1 первый", "201 В2 первый", "202 В2 без номера",
                                                "203 В2 третий"}));
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(ex::refusedLine(result.refused[0]), "строка 26 («7»): вне категорий «Вариант N»");
    EXPECT_EQ(result.notes, (std::vector<std::string>{"В варианте 1 не хватает 2 вопр. из 3"}));
}

TEST(ImportMoodleXml, RefusesWhatTheFileCannotHoldWithTheQuestionName) {
    const std::string xml = quiz(
        choice("Жирный", "<p><strong>Жирный</strong>&nbsp;текст &amp; &#1105;</p>", kTwo,
               "<single>false</single>") +
        "<question type=\"truefalse\"><name><text>ДаНет</text></name><questiontext format=\"plain_text\">"
        "<text>Земля плоская?</text></questiontext><answer fraction=\"0\"><text>true</text></answer>"
        "<answer fraction=\"100\"><text>false</text></answer></question>\n" +
        "<question type=\"essay\"><name><text>Эссе</text></name></question>\n"
        "<question type=\"matching\"><name><text>Пары</text></name></question>\n"
        "<question type=\"numerical\"><name><text>Число</text></name></question>\n"
        "<question type=\"description\"><name><text>Описание</text></name></question>\n" +
        choice("Шесть", "Шесть?",
               {{"100", "1"}, {"0", "2"}, {"0", "3"}, {"0", "4"}, {"0", "5"}, {"0", "6"}}) +
        choice("Неравные", "Неравные?", {{"50", "a"}, {"30", "b"}, {"-100", "c"}}) +
        choice("Никто", "Никто?", {{"0", "a"}, {"-50", "b"}}) +
        choice("Файл", "С картинкой", kTwo, "<file name=\"a.png\" encoding=\"base64\">AAAA</file>") +
        choice("Картинка", "<img src=\"@@PLUGINFILE@@/a.png\">Что?", kTwo) +
        choice("Ссылка", "<a href=\"x\">Ссылка</a>", kTwo) + choice("Эмодзи", "Смайл 😀?", kTwo) +
        choice("Сущность", "Знак &bogus;", kTwo) + choice("Управляющий", "Звонок &#7;", kTwo) +
        "<question type=\"shortanswer\"><name><text>Коротко</text></name><questiontext format=\"plain_text\">"
        "<text>Столица?</text></questiontext><answer "
        "fraction=\"100\"><text>Париж</text></answer></question>\n");
    const ex::ImportResult result = importXml(xml);
    std::vector<std::string> refused;
    for (const ex::RefusedQuestion& r : result.refused)
        refused.push_back(ex::refusedLine(r));
    EXPECT_EQ(refused,
              (std::vector<std::string>{
                  "строка 9 («Эссе»): вопросы типа «essay» файл теста не хранит",
                  "строка 10 («Пары»): вопросы типа «matching» файл теста не хранит",
                  "строка 11 («Число»): вопросы типа «numerical» файл теста не хранит",
                  "строка 12 («Описание»): вопросы типа «description» файл теста не хранит",
                  "строка 13 («Шесть»): больше пяти вариантов ответа",
                  "строка 22 («Неравные»): разные положительные веса ответов: файл теста отмечает ответ "
                  "только как верный или неверный",
                  "строка 28 («Никто»): веса ответов не отмечают ни одного верного",
                  "строка 33 («Файл»): изображение",
                  "строка 38 («Картинка»): изображение",
                  "строка 43 («Ссылка»): текст вопроса: HTML-разметка сложнее форматирования текста (<a>)",
                  "строка 48 («Эмодзи»): текст вопроса: символы, которых нет в кодовой странице Windows-1251",
                  "строка 53 («Сущность»): текст вопроса: неизвестная ссылка на символ &bogus;",
                  "строка 58 («Управляющий»): текст вопроса: управляющие символы в тексте",
                  "строка 63 («Коротко»): короткий ответ (уровень 2) в тесте уровня 1",
              }));
    ASSERT_EQ(result.imported.size(), 2u);
    EXPECT_EQ(result.type, qz::kTypeMany);
    EXPECT_EQ(result.imported[0].record.question, "Жирный текст & ё");
    EXPECT_EQ(result.imported[1].record.options, (qz::AnswerTexts{"Верно", "Неверно", "", "", ""}));
    EXPECT_EQ(qz::correctUpToMissing(result.imported[1].record), (std::vector<std::string>{"Неверно"}));
    EXPECT_EQ(result.notes,
              (std::vector<std::string>{"строка 3 («Жирный»): HTML-разметка сведена к тексту"}));
}

TEST(ImportMoodleXml, ShortAnswersTakeTheEscapedStarAndRefuseTheWildcard) {
    const auto shortAnswer = [](std::string_view name, std::string_view answer, std::string_view usecase) {
        return "<question type=\"shortanswer\"><name><text>" + std::string(name) +
               "</text></name><questiontext><text>Знак?</text></questiontext><usecase>" +
               std::string(usecase) + "</usecase><answer fraction=\"100\"><text>" + std::string(answer) +
               "</text></answer></question>\n";
    };
    const ex::ImportResult result =
        importXml(quiz(shortAnswer("Звезда", "\\*", "1") + shortAnswer("Любой", "a*", "1") +
                       shortAnswer("Регистр", "Aa", "0")));
    EXPECT_EQ(result.level, 2);
    ASSERT_EQ(result.imported.size(), 2u);
    EXPECT_EQ(qz::correctUpToMissing(result.imported[0].record), (std::vector<std::string>{"*"}));
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(result.refused[0].reason, "«*» (любой текст) в коротком ответе файл теста не хранит");
    EXPECT_EQ(result.notes.size(), 1u); // the one answer the source took in any letter case
}

TEST(ImportMoodleXml, SourcesNoTestCanHoldAreRefusedWhole) {
    EXPECT_EQ(errorOf(quiz(category("А/Вариант 1") + choice("1", "a", kTwo) + category("Б/Вариант 1") +
                           choice("2", "b", kTwo))),
              "В источнике несколько тестов («А», «Б»): импортируйте их по одному");
    EXPECT_EQ(errorOf(quiz(category("А/Вариант 26") + choice("1", "a", kTwo))),
              "Категория «Вариант 26»: в тесте не больше 25 вариантов");
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += choice("", "q", kTwo);
    EXPECT_EQ(errorOf(quiz(category("А/Вариант 3") + hundred)), "В варианте 3 больше 99 вопросов");
    EXPECT_EQ(errorOf("<quiz><question type=\"multichoice\">\n<name>\n</quiz>"),
              "Moodle XML, строка 3: Start-end tags mismatch");
    EXPECT_EQ(errorOf("<test/>"), "Moodle XML, строка 1: нет элемента <quiz>");
}

TEST(ImportedQuizFile, IsWrittenAsANewTestWithACompleteHeader) {
    const TempDir dir;
    const std::string path = dir.file("история.ini");
    const ex::ImportResult result =
        importXml(quiz(category("История/Вариант 1") + choice("101", "Да?", kTwo)));
    ex::writeImportedQuiz(path, result, "История", "история России", ex::ExistingFile::Refuse);
    IniDoc expected;
    expected.set("Тест", "Название теста", "История")
        .set("Тест", "Дисциплина", "история России")
        .set("Тест", "Тип", "один вариант ответа")
        .set("Тест", "Уровень", "1")
        .set("Тест", "Количество вариантов", "1")
        .set("Тест", "Количество вопросов", "1")
        .set("Тест", "Оценка 5", "95")
        .set("Тест", "Оценка 4", "85")
        .set("Тест", "Оценка 3", "75")
        .set("101", "Вопрос", "Да?")
        .set("101", "Вариант №1", "да")
        .set("101", "Вариант №2", "нет")
        .set("101", "Вариант №3", "")
        .set("101", "Вариант №4", "")
        .set("101", "Вариант №5", "")
        .set("101", "Правильный ответ №1", "да");
    EXPECT_EQ(readFileBytes(path), expected.bytes());

    EXPECT_THROW(ex::writeImportedQuiz(path, result, "Другой", "x", ex::ExistingFile::Refuse),
                 quizloom::Error);
    EXPECT_EQ(readFileBytes(path), expected.bytes());
    writeFileBytes(dir.file("история.BAK"), "older backup");
    ex::writeImportedQuiz(path, result, "Другой", "x", ex::ExistingFile::Backup);
    EXPECT_EQ(readFileBytes(dir.file("история.BAK")), expected.bytes());
    EXPECT_NE(readFileBytes(path).find("\xC4\xF0\xF3\xE3\xEE\xE9"), std::string::npos); // "Другой"

    EXPECT_THROW(ex::writeImportedQuiz(dir.file("new.ini"), result, "Name 😀", "x", ex::ExistingFile::Refuse),
                 quizloom::Error);
    EXPECT_THROW(ex::writeImportedQuiz(dir.file("new.ini"), ex::ImportResult{}, "Пусто", "x",
                                       ex::ExistingFile::Refuse),
                 quizloom::Error);
}
