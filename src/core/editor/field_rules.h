#pragma once
// The correction rules of the ten header and position fields. A field never
// shows a message: an unacceptable text is replaced at once by a fixed text
// or by a bound, and the replacement is itself acceptable, so a handler that
// applies it and runs again on the new text changes nothing more.
#include <optional>
#include <string>
#include <string_view>

namespace quizloom::editor {

enum class HeaderField {
    Subject, // EditDSubject
    Type,    // EditType
    Level,   // EditNumLevel
    MaxVar,  // EditMaxVar
    MaxQue,  // EditMaxQue
    NumVar,  // EditNumVar, bounded by the text of EditMaxVar
    NumQue,  // EditNumQue, bounded by the text of EditMaxQue
    Grade5,  // Edit_5
    Grade4,  // Edit_4
    Grade3,  // Edit_3
};

// The text the field must show instead of text, or nullopt when text stands.
// boundText is read only for NumVar and NumQue: the text of their maximum field.
std::optional<std::string> correctedFieldText(HeaderField field, std::string_view text,
                                              std::string_view boundText = {});

// The number a numeric header field (Level, MaxVar, MaxQue) shows for a
// text read from a file (UTF-8; empty for a missing key): the text after the
// field's rule, so a reader of many files reaches what navigation reaches.
int shownNumber(HeaderField field, std::string_view text);

} // namespace quizloom::editor
