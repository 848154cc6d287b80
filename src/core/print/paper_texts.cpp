#include "core/print/paper_texts.h"

namespace quizloom::print {

std::string variantTitle(int variant) {
    return "Вариант " + std::to_string(variant);
}

std::string subjectLine(std::string_view subject) {
    return std::string(kSubjectLabel) + ": " + std::string(subject);
}

std::string footerText(std::string_view name, std::string_view part, int page, int pages) {
    return std::string(name) + " · " + std::string(part) + " · стр. " + std::to_string(page) + " из " +
           std::to_string(pages);
}

std::string_view instruction(bool singleAnswer) {
    return singleAnswer ? kChooseOne : kChooseAll;
}

std::string keyText(const std::vector<std::string>& key, int level) {
    if (key.empty())
        return std::string(kNoKey);
    std::string text;
    for (const std::string& item : key) {
        if (!text.empty())
            text += level == 1 ? ", " : "; ";
        text += item;
    }
    return text;
}

std::string paperSummary(int variants, int questions, int leftOut) {
    std::string text = "Вариантов: " + std::to_string(variants) + ", вопросов: " + std::to_string(questions);
    if (leftOut > 0)
        text += ", пустых вопросов пропущено: " + std::to_string(leftOut);
    return text;
}

} // namespace quizloom::print
