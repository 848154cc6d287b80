#include "core/ini/profile_name.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/case_fold.h"

namespace quizloom::profile {
namespace {

// The hash folds whole words at once outside the scattered letter pairs;
// every byte value, at a position inside a full word and in the tail, must
// hash as its small letter does and unlike any byte that folds differently.
TEST(FoldedHashTest, AgreesWithTheFoldForEveryByteInWordsAndTail) {
    const std::string base = "abcdefghijklmnopqrs"; // two full words and a tail
    for (const std::size_t at : {std::size_t{0}, std::size_t{7}, std::size_t{12}, std::size_t{17}}) {
        for (int b = 0; b < 256; ++b) {
            std::string text = base;
            text[at] = static_cast<char>(b);
            const std::string folded = cp1251ToLower(text);
            EXPECT_EQ(foldedHash(text), foldedHash(folded)) << "byte " << b << " at " << at;
            EXPECT_TRUE(equalsFolded(text, folded));
            for (int other = 0; other < b; ++other) {
                std::string otherText = base;
                otherText[at] = static_cast<char>(other);
                if (cp1251ToLower(otherText) != folded) {
                    EXPECT_NE(foldedHash(text), foldedHash(otherText)) << b << " vs " << other << " at " << at;
                }
            }
        }
    }
}

// A word that mixes a scattered letter with the contiguous alphabets takes
// the table path; the same letters in two words take the fast one.
TEST(FoldedHashTest, MixedWordsHashAsTheirFold) {
    for (const std::string& text : {std::string("\xA8\xC0Zz\xDF\xE0@[AB"), std::string("\xC0\xDF" "AZaz{}\xC1\xA8")})
        EXPECT_EQ(foldedHash(text), foldedHash(cp1251ToLower(text)));
}

} // namespace
} // namespace quizloom::profile
