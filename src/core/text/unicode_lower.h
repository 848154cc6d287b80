#pragma once
// Unicode lower-casing for ordering names, in standard C++ without a locale:
// the simple (one-to-one) mappings of Unicode, by code point, for ASCII,
// Latin-1 Supplement, Latin Extended-A, Greek and Coptic, and Cyrillic with
// its supplement (Ё/ё and U+0400-U+040F included). Other characters (Latin
// Extended-B and every other script), and bytes that are not well-formed
// UTF-8, are kept as they are, so the result is a total, stable sort key.
#include <string>
#include <string_view>

namespace quizloom {

char32_t unicodeToLower(char32_t cp);
std::string utf8ToLowerUnicode(std::string_view utf8);

} // namespace quizloom
