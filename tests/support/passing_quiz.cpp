#include "support/passing_quiz.h"

namespace quizloom::testing {

IniDoc passingQuiz(const std::string& name, int questions) {
    IniDoc doc;
    doc.set("Тест", "Дисциплина", "Химия")
        .set("Тест", "Название теста", name)
        .set("Тест", "Уровень", "1")
        .set("Тест", "Количество вариантов", "1")
        .set("Тест", "Количество вопросов", std::to_string(questions))
        .set("Тест", "Оценка 5", "95")
        .set("Тест", "Оценка 4", "85")
        .set("Тест", "Оценка 3", "75");
    for (int q = 1; q <= questions; ++q) {
        const std::string section = std::to_string(100 + q);
        doc.set(section, "Вопрос", "?");
        for (int i = 1; i <= 5; ++i)
            doc.set(section, "Вариант №" + std::to_string(i), std::to_string(i));
        doc.set(section, "Правильный ответ №1", "3");
    }
    return doc;
}

} // namespace quizloom::testing
