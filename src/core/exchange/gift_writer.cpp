#include <string_view>

#include "core/exchange/export_model.h"

namespace quizloom::exchange {

namespace {

// The characters that structure a GIFT question, and the escape itself.
std::string giftEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("~=#{}:\\").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

// An answer starting with "[" or "%" would lose its start to a format or
// a weight, which the format cannot escape; a leading "[plain]" keeps it.
std::string giftAnswer(std::string_view text) {
    std::string out = giftEscaped(text);
    if (out.starts_with('[') || out.starts_with('%'))
        out.insert(0, "[plain]");
    return out;
}

void appendQuestion(std::string& out, const ExportQuestion& q) {
    out += "::" + giftEscaped(q.name) + "::[plain]" + giftEscaped(q.text) + "{\n";
    if (q.kind == QuestionKind::ShortAnswer) {
        // "\*" passes through GIFT unchanged and is the platform's literal
        // star; escaping its backslash as well would mean the same.
        for (const ExportAnswer& answer : q.answers)
            out += "\t=" + shortAnswerText(giftAnswer(answer.text)) + "\n";
    } else {
        const std::vector<std::string> weights = answerWeights(q);
        for (std::size_t i = 0; i < q.answers.size(); ++i) {
            const std::string text = giftAnswer(q.answers[i].text);
            if (q.single)
                out += std::string("\t") + (q.answers[i].correct ? "=" : "~") + text + "\n";
            else
                out += "\t~%" + weights[i] + "%" + text + "\n";
        }
    }
    out += "}\n\n";
}

} // namespace

std::string writeGift(const std::vector<ExportQuiz>& quizzes) {
    std::string out;
    std::string category;
    for (const ExportQuiz& quiz : quizzes) {
        // Comment lines, which the platform drops and the import reads back.
        for (const std::string& line : headerLines(quiz.header))
            out += "// " + line + "\n";
        out += "\n";
        for (const ExportQuestion& question : quiz.questions) {
            const std::string path = categoryPath(question);
            if (path != category)
                out += "$CATEGORY: " + (category = path) + "\n\n";
            appendQuestion(out, question);
        }
    }
    return out;
}

} // namespace quizloom::exchange
