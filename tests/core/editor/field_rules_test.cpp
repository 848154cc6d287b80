#include "core/editor/field_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using quizloom::editor::correctedFieldText;
using quizloom::editor::HeaderField;

struct Case {
    HeaderField field;
    std::string text;
    std::string bound;                 // NumVar / NumQue only
    std::optional<std::string> result; // nullopt: the text stands
};

const std::vector<Case> kCases{
    // Discipline: only the empty text is replaced, and with a capital letter.
    {HeaderField::Subject, "", "", "Физиология"},
    {HeaderField::Subject, " ", "", std::nullopt},
    {HeaderField::Subject, "физиология", "", std::nullopt},
    // Type: exact, case-sensitive match of one of the two texts.
    {HeaderField::Type, "", "", "много вариантов ответа"},
    {HeaderField::Type, "один вариант ответа", "", std::nullopt},
    {HeaderField::Type, "много вариантов ответа", "", std::nullopt},
    {HeaderField::Type, "Один вариант ответа", "", "много вариантов ответа"},
    {HeaderField::Type, "один вариант ответаx", "", "много вариантов ответа"},
    // Level always ends up as exactly "1" or "2".
    {HeaderField::Level, "3", "", "2"},
    {HeaderField::Level, "0", "", "1"},
    {HeaderField::Level, "x", "", "1"},
    {HeaderField::Level, "01", "", "1"},
    {HeaderField::Level, "02", "", "2"},
    {HeaderField::Level, "-", "", "1"},
    {HeaderField::Level, "", "", "1"},
    {HeaderField::Level, "2", "", std::nullopt},
    // Maxima: defaults on empty or unconvertible, bounds otherwise, typed text kept inside.
    {HeaderField::MaxVar, "", "", "5"},
    {HeaderField::MaxVar, "-", "", "5"},
    {HeaderField::MaxVar, "6", "", std::nullopt},
    {HeaderField::MaxVar, "60", "", "50"},
    {HeaderField::MaxVar, "50", "", std::nullopt},
    {HeaderField::MaxVar, "0", "", "1"},
    {HeaderField::MaxVar, "007", "", std::nullopt},
    {HeaderField::MaxVar, "$A", "", std::nullopt},
    {HeaderField::MaxVar, "$FFFFFFFF", "", "1"},
    {HeaderField::MaxVar, "2147483648", "", "5"},
    {HeaderField::MaxQue, "300", "", "99"},
    {HeaderField::MaxQue, "100", "", "99"},
    {HeaderField::MaxQue, "99", "", std::nullopt},
    {HeaderField::MaxQue, "0", "", "1"},
    {HeaderField::MaxQue, "abc", "", "5"},
    // Grades: each has its own default, none is compared with the others.
    {HeaderField::Grade5, "", "", "95"},
    {HeaderField::Grade4, "-", "", "85"},
    {HeaderField::Grade3, "x", "", "75"},
    {HeaderField::Grade5, "120", "", "100"},
    {HeaderField::Grade4, "0", "", "1"},
    {HeaderField::Grade5, "50", "", std::nullopt},
    {HeaderField::Grade3, "95", "", std::nullopt},
    // Positions: bounded by the text of the maximum field, which is copied as it stands.
    {HeaderField::NumVar, "9", "5", "5"},
    {HeaderField::NumVar, "9", "05", "05"},
    {HeaderField::NumVar, "5", "5", std::nullopt},
    {HeaderField::NumVar, "", "5", "1"},
    {HeaderField::NumVar, "-1", "5", "1"},
    {HeaderField::NumVar, "0", "5", "1"},
    {HeaderField::NumVar, "3", "x", "1"},
    {HeaderField::NumVar, "3", "", "1"},
    {HeaderField::NumQue, "12", "10", "10"},
    {HeaderField::NumQue, "-", "10", "1"},
    {HeaderField::NumQue, "10", "10", std::nullopt},
    // A bound below 1 is unusable rather than a bound to copy.
    {HeaderField::NumQue, "3", "-2", "1"},
};

TEST(HeaderRules, CorrectsAsTheFieldTableSays) {
    for (const Case& c : kCases) {
        SCOPED_TRACE("field " + std::to_string(static_cast<int>(c.field)) + " text '" + c.text + "' bound '" +
                     c.bound + "'");
        EXPECT_EQ(correctedFieldText(c.field, c.text, c.bound), c.result);
    }
}

TEST(HeaderRules, EveryCorrectionIsAcceptedWhenTheHandlerRunsAgain) {
    for (const Case& c : kCases) {
        if (!c.result)
            continue;
        SCOPED_TRACE("corrected text '" + *c.result + "'");
        EXPECT_EQ(correctedFieldText(c.field, *c.result, c.bound), std::nullopt);
    }
}

} // namespace
