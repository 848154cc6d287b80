// Matching a typed text against the file's bytes under each choice of case
// and ё/е.
#include "core/search/text_match.h"

#include <gtest/gtest.h>

#include "core/text/cp1251.h"

namespace quizloom::search {
namespace {

struct MatchCase {
    const char* text;
    const char* value; // UTF-8 here, the file's Windows-1251 when matched
    MatchOptions options;
    std::optional<TextMatch> expected;
};

constexpr MatchOptions kDefault{};                                   // case off, ё = е
constexpr MatchOptions kExact{.matchCase = true, .yoAsYe = false};   // both count
constexpr MatchOptions kCaseOnly{.matchCase = true, .yoAsYe = true}; // ё = е, case counts
constexpr MatchOptions kYoOnly{.matchCase = false, .yoAsYe = false}; // case off, ё counts

TEST(TextMatcher, FoldsCaseAndYoAsAsked) {
    const MatchCase cases[] = {
        // Letter case: Latin, Cyrillic, and the code page's other pairs.
        {"сердце", "Где СЕРДЦЕ?", kDefault, TextMatch{4, 6}},
        {"сердце", "Где СЕРДЦЕ?", kCaseOnly, std::nullopt},
        {"Heart", "the HEART", kDefault, TextMatch{4, 5}},
        {"Heart", "the HEART", kExact, std::nullopt},
        {"ґрунт", "Ґрунт", kDefault, TextMatch{0, 5}},
        {"її", "ЇЇ", kDefault, TextMatch{0, 2}},
        // ё and е, both ways and in both cases.
        {"еж", "ёжик", kDefault, TextMatch{0, 2}},
        {"ёж", "ежик", kDefault, TextMatch{0, 2}},
        {"ЁЖ", "ежик", kDefault, TextMatch{0, 2}},
        {"еж", "Ёжик", kCaseOnly, std::nullopt},
        {"Еж", "Ёжик", kCaseOnly, TextMatch{0, 2}},
        {"еж", "ёжик", kYoOnly, std::nullopt},
        {"ёж", "Ёжик", kYoOnly, TextMatch{0, 2}},
        {"ёж", "ёжик", kExact, TextMatch{0, 2}},
        {"ёж", "Ёжик", kExact, std::nullopt},
        // The first match, at the very start and end, and after a near miss.
        {"аа", "бааа", kExact, TextMatch{1, 2}},
        {"ка", "кака", kExact, TextMatch{0, 2}},
        {"ака", "кака", kExact, TextMatch{1, 3}},
        {"абв", "абабв", kExact, TextMatch{2, 3}},
        {"x", "abcx", kExact, TextMatch{3, 1}},
        {"длинный текст", "текст", kDefault, std::nullopt},
        {"а", "", kDefault, std::nullopt},
    };
    for (const MatchCase& c : cases) {
        const TextMatcher matcher(c.text, c.options);
        EXPECT_EQ(matcher.find(utf8ToCp1251(c.value)), c.expected)
            << c.text << " in " << c.value << " (case " << c.options.matchCase << ", ё=е " << c.options.yoAsYe
            << ")";
    }
}

TEST(TextMatcher, TextsNoValueCanHoldMatchNothing) {
    for (const char* text : {"", "日本", "a\xff"}) {
        const TextMatcher matcher(text, kDefault);
        EXPECT_FALSE(matcher.canMatch()) << text;
        EXPECT_FALSE(matcher.find("?").has_value()) << text;
        EXPECT_FALSE(matcher.find("").has_value()) << text;
    }
}

} // namespace
} // namespace quizloom::search
