#pragma once
// Names and value forms of a test file, shared with the examination program:
// they are written byte for byte as listed here.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quizloom::quiz {

inline constexpr std::string_view kHeaderSection = "Тест";
inline constexpr std::string_view kKeyName = "Название теста";
inline constexpr std::string_view kKeySubject = "Дисциплина";
inline constexpr std::string_view kKeyType = "Тип";
inline constexpr std::string_view kKeyLevel = "Уровень";
inline constexpr std::string_view kKeyVariants = "Количество вариантов";
inline constexpr std::string_view kKeyQuestions = "Количество вопросов";
inline constexpr std::string_view kKeyGrade5 = "Оценка 5";
inline constexpr std::string_view kKeyGrade4 = "Оценка 4";
inline constexpr std::string_view kKeyGrade3 = "Оценка 3";
inline constexpr std::string_view kKeyQuestion = "Вопрос";
inline constexpr std::string_view kOptionKeyPrefix = "Вариант №";
inline constexpr std::string_view kCorrectKeyPrefix = "Правильный ответ №";

inline constexpr std::string_view kTypeMany = "много вариантов ответа";
inline constexpr std::string_view kTypeOne = "один вариант ответа";
// Marks a missing test name, and the end of the correct answers at level 1.
inline constexpr std::string_view kMissing = "Error";

inline constexpr int kAnswerCount = 5;
// Section names tell questions apart up to this number in a variant.
inline constexpr int kMaxQuestionsPerVariant = 99;
// What the header editor and navigation admit: a test the check calls
// damaged for its counts can still be opened and mended.
inline constexpr int kEditorMaxVariants = 50;
inline constexpr int kEditorMaxQuestions = kMaxQuestionsPerVariant;
// What the structure check accepts ("нужно от 1 до ..."); only within these
// are the questions of a test checked, and import makes no test beyond them.
inline constexpr int kCheckMaxVariants = 25;
inline constexpr int kCheckMaxQuestions = kMaxQuestionsPerVariant;

using AnswerTexts = std::array<std::string, kAnswerCount>;
using AnswerMarks = std::array<bool, kAnswerCount>;

std::string optionKey(int i);                       // "Вариант №i", i = 1..5
std::string correctKey(int i);                      // "Правильный ответ №i", i = 1..5
long long sectionNumber(int variant, int question); // variant * 100 + question
std::string sectionName(int variant, int question); // its decimal text

// Level 1: an option is correct when its text equals one of the correct
// answers (read up to the first missing one; a value "Error" in the list
// ends it here too, so a caller cannot count an answer the examination
// program would not).
AnswerMarks marksFromCorrect(const AnswerTexts& options, const std::vector<std::string>& correct);
// Level 1: the texts of the marked options, in option order.
std::vector<std::string> correctFromMarks(const AnswerTexts& options, const AnswerMarks& marks);
// Level 2: the non-empty answer fields, in field order, without gaps.
std::vector<std::string> correctFromFields(const AnswerTexts& fields);

} // namespace quizloom::quiz
