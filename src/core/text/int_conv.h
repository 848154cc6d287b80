#pragma once
// Whole-text integer conversion: leading blanks, then an optional sign and
// decimal digits, or "$", "x", "X", "0x", "0X" and up to eight hex digits
// taken as a 32-bit pattern; nothing may follow the digits.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quizloom {

std::optional<std::int32_t> tryStrToInt(std::string_view text);
// Throws Error("'<text>' is not a valid integer value").
std::int32_t strToInt(std::string_view text);

} // namespace quizloom
