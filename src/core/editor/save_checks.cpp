#include "core/editor/save_checks.h"

#include "core/text/error.h"

namespace quizloom::editor {

namespace {

constexpr std::string_view kCaptions[kFieldCount] = {
    "Дисциплина",    "Тип",      "Уровень",  "Всего вариантов", "Всего вопросов", "Вариант",
    "Номер вопроса", "Оценка 5", "Оценка 4", "Оценка 3",        "Вопрос",
};

std::string optionName(int k) {
    return "№" + std::to_string(k + 1);
}

} // namespace

std::string fieldCaption(Field field) {
    const auto i = static_cast<std::size_t>(field);
    if (i >= static_cast<std::size_t>(Field::Answer1))
        return "Вариант " + optionName(static_cast<int>(i - static_cast<std::size_t>(Field::Answer1)));
    return std::string(kCaptions[i]);
}

void validateForSave(const QuestionForm& form, bool checkOptions) {
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (form.texts[i].find_first_of("\r\n") != std::string::npos)
            throw Error("Поле \"" + fieldCaption(static_cast<Field>(i)) +
                        "\" содержит перевод строки, его нельзя сохранить");
    if (!checkOptions)
        return;
    const quiz::AnswerTexts answers = form.answers();
    for (int k = 0; k < quiz::kAnswerCount; ++k) {
        if (form.marks[k] && answers[k].empty())
            throw Error("Вариант " + optionName(k) + " отмечен как правильный, но пуст");
        for (int j = 0; j < k; ++j)
            if (!answers[k].empty() && answers[j] == answers[k] && form.marks[j] != form.marks[k])
                throw Error("Варианты " + optionName(j) + " и " + optionName(k) +
                            " совпадают, а отмечен только один");
    }
}

} // namespace quizloom::editor
