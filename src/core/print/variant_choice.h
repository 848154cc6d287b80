#pragma once
// Which variants of a test go on paper, as the teacher writes it: "текущий",
// "все", or a list of numbers and ranges such as "1, 3-5".
#include <string_view>
#include <vector>

namespace quizloom::print {

inline constexpr std::string_view kCurrentVariant = "текущий";
inline constexpr std::string_view kAllVariants = "все";

// The variants text names, in the order written, checked against a test of
// variantCount variants whose shown variant is current. Letter case and
// blanks around the words and numbers do not count; a range may be written
// with "-" or "–". Throws Error with the reason for an empty text, a word
// or number it cannot read, a variant the test does not have, a range that
// runs backwards and a variant named twice.
std::vector<int> chosenVariants(std::string_view text, int current, int variantCount);

} // namespace quizloom::print
