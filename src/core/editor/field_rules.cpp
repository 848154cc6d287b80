#include "core/editor/field_rules.h"

#include <array>
#include <cstdint>

#include "core/quiz/quiz_format.h"
#include "core/text/int_conv.h"

namespace quizloom::editor {
namespace {

enum class RuleKind {
    FreeText, // any non-empty text
    Choice,   // one of the two test types, exactly
    Number,   // a whole number within [1, upper]
    Position, // a whole number within [1, number in the bound field]
};

struct FieldRule {
    HeaderField field;
    RuleKind kind;
    std::string_view fallback; // for an empty or unconvertible text
    std::int32_t upper;        // Number only
    bool normalise;            // Number only: an accepted number is rewritten as plain decimal
};

// Question numbers stop at 99 so that variant * 100 + question names one
// question only.
constexpr std::array kRules{
    FieldRule{HeaderField::Subject, RuleKind::FreeText, "Физиология", 0, false},
    FieldRule{HeaderField::Type, RuleKind::Choice, quiz::kTypeMany, 0, false},
    FieldRule{HeaderField::Level, RuleKind::Number, "1", 2, true},
    FieldRule{HeaderField::MaxVar, RuleKind::Number, "5", quiz::kEditorMaxVariants, false},
    FieldRule{HeaderField::MaxQue, RuleKind::Number, "5", quiz::kEditorMaxQuestions, false},
    FieldRule{HeaderField::NumVar, RuleKind::Position, "1", 0, false},
    FieldRule{HeaderField::NumQue, RuleKind::Position, "1", 0, false},
    FieldRule{HeaderField::Grade5, RuleKind::Number, "95", 100, false},
    FieldRule{HeaderField::Grade4, RuleKind::Number, "85", 100, false},
    FieldRule{HeaderField::Grade3, RuleKind::Number, "75", 100, false},
};

const FieldRule& ruleOf(HeaderField field) {
    for (const FieldRule& rule : kRules)
        if (rule.field == field)
            return rule;
    return kRules.front(); // every enumerator has a row
}

std::string numberTarget(const FieldRule& rule, std::string_view text) {
    const auto n = tryStrToInt(text);
    if (!n)
        return std::string(rule.fallback);
    if (*n > rule.upper)
        return std::to_string(rule.upper);
    if (*n < 1)
        return "1";
    return rule.normalise ? std::to_string(*n) : std::string(text);
}

std::string positionTarget(const FieldRule& rule, std::string_view text, std::string_view boundText) {
    const auto n = tryStrToInt(text);
    const auto m = tryStrToInt(boundText);
    // A bound below 1 cannot come from a corrected maximum field; taking it
    // would make the field and its bound correct each other for ever.
    if (!n || !m || *m < 1)
        return std::string(rule.fallback);
    if (*m < *n)
        return std::string(boundText);
    if (*n < 1)
        return "1";
    return std::string(text);
}

std::string targetText(const FieldRule& rule, std::string_view text, std::string_view boundText) {
    if (text.empty())
        return std::string(rule.fallback);
    switch (rule.kind) {
    case RuleKind::FreeText:
        return std::string(text);
    case RuleKind::Choice:
        return text == quiz::kTypeMany || text == quiz::kTypeOne ? std::string(text)
                                                                 : std::string(rule.fallback);
    case RuleKind::Number:
        return numberTarget(rule, text);
    case RuleKind::Position:
        return positionTarget(rule, text, boundText);
    }
    return std::string(text);
}

} // namespace

std::optional<std::string> correctedFieldText(HeaderField field, std::string_view text,
                                              std::string_view boundText) {
    std::string target = targetText(ruleOf(field), text, boundText);
    if (target == text)
        return std::nullopt;
    return target;
}

int shownNumber(HeaderField field, std::string_view text) {
    return tryStrToInt(targetText(ruleOf(field), text, {})).value_or(0);
}

} // namespace quizloom::editor
