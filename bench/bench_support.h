#pragma once
// Test data for the benchmarks: the largest test the format allows, 25
// variants of 99 questions, every header and question key filled, as the
// Windows-1251 bytes with CR LF line ends that a save produces.
#include <string>

namespace quizloom::bench {

inline constexpr int kLargestVariants = 25;
inline constexpr int kLargestQuestions = 99;
inline constexpr int kAnswers = 5;

std::string makeLargestTestBytes();
void writeLargestTest(const std::string& path);

// "Вариант №i" and "Правильный ответ №i" (UTF-8).
std::string optionKeyName(int i);
std::string correctKeyName(int i);
// The texts makeLargestTestBytes() stores for a question (UTF-8).
std::string questionText(int variant, int question);
std::string optionText(int variant, int question, int option);

} // namespace quizloom::bench
