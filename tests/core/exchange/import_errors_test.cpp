// Malformed questions in each format: every one is named with its lines and
// the reader goes on, so the well-formed ones are still there to import.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"

namespace ex = quizloom::exchange;

namespace {

struct MalformedCase {
    std::string title;
    ex::Format format;
    std::string document;
    std::vector<std::string> malformed;
    std::size_t wellFormed;
};

std::string xmlQuestion(std::string_view name, std::string_view fraction) {
    return "<question type=\"multichoice\"><name><text>" + std::string(name) +
           "</text></name>\n<questiontext><text>Вопрос</text></questiontext>\n"
           "<answer fraction=\"" +
           std::string(fraction) +
           "\"><text>да</text></answer>\n<answer fraction=\"0\"><text>нет</text></answer>\n"
           "</question>\n";
}

const std::vector<MalformedCase> kCases = {
    {"aiken: too few options, options without a question across a blank line, no answer line",
     ex::Format::Aiken,
     "Вопрос с одним вариантом\nA) единственный\nANSWER: A\n\n"   // 1-4
     "A) вариант без вопроса\n\nANSWER: A\n\n"                    // 5-8
     "Первый хороший вопрос\nA) да\nB) нет\nANSWER: A\n\n"        // 9-13
     "Вопрос без ответа\nA) один\nB) два\n\n"                     // 14-17
     "Второй хороший вопрос\nA)без пробела\nB)тоже\nANSWER: B\n", // 18-21
     {"строки 1–3: меньше двух вариантов ответа", "строки 5–7: вариант ответа или ответ без вопроса",
      "строки 14–18: вопрос без строки «ANSWER:»"},
     2},
    {"aiken: a bad letter and options out of order",
     ex::Format::Aiken,
     "Вопрос\nA) a\nB) b\nANSWER: C\n\nВопрос\nA) a\nC) b\nANSWER: A\nХороший\nA) a\nB) b\nANSWER: B\n",
     {"строки 1–4: ответ «C» не называет вариант ответа",
      "строки 6–9: варианты ответа не идут по порядку букв (строка 8)"},
     1},
    {"aiken: text among the options, and a question the document ends in",
     ex::Format::Aiken,
     "Вопрос\nA) a\nтекст\nB) b\nANSWER: A\nХороший\nA) a\nB) b\nANSWER: B\n\nНедописанный\nA) a\n\n",
     {"строки 1–5: после вариантов ответа ожидается вариант или «ANSWER:» (строка 3)",
      "строки 11–12: вопрос без строки «ANSWER:»"},
     1},
    {"aiken: an answer line alone",
     ex::Format::Aiken,
     "ANSWER: A\n",
     {"строка 1: вариант ответа или ответ без вопроса"},
     0},
    {"gift: one fault of each kind",
     ex::Format::Gift,
     "Вопрос\n{=a ~b\n\n::Имя без конца{=a}\n\nВопрос {a =b}\n\nВопрос {~%x%a =b}\n\nХороший {=да ~нет}\n",
     {"строки 1–2: блок ответов не закрыт «}»", "строка 4: имя вопроса не закрыто «::»",
      "строка 6: ответ не начинается с «=» или «~»", "строка 8: неверный вес ответа"},
     1},
    {"moodle xml: weights that are no number",
     ex::Format::MoodleXml,
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + xmlQuestion("1", "много") +
         xmlQuestion("2", "100") + xmlQuestion("3", "1x") + "</quiz>\n",
     {"строки 3–7: вес ответа «много» не число", "строки 13–17: вес ответа «1x» не число"},
     1},
};

std::vector<std::string> lines(const std::vector<ex::RefusedQuestion>& questions) {
    std::vector<std::string> out;
    for (const ex::RefusedQuestion& question : questions)
        out.push_back(ex::refusedLine(question));
    return out;
}

} // namespace

TEST(ImportErrors, EveryMalformedQuestionIsNamedAndTheOthersRead) {
    for (const MalformedCase& c : kCases) {
        SCOPED_TRACE(c.title);
        const ex::ImportResult result = ex::importQuiz(c.document, c.format, "input.txt");
        EXPECT_EQ(lines(result.malformed), c.malformed);
        EXPECT_EQ(result.imported.size(), c.wellFormed);
        EXPECT_TRUE(result.refused.empty()) << lines(result.refused).front();
    }
}

TEST(ImportErrors, TheSummaryListsThemUnderTheFormat) {
    const ex::ImportResult result = ex::importQuiz(kCases.front().document, ex::Format::Aiken, "input.txt");
    const std::vector<std::string> summary = ex::importSummary(result);
    EXPECT_EQ(
        std::vector<std::string>(summary.begin() + 1, summary.begin() + 5),
        (std::vector<std::string>{"Ошибки в файле Aiken (3):", "строки 1–3: меньше двух вариантов ответа",
                                  "строки 5–7: вариант ответа или ответ без вопроса",
                                  "строки 14–18: вопрос без строки «ANSWER:»"}));
}
