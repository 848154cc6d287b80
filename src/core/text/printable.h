#pragma once
// Names shown in one line (report lines, the status bar, the picker): a
// control character in a file or test name, a line break above all, would
// split or garble the line, so each is shown as "?".
#include <string>
#include <string_view>

namespace quizloom {

// UTF-8 text with every control character (U+0000..U+001F, U+007F,
// U+0080..U+009F) replaced by '?'; everything else, malformed bytes
// included, passes unchanged.
std::string printableName(std::string_view utf8);

} // namespace quizloom
