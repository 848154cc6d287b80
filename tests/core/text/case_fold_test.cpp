#include "core/text/case_fold.h"

#include <gtest/gtest.h>

#include "core/text/cp1251.h"

namespace quizloom {
namespace {

TEST(CaseFold, LatinCyrillicAndTheOtherPairedLetters) {
    const std::string upper = utf8ToCp1251("ABCXYZАБВЭЮЯЁЂЃЉЊЌЋЏЎЈҐЄЇІЅ");
    const std::string lower = utf8ToCp1251("abcxyzабвэюяёђѓљњќћџўјґєїіѕ");
    EXPECT_EQ(cp1251ToLower(upper), lower);
    EXPECT_EQ(cp1251ToLower(lower), lower);
    EXPECT_TRUE(cp1251EqualNoCase(upper, lower));
}

TEST(CaseFold, NonLettersAndUnpairedCharactersStay) {
    std::string others = "0123456789 []=;@`{}\t";
    others += utf8ToCp1251("№€—«»©®°±µ¶·\u0098\u00A0\u00AD");
    EXPECT_EQ(cp1251ToLower(others), others);
    // Only capitals change: 26 Latin, 32 Russian and 15 other Cyrillic ones.
    int changed = 0;
    for (int b = 0; b < 256; ++b)
        changed += cp1251ToLower(static_cast<unsigned char>(b)) != b;
    EXPECT_EQ(changed, 26 + 32 + 15);
}

TEST(CaseFold, EqualNoCase) {
    EXPECT_TRUE(cp1251EqualNoCase(utf8ToCp1251("Название ТЕСТА"), utf8ToCp1251("название теста")));
    EXPECT_FALSE(cp1251EqualNoCase(utf8ToCp1251("Ёж"), utf8ToCp1251("Еж")));
    EXPECT_FALSE(cp1251EqualNoCase("ab", "abc"));
}

TEST(CaseFold, Utf8TextFoldsThroughTheCodePage) {
    EXPECT_EQ(utf8ToLowerCp1251("МНОГО Вариантов ОТВЕТА Ё"), "много вариантов ответа ё");
    // Outside the code page nothing changes, malformed bytes included.
    EXPECT_EQ(utf8ToLowerCp1251("ÄΩ\xFFZ"), "ÄΩ\xFFz");
}

} // namespace
} // namespace quizloom
