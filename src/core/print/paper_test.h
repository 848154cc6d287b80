#pragma once
// A test on paper: the chosen variants with their questions in paper order,
// the options of each with their letters, and the answer key, built from
// the test file. Texts are UTF-8, exactly as the file stores them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quizloom::print {

// What the teacher chose in the print dialog.
struct PaperChoices {
    std::string variants = "текущий"; // see variant_choice.h
    bool shuffleQuestions = false;
    bool shuffleOptions = false;
    std::uint32_t key = 0; // the same key gives the same shuffle
    bool answerKey = true;
    bool studentLine = true;
    int fontSize = 12; // points

    bool operator==(const PaperChoices&) const = default;
};

// Keys run up to six digits, short enough to note down.
inline constexpr std::uint32_t kMaxShuffleKey = 999999;
inline constexpr int kMinFontSize = 10;
inline constexpr int kMaxFontSize = 16;

// The letters of the options printed, in paper order.
inline constexpr std::array<std::string_view, 5> kOptionLetters = {"а", "б", "в", "г", "д"};

struct PaperOption {
    std::string_view letter;
    std::string text;
    bool correct = false;
    int source = 0; // the option's number in the file, 1..5
};

struct PaperQuestion {
    int number = 0; // on paper, from 1
    int source = 0; // in the file, from 1
    std::string text;
    std::vector<PaperOption> options; // level 1: the non-empty options, in paper order
    // The answer key: level 1 the letters of the correct options, level 2
    // the answers accepted; empty when the file holds none.
    std::vector<std::string> key;
};

struct PaperVariant {
    int number = 0;
    std::vector<PaperQuestion> questions;
    int leftOut = 0; // empty questions, not printed
};

struct PaperTest {
    std::string name;
    std::string subject;
    int level = 1;             // 1: options to tick, 2: an answer to write
    bool singleAnswer = false; // the type "один вариант ответа"
    std::vector<PaperVariant> variants;

    int questionCount() const;
    int leftOutCount() const;
};

// The test at path as the editor shows its header (display defaults for
// missing keys, the editor's corrections of the numbers, at most 99
// questions a variant), with the variants choices name (current: the
// variant the editor shows). A question whose text is empty or blank is
// left out and the next one takes its number. Throws Error for a variants
// text that does not name variants of the test.
PaperTest buildPaperTest(const std::string& path, const PaperChoices& choices, int current);

} // namespace quizloom::print
