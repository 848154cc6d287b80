#include "core/text/int_conv.h"

#include <array>

#include "core/text/error.h"

namespace quizloom {
namespace {

constexpr std::array<std::string_view, 5> kHexPrefixes = {"0x", "0X", "$", "x", "X"};
constexpr std::size_t kMaxHexDigits = 8;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > kMaxHexDigits)
        return std::nullopt;
    std::uint32_t pattern = 0;
    for (const char c : digits) {
        const int value = hexDigitValue(c);
        if (value < 0)
            return std::nullopt;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(value);
    }
    return static_cast<std::int32_t>(pattern);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulated as a magnitude so that -2147483648 fits.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<std::int32_t> tryStrToInt(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    for (const std::string_view prefix : kHexPrefixes) {
        if (text.starts_with(prefix))
            return parseHex(text.substr(prefix.size()));
    }
    return parseDecimal(text);
}

std::int32_t strToInt(std::string_view text) {
    if (const auto value = tryStrToInt(text))
        return *value;
    throw Error(formatMessage("'%s' is not a valid integer value", text));
}

} // namespace quizloom
