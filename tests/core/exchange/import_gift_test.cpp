// Import of hand-written GIFT and Aiken: what a test file takes, what it
// refuses with the line, and what is malformed.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"
#include "core/text/error.h"

namespace ex = quizloom::exchange;
namespace qz = quizloom::quiz;

namespace {

std::vector<std::string> lines(const std::vector<ex::RefusedQuestion>& refused) {
    std::vector<std::string> out;
    for (const ex::RefusedQuestion& r : refused)
        out.push_back(ex::refusedLine(r));
    return out;
}

void expectMalformed(std::string_view document, ex::Format format, std::string_view message) {
    try {
        ex::importQuiz(document, format, "input.txt");
        ADD_FAILURE() << "accepted: " << document;
    } catch (const quizloom::Error& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

} // namespace

TEST(ImportGift, TakesChoiceQuestionsAndRefusesEveryOtherCaseWithItsLine) {
    const std::string gift = "// Категории и комментарии\n"                             // 1
                             "$CATEGORY: $course$/История\n"                            // 2
                             "\n"                                                       // 3
                             "::Один::Столица\\: Франции?{=Париж ~Лион # нет ~Ницца}\n" // 4
                             "\n"                                                       // 5
                             "::Много::[html]<b>Какие</b> числа\n"                      // 6
                             "чётные?{\n"                                               // 7
                             "  ~%50%2\n  ~%-50%3\n  ~%50%4\n}\n"                       // 8-11
                             "\n"                                                       // 12
                             "Земля круглая.{TRUE}\n\n"                                 // 13
                             "Эссе {}\n\n"                                              // 15
                             "Год? {#1822}\n\n"                                         // 17
                             "Просто описание\n\n"                                      // 19
                             "Москва {~была =есть} столица.\n\n"                        // 21
                             "Пары {=a -> b =c -> d}\n\n"                               // 23
                             "Звезда {=*}\n\n"                                          // 25
                             "Шесть {=1 ~2 ~3 ~4 ~5 ~6}\n\n"                            // 27
                             "Неравные {~%50%a ~%25%b ~c}\n\n"                          // 29
                             "Нет верного {~a ~b}\n\n"                                  // 31
                             "Иероглиф 日本 {=a ~b}\n\n"                                // 33
                             "[html]<table><tr><td>x</td></tr></table>{=a ~b}\n\n"      // 35
                             "[html]<img src=\"x.png\"> Что это?{=a ~b}\n\n"            // 37
                             "Повтор {=a ~a}\n\n"                                       // 39
                             "Короткий {=Ответ}\n";                                     // 41
    const ex::ImportResult result = ex::importQuiz(gift, ex::Format::Gift, "история.gift");
    EXPECT_EQ(lines(result.refused),
              (std::vector<std::string>{
                  "строка 15: эссе файл теста не хранит",
                  "строка 17: числовые вопросы файл теста не хранит",
                  "строка 19: описание без ответов (description) файл теста не хранит",
                  "строка 21: вопросы с пропущенным словом файл теста не хранит",
                  "строка 23: вопросы на соответствие файл теста не хранит",
                  "строка 25: «*» (любой текст) в коротком ответе файл теста не хранит",
                  "строка 27: больше пяти вариантов ответа",
                  "строка 29: разные положительные веса ответов: файл теста отмечает ответ только как верный "
                  "или неверный",
                  "строка 31: веса ответов не отмечают ни одного верного",
                  "строка 33: текст вопроса: символы, которых нет в кодовой странице Windows-1251",
                  "строка 35: текст вопроса: HTML-разметка сложнее форматирования текста (<table>)",
                  "строка 37: текст вопроса: изображение",
                  "строка 39: одинаковые варианты ответа с разной оценкой",
                  "строка 41: короткий ответ (уровень 2) в тесте уровня 1",
              }));
    EXPECT_EQ(result.suggestedName, "История");
    EXPECT_EQ(result.level, 1);
    EXPECT_EQ(result.type, qz::kTypeMany); // "Много" has no "=" answer
    EXPECT_EQ(result.variants, 1);
    EXPECT_EQ(result.questions, 3);
    ASSERT_EQ(result.imported.size(), 3u);
    const qz::QuestionRecord& first = result.imported[0].record;
    EXPECT_EQ(first.question, "Столица: Франции?");
    EXPECT_EQ(first.options, (qz::AnswerTexts{"Париж", "Лион", "Ницца", "", ""}));
    EXPECT_EQ(qz::correctUpToMissing(first), (std::vector<std::string>{"Париж"}));
    const qz::QuestionRecord& second = result.imported[1].record;
    EXPECT_EQ(second.question, "Какие числа чётные?");
    EXPECT_EQ(qz::correctUpToMissing(second), (std::vector<std::string>{"2", "4"}));
    EXPECT_EQ(result.imported[2].record.options, (qz::AnswerTexts{"Верно", "Неверно", "", "", ""}));
    EXPECT_EQ(result.notes, (std::vector<std::string>{"строка 6 («Много»): HTML-разметка сведена к тексту"}));
}

TEST(ImportGift, ShortAnswerTestsTakeEscapedStarsAndKeepLetterCase) {
    const std::string gift =
        "::201::Звезда?{=\\* =Две звезды\\: \\*\\*}\n\n::101::Столица?{=Париж =%100%Paris}\n";
    const ex::ImportResult result = ex::importQuiz(gift, ex::Format::Gift, "звёзды.gift");
    EXPECT_EQ(result.level, 2);
    EXPECT_EQ(result.type, qz::kTypeMany);
    EXPECT_EQ(result.suggestedName, "звёзды");
    ASSERT_EQ(result.imported.size(), 2u);
    EXPECT_EQ(qz::correctUpToMissing(result.imported[0].record),
              (std::vector<std::string>{"*", "Две звезды: **"}));
    EXPECT_EQ(result.notes.back(), "Коротких ответов, которые источник принимал без учёта регистра букв: 2; "
                                   "в файле теста регистр учитывается");
}

TEST(ImportGift, TextThatIsNoUtf8RefusesTheDocumentNamingTheLine) {
    expectMalformed("Вопрос {=a}\n\xD0\n", ex::Format::Gift, "GIFT, строка 2: текст не в кодировке UTF-8");
    expectMalformed("Вопрос {=a ~b}\r\r\xD0\r", ex::Format::Gift,
                    "GIFT, строка 3: текст не в кодировке UTF-8");
}

TEST(ImportAiken, ReadsSingleAnswerQuestions) {
    const std::string aiken =
        "\xEF\xBB\xBFКакой цвет\nу неба?\nA) красный\nB.синий\nC) зелёный\nANSWER: B\n\n"
        "Один вариант\nA) только\nANSWER: A\n";
    const ex::ImportResult result = ex::importQuiz(aiken, ex::Format::Aiken, "цвета.txt");
    EXPECT_EQ(result.type, qz::kTypeOne);
    EXPECT_EQ(result.suggestedName, "цвета");
    ASSERT_EQ(result.imported.size(), 1u);
    EXPECT_EQ(result.imported[0].record.question, "Какой цвет у неба?");
    EXPECT_EQ(result.imported[0].record.options, (qz::AnswerTexts{"красный", "синий", "зелёный", "", ""}));
    EXPECT_EQ(qz::correctUpToMissing(result.imported[0].record), (std::vector<std::string>{"синий"}));
    EXPECT_TRUE(result.refused.empty());
    EXPECT_EQ(lines(result.malformed),
              (std::vector<std::string>{"строки 8–10: меньше двух вариантов ответа"}));
}

// Without "Вариант N" categories n questions fill ⌈n/99⌉ variants evenly.
TEST(ImportPlacement, QuestionsInSourceOrderFillAsFewVariantsAsNeeded) {
    const auto aikenOf = [](int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += "Вопрос " + std::to_string(i) + "\nA) да\nB) нет\nANSWER: A\n\n";
        return text;
    };
    const ex::ImportResult hundred = ex::importQuiz(aikenOf(100), ex::Format::Aiken, "a.txt");
    EXPECT_EQ(hundred.variants, 2);
    EXPECT_EQ(hundred.questions, 50);
    EXPECT_TRUE(hundred.notes.empty());
    EXPECT_EQ(hundred.imported[50].variant, 2);
    EXPECT_EQ(hundred.imported[50].position, 1);
    EXPECT_EQ(hundred.imported[50].record.question, "Вопрос 51");
    const ex::ImportResult odd = ex::importQuiz(aikenOf(101), ex::Format::Aiken, "a.txt");
    EXPECT_EQ(odd.questions, 51);
    EXPECT_EQ(odd.notes,
              (std::vector<std::string>{"В последнем варианте на 1 вопр. меньше, чем в остальных"}));
    EXPECT_EQ(ex::importQuiz(aikenOf(2475), ex::Format::Aiken, "a.txt").variants, 25);
    // The reader stops at the question that is one too many.
    expectMalformed(aikenOf(2476), ex::Format::Aiken,
                    "Aiken, строка 12376: в источнике больше 2475 вопросов, а в тесте их не больше; "
                    "чтение остановлено");
}
