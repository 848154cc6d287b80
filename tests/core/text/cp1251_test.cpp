#include "core/text/cp1251.h"

#include <gtest/gtest.h>

namespace quizloom {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = cp1251ToUtf8(all);
    EXPECT_TRUE(fitsCp1251(utf8));
    EXPECT_EQ(utf8ToCp1251(utf8), all);
    for (int b = 0; b < 256; ++b) {
        const auto back = codePointToCp1251(cp1251ToCodePoint(static_cast<unsigned char>(b)));
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, b);
    }
}

TEST(Cp1251, KnownCharacters) {
    EXPECT_EQ(cp1251ToUtf8("\xD2\xE5\xF1\xF2"), "Тест");
    EXPECT_EQ(utf8ToCp1251("Вариант №1"), "\xC2\xE0\xF0\xE8\xE0\xED\xF2 \xB9"
                                          "1");
    EXPECT_EQ(utf8ToCp1251("Ёё€—«»"), "\xA8\xB8\x88\x97\xAB\xBB");
    EXPECT_EQ(cp1251ToCodePoint(0x98), U'\u0098');
    EXPECT_EQ(cp1251ToCodePoint(0xA0), U'\u00A0');
    EXPECT_EQ(cp1251ToCodePoint(0xFF), U'я');
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1251("a\u4E2Db"), "a?b");    // CJK
    EXPECT_EQ(utf8ToCp1251("\U0001F600"), "?");    // outside the BMP
    EXPECT_EQ(utf8ToCp1251("\u0080\u0099"), "??"); // C1 controls other than U+0098
    EXPECT_EQ(utf8ToCp1251("x\xFFy"), "x?y");      // invalid byte
    EXPECT_EQ(utf8ToCp1251("\xD0"), "?");          // truncated at the end
    EXPECT_EQ(utf8ToCp1251("\xD0z"), "?z");        // truncated before ASCII
    EXPECT_EQ(utf8ToCp1251("\xC0\xAF"), "??");     // overlong '/'
    EXPECT_EQ(utf8ToCp1251("\xED\xA0\x80"), "?");  // surrogate
    EXPECT_EQ(utf8ToCp1251("\x80"), "?");          // stray continuation
    EXPECT_FALSE(fitsCp1251("a\u4E2D"));
    EXPECT_FALSE(fitsCp1251("\xFF"));
    EXPECT_TRUE(fitsCp1251(""));
}

} // namespace
} // namespace quizloom

namespace quizloom {
namespace {

// Two-byte characters take a short path of their own; it must agree with
// the general rules for every one of them.
TEST(Cp1251, EveryTwoByteCharacterDecodesAsTheGeneralRulesSay) {
    for (char32_t cp = 0x80; cp < 0x800; ++cp) {
        std::string utf8;
        appendUtf8(utf8, cp);
        std::size_t pos = 0;
        EXPECT_EQ(nextCodePoint(utf8, pos), std::optional<char32_t>(cp));
        EXPECT_EQ(pos, 2u);
        const std::optional<unsigned char> byte = codePointToCp1251(cp);
        EXPECT_EQ(utf8ToCp1251(utf8), byte ? std::string(1, static_cast<char>(*byte)) : "?");
        EXPECT_EQ(fitsCp1251(utf8), byte.has_value());
    }
}

} // namespace
} // namespace quizloom
