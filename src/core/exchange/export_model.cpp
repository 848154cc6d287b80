#include "core/exchange/export_model.h"

#include <cstdio>

namespace quizloom::exchange {

std::string weightText(double percent) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.5f", percent);
    std::string text(buffer);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::vector<std::string> answerWeights(const ExportQuestion& question) {
    std::size_t correct = 0;
    for (const ExportAnswer& answer : question.answers)
        correct += answer.correct ? 1 : 0;
    const std::size_t wrong = question.answers.size() - correct;
    std::vector<std::string> weights;
    for (const ExportAnswer& answer : question.answers) {
        if (question.single || question.kind == QuestionKind::ShortAnswer)
            weights.push_back(answer.correct ? "100" : "0");
        else if (answer.correct)
            weights.push_back(weightText(100.0 / static_cast<double>(correct)));
        else
            weights.push_back(weightText(-100.0 / static_cast<double>(wrong)));
    }
    return weights;
}

std::string quizCategory(std::string_view quizName) {
    std::string path;
    for (char c : quizName) {
        path += c;
        if (c == '/')
            path += '/';
    }
    return path;
}

std::string categoryPath(const ExportQuestion& question) {
    return quizCategory(question.quizName) + "/Вариант " + std::to_string(question.variant);
}

std::string shortAnswerText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '*')
            out += '\\';
        out += c;
    }
    return out;
}

std::optional<std::string> giftRefusal(const ExportQuestion& question) {
    // The platform takes "=" answers holding "->" for a matching question,
    // and the format has no escape for either character.
    if (question.kind == QuestionKind::ShortAnswer)
        for (const ExportAnswer& answer : question.answers)
            if (answer.text.find("->") != std::string::npos)
                return "GIFT не может записать «->» в коротком ответе";
    return std::nullopt;
}

namespace {

bool looksLikeOptionLine(std::string_view text) {
    return text.size() >= 2 && text[0] >= 'A' && text[0] <= 'Z' && (text[1] == ')' || text[1] == '.');
}

// Counted in characters, not bytes: a Cyrillic letter is one.
std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

} // namespace

std::optional<std::string> aikenRefusal(const ExportQuestion& question) {
    if (question.kind != QuestionKind::MultipleChoice)
        return "Aiken хранит только вопросы уровня 1";
    std::size_t correct = 0;
    for (const ExportAnswer& answer : question.answers)
        correct += answer.correct ? 1 : 0;
    if (correct != 1)
        return "Aiken хранит только вопросы с одним правильным ответом";
    if (question.answers.size() < 2 || question.answers.size() > 5)
        return "Aiken хранит только вопросы с 2–5 вариантами ответа";
    if (characterCount(question.text) < 2)
        return "Aiken не хранит вопрос короче двух символов";
    if (looksLikeOptionLine(question.text) || question.text.starts_with("ANSWER:"))
        return "в Aiken текст вопроса читался бы как вариант ответа или ответ";
    return std::nullopt;
}

} // namespace quizloom::exchange
