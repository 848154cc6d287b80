#include "core/text/int_conv.h"

#include <gtest/gtest.h>

#include "core/text/error.h"

namespace quizloom {
namespace {

TEST(IntConv, AcceptedTexts) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"0", 0},
        {"007", 7},
        {"-0", 0},
        {"+12", 12},
        {" 12", 12},
        {"\t 12", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"00000000000000000042", 42},
        {"$FFFFFFFF", -1},
        {"$7fffffff", 2147483647},
        {"$80000000", -2147483647 - 1},
        {"0x10", 16},
        {"0X1f", 31},
        {"x1F", 31},
        {"XaB", 171},
        {"  $0", 0},
        {"$00000001", 1},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = tryStrToInt(text);
        ASSERT_TRUE(parsed.has_value()) << '"' << text << '"';
        EXPECT_EQ(*parsed, value) << '"' << text << '"';
    }
}

TEST(IntConv, RefusedTexts) {
    const char* cases[] = {
        "",
        " ",
        "+",
        "-",
        "12 ",
        "1 2",
        "2147483648",
        "-2147483649",
        "99999999999999999999",
        "0x",
        "$",
        "x",
        "$G",
        "$123456789",
        "0x000000001",
        "+0x10",
        "-$1",
        "- 1",
        "+-1",
        "1e3",
        "12a",
        "0x1 ",
        "\xD9"
        "12",
    };
    for (const char* text : cases)
        EXPECT_FALSE(tryStrToInt(text).has_value()) << '"' << text << '"';
}

TEST(IntConv, ErrorMessageQuotesTheText) {
    try {
        strToInt("12 ");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'12 ' is not a valid integer value");
    }
    EXPECT_EQ(strToInt("-5"), -5);
}

TEST(FormatMessage, ReplacesTheFirstPlaceholderOnly) {
    EXPECT_EQ(formatMessage("Unable to write to %s", "/a/b.ini"), "Unable to write to /a/b.ini");
    EXPECT_EQ(formatMessage("%s and %s", "x"), "x and %s");
    EXPECT_EQ(formatMessage("none", "x"), "none");
}

} // namespace
} // namespace quizloom
