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
    // A name the platform would read as its context or top category
    // ("top", "$course$") follows them written out.
    std::string path =
        quizName == "top" || quizName.starts_with("top/") || quizName.starts_with('$') ? "$course$/top/" : "";
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

} // namespace quizloom::exchange
