#include "core/exchange/format_rules.h"

#include <array>

#include "core/exchange/markup_text.h"

namespace quizloom::exchange {

namespace {

struct Rule {
    std::array<bool, 3> applies; // Moodle XML, GIFT, Aiken
    bool (*breaks)(const ExportQuestion&);
    std::string_view reason;
};

constexpr std::array<bool, 3> kEveryFormat = {true, true, true};
constexpr std::array<bool, 3> kGiftOnly = {false, true, false};
constexpr std::array<bool, 3> kAikenOnly = {false, false, true};

std::size_t correctCount(const ExportQuestion& q) {
    std::size_t correct = 0;
    for (const ExportAnswer& answer : q.answers)
        correct += answer.correct ? 1 : 0;
    return correct;
}

// Import reads a text as one line of a test file: outer blanks go.
bool changedByImport(std::string_view text) {
    const CleanText cleaned = cleanText({std::string(text), Markup::Plain});
    return !cleaned.refusal && cleaned.text != text;
}

bool paddedText(const ExportQuestion& q) {
    if (changedByImport(q.text))
        return true;
    for (const ExportAnswer& answer : q.answers)
        if (changedByImport(answer.text))
            return true;
    return false;
}

bool multipleChoice(const ExportQuestion& q) {
    return q.kind == QuestionKind::MultipleChoice;
}

// Counted in characters, not bytes: a Cyrillic letter is one.
std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

bool looksLikeOptionLine(std::string_view text) {
    return (text.size() >= 2 && text[0] >= 'A' && text[0] <= 'Z' && (text[1] == ')' || text[1] == '.')) ||
           text.starts_with("ANSWER:");
}

// The rules in the order a refusal names them.
const std::array<Rule, 8> kRules = {{
    {kEveryFormat, paddedText, "пробелы в начале или в конце текста импорт не сохранит"},
    {kEveryFormat, [](const ExportQuestion& q) { return multipleChoice(q) && q.answers.size() < 2; },
     "меньше двух непустых вариантов ответа"},
    // The platform takes "=" answers holding "->" for a matching question,
    // and the format has no escape for either character.
    {kGiftOnly,
     [](const ExportQuestion& q) {
         if (!multipleChoice(q))
             for (const ExportAnswer& answer : q.answers)
                 if (answer.text.find("->") != std::string::npos)
                     return true;
         return false;
     },
     "GIFT не может записать «->» в коротком ответе"},
    {kAikenOnly, [](const ExportQuestion& q) { return !multipleChoice(q); },
     "Aiken хранит только вопросы уровня 1"},
    {kAikenOnly, [](const ExportQuestion& q) { return correctCount(q) != 1; },
     "Aiken хранит только вопросы с одним правильным ответом"},
    {kAikenOnly, [](const ExportQuestion& q) { return q.answers.size() < 2 || q.answers.size() > 5; },
     "Aiken хранит только вопросы с 2–5 вариантами ответа"},
    {kAikenOnly, [](const ExportQuestion& q) { return characterCount(q.text) < 2; },
     "Aiken не хранит вопрос короче двух символов"},
    {kAikenOnly, [](const ExportQuestion& q) { return looksLikeOptionLine(q.text); },
     "в Aiken текст вопроса читался бы как вариант ответа или ответ"},
}};

} // namespace

std::optional<std::string> formatRefusal(const ExportQuestion& question, Format format) {
    const auto index = static_cast<std::size_t>(format);
    for (const Rule& rule : kRules)
        if (rule.applies[index] && rule.breaks(question))
            return std::string(rule.reason);
    return std::nullopt;
}

std::optional<std::string> quizNameRefusal(std::string_view name) {
    const CleanText cleaned = cleanText({std::string(name), Markup::Plain});
    if (cleaned.refusal)
        return "название теста: " + *cleaned.refusal;
    if (cleaned.text.empty())
        return std::string("пустое название теста");
    if (cleaned.text != name)
        return std::string("пробелы в начале или в конце названия теста импорт не сохранит");
    return std::nullopt;
}

} // namespace quizloom::exchange
