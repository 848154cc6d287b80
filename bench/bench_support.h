#pragma once
// Test data for the benchmarks: the largest test the format allows, 25
// variants of 99 questions, every header and question key filled, as the
// Windows-1251 bytes with CR LF line ends that a save produces; and a bank
// of such tests, some of them damaged.
#include <string>
#include <vector>

namespace quizloom::bench {

inline constexpr int kLargestVariants = 25;
inline constexpr int kLargestQuestions = 99;

std::string makeLargestTestBytes();
void writeLargestTest(const std::string& path);

// The texts makeLargestTestBytes() stores for a question (UTF-8).
std::string questionText(int variant, int question);
std::string optionText(int variant, int question, int option);

// kBankSize largest tests written into folder (created as needed) as
// test1000.ini, test1001.ini, ..., so their list order is their index order.
// Every fifth is damaged: a question section under a wrong name (index
// ending in 3) or a level of 3 (index ending in 8). With manyFindings the
// damaged ones also lose every correct answer, so each gives some four
// hundred report lines before the error cap stops it. Returns the paths.
inline constexpr int kBankSize = 100;
inline constexpr int kBankDamaged = kBankSize / 5;
std::vector<std::string> writeBank(const std::string& folder, bool manyFindings);

// A program run by a benchmark: its wall time and exit status (-1 when it
// did not exit normally).
struct ChildRun {
    double seconds = 0;
    int status = -1;
};
// Runs argv with standard output thrown away.
ChildRun runChild(const std::vector<std::string>& argv);

} // namespace quizloom::bench
