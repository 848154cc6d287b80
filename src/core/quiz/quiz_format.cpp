#include "core/quiz/quiz_format.h"

namespace quizloom::quiz {

namespace {

std::string numberedKey(std::string_view prefix, int i) {
    std::string key(prefix);
    key += std::to_string(i);
    return key;
}

} // namespace

std::string optionKey(int i) {
    return numberedKey(kOptionKeyPrefix, i);
}

std::string correctKey(int i) {
    return numberedKey(kCorrectKeyPrefix, i);
}

long long sectionNumber(int variant, int question) {
    return static_cast<long long>(variant) * 100 + question;
}

std::string sectionName(int variant, int question) {
    return std::to_string(sectionNumber(variant, question));
}

AnswerMarks marksFromCorrect(const AnswerTexts& options, const std::vector<std::string>& correct) {
    AnswerMarks marks{};
    for (const std::string& answer : correct) {
        if (answer == kMissing)
            break;
        for (int i = 0; i < kAnswerCount; ++i)
            if (options[i] == answer)
                marks[i] = true;
    }
    return marks;
}

std::vector<std::string> correctFromMarks(const AnswerTexts& options, const AnswerMarks& marks) {
    std::vector<std::string> correct;
    for (int i = 0; i < kAnswerCount; ++i)
        if (marks[i])
            correct.push_back(options[i]);
    return correct;
}

std::vector<std::string> correctFromFields(const AnswerTexts& fields) {
    std::vector<std::string> correct;
    for (const std::string& field : fields)
        if (!field.empty())
            correct.push_back(field);
    return correct;
}

} // namespace quizloom::quiz
