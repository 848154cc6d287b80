#include "bench_support.h"

#include <fstream>
#include <stdexcept>

#include "text/cp1251.h"

namespace quizloom::bench {
namespace {

struct HeaderEntry {
    const char* key;
    std::string value;
};

void appendEntry(std::string& out, const std::string& key, const std::string& value)
{
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

} // namespace

std::string optionKeyName(int i)
{
    return std::string("Вариант №").append(std::to_string(i));
}

std::string correctKeyName(int i)
{
    return std::string("Правильный ответ №").append(std::to_string(i));
}

std::string questionText(int variant, int question)
{
    // About the length of a real question: two lines of text on screen.
    return "Вариант " + std::to_string(variant) + ", вопрос " + std::to_string(question) +
           ": какие из перечисленных процессов регулируются вегетативной нервной системой "
           "при физической нагрузке средней интенсивности?";
}

std::string optionText(int variant, int question, int option)
{
    return "Ответ " + std::to_string(option) + " к вопросу " + std::to_string(variant * 100 + question) +
           ": частота сердечных сокращений";
}

std::string makeLargestTestBytes()
{
    std::string utf8 = "[Тест]\r\n";
    const HeaderEntry header[] = {
        {"Название теста", "Самый большой тест"},
        {"Дисциплина", "физиология"},
        {"Тип", "много вариантов ответа"},
        {"Уровень", "1"},
        {"Количество вариантов", std::to_string(kLargestVariants)},
        {"Количество вопросов", std::to_string(kLargestQuestions)},
        {"Оценка 5", "95"},
        {"Оценка 4", "85"},
        {"Оценка 3", "75"},
    };
    for (const HeaderEntry& entry : header)
        appendEntry(utf8, entry.key, entry.value);
    for (int variant = 1; variant <= kLargestVariants; ++variant) {
        for (int question = 1; question <= kLargestQuestions; ++question) {
            utf8 += '[';
            utf8 += std::to_string(variant * 100 + question);
            utf8 += "]\r\n";
            appendEntry(utf8, "Вопрос", questionText(variant, question));
            for (int i = 1; i <= kAnswers; ++i)
                appendEntry(utf8, optionKeyName(i), optionText(variant, question, i));
            for (int i = 1; i <= kAnswers; ++i)
                appendEntry(utf8, correctKeyName(i), optionText(variant, question, i));
        }
    }
    return utf8ToCp1251(utf8);
}

void writeLargestTest(const std::string& path)
{
    const std::string bytes = makeLargestTestBytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace quizloom::bench
