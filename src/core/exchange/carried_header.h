#pragma once
// The header of a test as an export carries it where the platforms do not
// look (the test category's description in Moodle XML, comment lines in
// GIFT) and an import reads it back: the line "[Тест]", then one line
// "key=value" for each value, keys and values as the test file holds them.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quizloom::exchange {

// Key and value, in the order of carriedHeaderKeys.
using HeaderValues = std::vector<std::pair<std::string, std::string>>;

// "Название теста", "Дисциплина", "Тип", "Уровень", "Оценка 5", "Оценка 4",
// "Оценка 3": what a platform has no place for and a round trip must keep.
std::span<const std::string_view> carriedHeaderKeys();

std::vector<std::string> headerLines(const HeaderValues& header);
// The values of lines headerLines wrote; nothing when the first line is not
// "[Тест]". Lines of other keys, and lines without "=", are passed over.
std::optional<HeaderValues> readHeaderLines(std::span<const std::string> lines);
std::optional<std::string> headerValue(const HeaderValues& header, std::string_view key);

} // namespace quizloom::exchange
