// A header carried by an imported document stands in for the defaults, in
// both formats that carry one; what does not fit a test file is passed over.
#include <gtest/gtest.h>

#include "core/exchange/quiz_import.h"

namespace ex = quizloom::exchange;

namespace {

// A header carried for the test headerQuiz, then a question of the test
// "История", in the form of each format.
std::string documentOf(ex::Format format, const std::string& headerQuiz,
                       const std::vector<std::string>& header) {
    std::string text;
    if (format == ex::Format::Gift) {
        for (const std::string& line : header)
            text += "// " + line + "\n";
        return text + "\n$CATEGORY: " + headerQuiz +
               "\n\n$CATEGORY: История/Вариант 1\n\n::101::Да?{=да ~нет}\n";
    }
    for (const std::string& line : header)
        text += line + "\n";
    return "<quiz>\n<question type=\"category\"><category><text>" + headerQuiz +
           "</text></category>\n<info format=\"plain_text\"><text><![CDATA[" + text +
           "]]></text></info></question>\n"
           "<question type=\"category\"><category><text>История/Вариант 1</text></category></question>\n"
           "<question type=\"multichoice\"><name><text>101</text></name><questiontext><text>Да?</text>"
           "</questiontext>\n<answer fraction=\"100\"><text>да</text></answer><answer "
           "fraction=\"0\"><text>нет</text></answer></question>\n</quiz>\n";
}

struct Expected {
    std::string name;
    std::optional<std::string> subject;
    std::string type;
    int level = 1;
    std::array<std::string, 3> grades;
    std::size_t imported = 1;
    std::vector<std::string> notes;
};

struct HeaderCase {
    std::string title;
    std::string headerQuiz;
    std::vector<std::string> header;
    Expected expected;
};

const std::array<std::string, 3> kDefaultGrades = {"95", "85", "75"};

const std::vector<HeaderCase> kCases = {
    {"every value carried",
     "История",
     {"[Тест]", "Название теста=История Рима", "Дисциплина=история", "Тип=много вариантов ответа",
      "Уровень=1", "Оценка 5=90", "Оценка 4=80", "Оценка 3=70"},
     {"История Рима", "история", "много вариантов ответа", 1, {"90", "80", "70"}, 1, {}}},
    {"some values carried, the defaults for the others",
     "История",
     {"[Тест]", "Дисциплина=", "Оценка 4=60"},
     {"История", "", "один вариант ответа", 1, {"95", "60", "75"}, 1, {}}},
    {"a level 2 header refuses choice questions",
     "История",
     {"[Тест]", "Уровень=2"},
     {"input", std::nullopt, "много вариантов ответа", 2, kDefaultGrades, 0, {}}},
    {"values a test file cannot hold are passed over with a note",
     "История",
     {"[Тест]", "Дисциплина=😀", "Уровень=3"},
     {"История",
      std::nullopt,
      "один вариант ответа",
      1,
      kDefaultGrades,
      1,
      {"«Уровень» из источника не взято: «3» не уровень теста",
       "«Дисциплина» из источника не взято: символы, которых нет в кодовой странице Windows-1251"}}},
    {"the header of another test does not count",
     "Физика",
     {"[Тест]", "Название теста=Физика"},
     {"История", std::nullopt, "один вариант ответа", 1, kDefaultGrades, 1, {}}},
    {"comments that are no header",
     "История",
     {"Тест", "Дисциплина=история"},
     {"История", std::nullopt, "один вариант ответа", 1, kDefaultGrades, 1, {}}},
};

} // namespace

TEST(CarriedHeader, StandsInForTheDefaultsInGiftAndMoodleXml) {
    for (const HeaderCase& c : kCases)
        for (ex::Format format : {ex::Format::Gift, ex::Format::MoodleXml}) {
            SCOPED_TRACE(c.title + " (" + std::string(ex::formatName(format)) + ")");
            const std::string document = documentOf(format, c.headerQuiz, c.header);
            const ex::ImportResult result = ex::importQuiz(document, format, "input.txt");
            const Expected& e = c.expected;
            EXPECT_EQ(result.suggestedName, e.name);
            EXPECT_EQ(result.subject, e.subject);
            EXPECT_EQ(result.type, e.type);
            EXPECT_EQ(result.level, e.level);
            EXPECT_EQ(result.grades, e.grades);
            EXPECT_EQ(result.imported.size(), e.imported);
            std::vector<std::string> notes = result.notes;
            std::erase_if(notes, [](const std::string& n) { return !n.starts_with("«"); });
            EXPECT_EQ(notes, e.notes);
        }
}
