#pragma once
// The editor's form as data: the texts of the header, position, question
// and answer fields and the five correct-answer marks. The window shows
// exactly this; every Part of the editor changes it only through the
// editing session, which runs the fields' rules.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/editor/field_rules.h"
#include "core/quiz/quiz_format.h"

namespace quizloom::editor {

// The first ten are the header and position fields, in HeaderField's order.
enum class Field : std::size_t {
    Subject,
    Type,
    Level,
    MaxVar,
    MaxQue,
    NumVar,
    NumQue,
    Grade5,
    Grade4,
    Grade3,
    Question,
    Answer1,
    Answer2,
    Answer3,
    Answer4,
    Answer5,
};
inline constexpr std::size_t kFieldCount = 16;
inline constexpr std::size_t kHeaderFieldCount = 10;

constexpr bool hasRule(Field field) {
    return static_cast<std::size_t>(field) < kHeaderFieldCount;
}
constexpr HeaderField headerField(Field field) {
    return static_cast<HeaderField>(field);
}
constexpr Field answerField(int k) {
    return static_cast<Field>(static_cast<std::size_t>(Field::Answer1) + k);
}

struct QuestionForm {
    // The texts the form starts with.
    std::array<std::string, kFieldCount> texts{"физиология", std::string(quiz::kTypeMany),
                                               "1",          "5",
                                               "5",          "1",
                                               "1",          "95",
                                               "85",         "75",
                                               "",           "",
                                               "",           "",
                                               "",           ""};
    quiz::AnswerMarks marks{};

    const std::string& operator[](Field field) const { return texts[static_cast<std::size_t>(field)]; }
    std::string& operator[](Field field) { return texts[static_cast<std::size_t>(field)]; }
    quiz::AnswerTexts answers() const;
    bool operator==(const QuestionForm&) const = default;
};

} // namespace quizloom::editor
