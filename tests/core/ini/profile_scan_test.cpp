// The one-pass scan's own parts: line ends and the '=' of an entry found
// many bytes at a time, and keys matched by length, last byte and fold.
#include "core/ini/profile_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ini/line_search.h"
#include "core/ini/profile_name.h"
#include "core/ini/profile_syntax.h"
#include "core/text/cp1251.h"
#include "support/every_section.h"

namespace quizloom::profile {
namespace {

LineShape byteByByte(std::string_view text, std::size_t pos) {
    LineShape shape;
    for (; pos < text.size() && text[pos] != '\r' && text[pos] != '\n'; ++pos) {
        if (text[pos] == '=' && shape.equals == std::string_view::npos)
            shape.equals = pos;
    }
    shape.contentEnd = pos;
    return shape;
}

// Every placement of a break and of '=' around the edges of the blocks the
// search steps by, from every start: an '=' after the break, even in the
// same block, is not this line's.
TEST(LineSearchTest, FindsBreaksAndEqualsSignsAsAByteByByteSearchDoes) {
    const std::string base(40, 'x');
    for (const char brk : {'\r', '\n'}) {
        for (std::size_t b = 0; b <= base.size(); ++b) {
            for (std::size_t e = 0; e < base.size(); e += 3) {
                std::string text = base;
                text[e] = '=';
                if (b < text.size())
                    text[b] = brk;
                for (std::size_t start = 0; start < 20; ++start) {
                    const LineShape fast = findLineShape<true>(text, start);
                    const LineShape slow = byteByByte(text, start);
                    ASSERT_EQ(fast.contentEnd, slow.contentEnd) << b << " " << e << " " << start;
                    ASSERT_EQ(fast.equals, slow.equals) << b << " " << e << " " << start;
                    ASSERT_EQ(findLineBreak(text, start), slow.contentEnd);
                }
            }
        }
    }
}

std::vector<Name> names(std::initializer_list<std::string_view> utf8) {
    std::vector<Name> result;
    for (const std::string_view name : utf8)
        result.emplace_back(name);
    return result;
}

TEST(KeySetTest, MatchesWithoutRegardToCaseAndTellsApartKeysOfOneLengthAndLastByte) {
    // "ab" and "cb": one length and last byte; "Вопрос" and "вопрос" are one name.
    const KeySet keys(names({"Вопрос", "ab", "cb", "Вариант №1", "Вариант №2", "вопрос", "Ёж"}));
    EXPECT_EQ(keys.find(utf8ToCp1251("Вопрос")), 0);
    EXPECT_EQ(keys.find(utf8ToCp1251("ВОПРОС")), 0) << "the first of equal names";
    EXPECT_EQ(keys.find("AB"), 1);
    EXPECT_EQ(keys.find("cB"), 2);
    EXPECT_EQ(keys.find(utf8ToCp1251("вАРИАНТ №2")), 4);
    EXPECT_EQ(keys.find(utf8ToCp1251("ёЖ")), 6);
    EXPECT_EQ(KeySet(names({"a", ""})).find(""), 1);
    for (const std::string_view other : {"", "b", "bb", "abc", "Вариант №3", "Вариант №", "Вопросы", "Вопро"})
        EXPECT_EQ(keys.find(utf8ToCp1251(other)), -1) << other;
}

TEST(ScanProfileTest, ReadsTheFirstSectionAndKeyOfANameWithTheLineRules) {
    const KeySet keys(names({"a", "key"}));
    const std::string text = "a=preamble\r\n"
                             " [ s ] tail\r\n"
                             "\tKEY \t= ' quoted '\n"
                             "key=second\r"
                             ";a=comment\r\n"
                             "a\r\n"
                             "  a  =  x=y  \r\n"
                             "[t\n"
                             "A=\"\"\n"
                             "[s]\n"
                             "b=1\n"
                             "[u]\n"
                             "a=no line end";
    quizloom::testing::EverySection target(keys);
    scanProfile(text, target);
    ASSERT_EQ(target.slots.size(), 3u);
    EXPECT_EQ(target.slots["s"], (std::vector<ValueSlot>{"x=y", " quoted "}));
    EXPECT_EQ(target.slots["t"], (std::vector<ValueSlot>{"", std::nullopt}));
    EXPECT_EQ(target.slots["u"], (std::vector<ValueSlot>{"no line end", std::nullopt}));
}

} // namespace
} // namespace quizloom::profile
