// Nothing an import reads is changed on the way without a word: each case is
// refused with its question named, or kept exactly as the source says it.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"
#include "core/quiz/quiz_format.h"
#include "core/text/error.h"

namespace ex = quizloom::exchange;
namespace qz = quizloom::quiz;

namespace {

std::string xml(std::string_view questions) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + std::string(questions) + "</quiz>\n";
}

// A multiple-choice question on its own line, its text and first answer as given.
std::string xmlChoice(std::string_view text, std::string_view fraction = "100",
                      std::string_view format = "html") {
    return "<question type=\"multichoice\"><name><text>1</text></name><questiontext format=\"" +
           std::string(format) + "\"><text>" + std::string(text) +
           "</text></questiontext><answer fraction=\"" + std::string(fraction) +
           "\"><text>да</text></answer><answer fraction=\"0\"><text>нет</text></answer>" + "</question>\n";
}

std::vector<std::string> lines(const std::vector<ex::RefusedQuestion>& questions) {
    std::vector<std::string> out;
    for (const ex::RefusedQuestion& question : questions)
        out.push_back(ex::refusedLine(question));
    return out;
}

struct Case {
    std::string title;
    ex::Format format;
    std::string document;
    std::vector<std::string> malformed; // lines as the summary gives them
    std::vector<std::string> refused;
    std::vector<std::string> texts; // of the imported questions, in order
};

const std::vector<Case> kCases = {
    {"xml: a weight that is not a number",
     ex::Format::MoodleXml,
     xml(xmlChoice("a", "nan") + xmlChoice("b", "-inf") + xmlChoice("c", "INFINITY") + xmlChoice("хороший")),
     {"строка 3: вес ответа «nan» не число", "строка 4: вес ответа «-inf» не число",
      "строка 5: вес ответа «INFINITY» не число"},
     {},
     {"хороший"}},
    {"gift: a weight that is not a number",
     ex::Format::Gift,
     "В1 {~%nan%a ~b}\n\nВ2 {~%inf%a ~b}\n\nВ3 {=a ~b}\n",
     {"строка 1: неверный вес ответа", "строка 3: неверный вес ответа"},
     {},
     {"В3"}},
    {"xml: markup inside <text> that was not escaped",
     ex::Format::MoodleXml,
     xml(xmlChoice("2 <b>+</b> 3") + xmlChoice("2 &lt;b&gt;+&lt;/b&gt; 3")),
     {"строка 3: элемент <b> внутри <text>: HTML в тексте пишется экранированным или в CDATA"},
     {},
     {"2 + 3"}},
    {"xml: a reference to NUL and unknown entities",
     ex::Format::MoodleXml,
     xml(xmlChoice("до&#0;после") + xmlChoice("до&#x000;после") +
         xmlChoice("a &xxe; b", "100", "plain_text") + xmlChoice("a &amp;xxe; b", "100", "plain_text") +
         xmlChoice("<![CDATA[c &xxe; &#0; d]]>", "100", "plain_text")),
     {"строка 3: ссылка на символ &#0;, которую файл теста не может передать",
      "строка 4: ссылка на символ &#x000;, которую файл теста не может передать",
      "строка 5: ссылка на символ &xxe;, которую файл теста не может передать"},
     {},
     {"a &xxe; b", "c &xxe; &#0; d"}},
    {"gift: two questions without a blank line between them",
     ex::Format::Gift,
     "::1::Первый {=a ~b}\n::2::Второй {=c ~d}\n\n::3::Третий {=e ~f}\n",
     {"строки 1–2: после «}» с новой строки начинается следующий вопрос: вопросы разделяются пустой строкой"},
     {},
     {"Третий"}},
    {"gift: lines that end with CR only",
     ex::Format::Gift,
     "// комментарий\r::1::Первый {=a ~b}\r\r::2::Второй {\r=c\r~d\r}\r",
     {},
     {},
     {"Первый", "Второй"}},
    {"aiken: lines that end with CR only, CR LF and LF mixed",
     ex::Format::Aiken,
     "Первый\rA) a\rB) b\rANSWER: A\r\rВторой\r\nA) c\nB) d\r\nANSWER: B\n",
     {},
     {},
     {"Первый", "Второй"}},
    {"gift: an escaped colon at the end of a name",
     ex::Format::Gift,
     "::Время 10\\:::Который час?{=три ~два}\n",
     {},
     {},
     {"Который час?"}},
    {"gift: category names padded, blank or too long",
     ex::Format::Gift,
     "$CATEGORY: Химия / Вариант 1 \n\nВ1 {=a ~b}\n\n$CATEGORY: Химия/  /Вариант 2\n\nВ2 {=a ~b}\n\n"
     "$CATEGORY: Химия/" +
         std::string(2048, 'x') + "\n\nВ3 {=a ~b}\n",
     {},
     {"строка 7: категория: пустое название категории", "строка 11: категория: текст длиннее 2047 байт"},
     {"В1"}},
    {"xml: one option is no choice",
     ex::Format::MoodleXml,
     xml("<question "
         "type=\"multichoice\"><name><text>1</text></name><questiontext><text>Один</text></questiontext>"
         "<answer fraction=\"100\"><text>да</text></answer></question>\n"),
     {},
     {"строка 3 («1»): меньше двух непустых вариантов ответа"},
     {}},
    {"aiken: a question of one character",
     ex::Format::Aiken,
     "Я\nA) a\nB) b\nANSWER: A\n\nДа?\nA) a\nB) b\nANSWER: B\n",
     {},
     {"строка 1: Aiken не хранит вопрос короче двух символов"},
     {"Да?"}},
    {"gift: an accepted answer the test file reads as missing",
     ex::Format::Gift,
     "В1 {=Error =да}\n\nВ2 {=да =нет}\n",
     {},
     {"строка 1: ответ «Error» файл теста читает как отсутствующий"},
     {"В2"}},
};

} // namespace

TEST(ImportUnchanged, EachCaseIsRefusedNamedOrKeptExactly) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.title);
        const ex::ImportResult result = ex::importQuiz(c.document, c.format, "input.txt");
        EXPECT_EQ(lines(result.malformed), c.malformed);
        EXPECT_EQ(lines(result.refused), c.refused);
        std::vector<std::string> texts;
        for (const ex::ImportedQuestion& q : result.imported)
            texts.push_back(q.record.question);
        EXPECT_EQ(texts, c.texts);
    }
}

TEST(ImportUnchanged, PaddedCategoryNamesGiveTheTestNameAndVariant) {
    const ex::ImportResult result =
        ex::importQuiz("$CATEGORY:  Химия / Вариант 2 \n\nВ {=a ~b}\n", ex::Format::Gift, "input.txt");
    EXPECT_EQ(result.suggestedName, "Химия");
    ASSERT_EQ(result.imported.size(), 1u);
    EXPECT_EQ(result.imported[0].variant, 2);
}

TEST(ImportUnchanged, ASecondQuizRootIsMalformed) {
    try {
        ex::importQuiz(xml(xmlChoice("a")) + "<quiz>\n" + xmlChoice("b") + "</quiz>\n", ex::Format::MoodleXml,
                       "x.xml");
        ADD_FAILURE() << "accepted";
    } catch (const quizloom::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Moodle XML, строка 5: второй корневой элемент <quiz>");
    }
}

// Two answers at 100% are two correct answers, whatever "single" says: the
// test's type says "много", as an export of it then writes.
TEST(ImportUnchanged, TwoCorrectAnswersMakeTheTypeMany) {
    const std::pair<ex::Format, std::string> cases[] = {
        {ex::Format::Gift, "В {=a =b ~c}\n"},
        {ex::Format::MoodleXml,
         xml("<question "
             "type=\"multichoice\"><name><text>1</text></name><questiontext><text>В</text></questiontext>"
             "<single>true</single><answer fraction=\"100\"><text>a</text></answer>"
             "<answer fraction=\"100\"><text>b</text></answer><answer fraction=\"0\"><text>c</text></answer>"
             "</question>\n")},
    };
    for (const auto& [format, document] : cases) {
        const ex::ImportResult result = ex::importQuiz(document, format, "input.txt");
        ASSERT_EQ(result.imported.size(), 1u) << document;
        EXPECT_EQ(result.type, qz::kTypeMany) << document;
    }
}

// A name far outside the positions of a variant is no position and no fault.
TEST(ImportUnchanged, NamesBeyondAnyPositionTakeTheFreeOnes) {
    const ex::ImportResult result = ex::importQuiz(
        "$CATEGORY: Т/Вариант 1\n\n::1e100::А {=a ~b}\n\n::-1e300::Б {=a ~b}\n\n::102::В {=a ~b}\n",
        ex::Format::Gift, "input.txt");
    std::vector<std::pair<int, std::string>> placed;
    for (const ex::ImportedQuestion& q : result.imported)
        placed.emplace_back(q.position, q.record.question);
    EXPECT_EQ(placed, (std::vector<std::pair<int, std::string>>{{1, "А"}, {2, "В"}, {3, "Б"}}));
}
