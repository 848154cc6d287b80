#pragma once
// The texts a test on paper carries besides the test's own.
#include <string>
#include <string_view>
#include <vector>

namespace quizloom::print {

inline constexpr std::string_view kStudentLine = "Фамилия, имя ____  Класс ____  Дата ____";
inline constexpr std::string_view kChooseOne = "Выберите один ответ";
inline constexpr std::string_view kChooseAll = "Выберите все правильные ответы";
inline constexpr std::string_view kAnswerPrompt = "Ответ: ";
inline constexpr std::string_view kAnswerLine = "________________________________________";
inline constexpr std::string_view kSubjectLabel = "Дисциплина";
inline constexpr std::string_view kKeyTitle = "Лист ответов";
inline constexpr std::string_view kOptionBox = "☐";
// A key row of a question with no correct answer in the file.
inline constexpr std::string_view kNoKey = "—";

// "Вариант N".
std::string variantTitle(int variant);
// "Дисциплина: <subject>".
std::string subjectLine(std::string_view subject);
// "<name> · <part> · стр. X из Y"; part is a variant's title or the key's.
std::string footerText(std::string_view name, std::string_view part, int page, int pages);
// The instruction of a level-1 question.
std::string_view instruction(bool singleAnswer);
// A question's key row as printed: the letters "б, г", or the accepted
// answers one after another separated by "; ", or kNoKey.
std::string keyText(const std::vector<std::string>& key, int level);
// What the preview's status line says of the paper.
std::string paperSummary(int variants, int questions, int leftOut);

} // namespace quizloom::print
