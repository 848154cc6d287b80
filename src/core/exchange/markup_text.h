#pragma once
// An imported text made fit for one line of a test file, or the reason it
// cannot be without changing what it says.
#include <optional>
#include <string>

#include "core/exchange/source_model.h"

namespace quizloom::exchange {

struct CleanText {
    std::string text;
    bool markupReduced = false; // formatting tags were dropped
    std::optional<std::string> refusal;
};

// Markup: text-formatting tags (b, i, u, span, p, br, ...) are dropped,
// paragraph and line tags become a blank, character references are
// decoded; an image, any other element or an unknown reference refuses the
// text. Then line breaks and tabs with the blanks around them become one
// blank and outer blanks go. Refused too: control characters, characters
// outside Windows-1251, more than 2047 bytes (a reader of the test file
// takes no more of a value).
CleanText cleanText(const SourceText& source);

} // namespace quizloom::exchange
