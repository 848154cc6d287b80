#pragma once
// Small test files for the editing tests: a full header and level-1
// question sections, as lists of profile entries.
#include <array>
#include <string>
#include <vector>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {

// Every header key, with values the field rules leave as they are.
inline std::vector<IniEntry> fullHeader(const std::string& name, const std::string& subject = "физика",
                                        const std::string& level = "1", const std::string& variants = "2",
                                        const std::string& questions = "3") {
    return {{"Тест", "Название теста", name},
            {"Тест", "Дисциплина", subject},
            {"Тест", "Тип", "много вариантов ответа"},
            {"Тест", "Уровень", level},
            {"Тест", "Количество вариантов", variants},
            {"Тест", "Количество вопросов", questions},
            {"Тест", "Оценка 5", "90"},
            {"Тест", "Оценка 4", "80"},
            {"Тест", "Оценка 3", "70"}};
}

// A level-1 question: its text, five options and the correct answers.
inline std::vector<IniEntry> optionQuestion(const std::string& section, const std::string& text,
                                            const std::array<std::string, 5>& options,
                                            const std::vector<std::string>& correct) {
    std::vector<IniEntry> entries{{section, "Вопрос", text}};
    for (int k = 0; k < 5; ++k)
        entries.push_back({section, "Вариант №" + std::to_string(k + 1), options[k]});
    for (std::size_t i = 0; i < correct.size(); ++i)
        entries.push_back({section, "Правильный ответ №" + std::to_string(i + 1), correct[i]});
    return entries;
}

inline std::vector<IniEntry> operator+(std::vector<IniEntry> a, const std::vector<IniEntry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace quizloom::testing
