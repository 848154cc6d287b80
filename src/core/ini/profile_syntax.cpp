#include "core/ini/profile_syntax.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quizloom::profile {
namespace {

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

std::size_t firstNonBlank(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    return pos;
}

} // namespace

bool enclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t findLineBreak(std::string_view text, std::size_t pos) {
    // Eight bytes at a time: a byte of the word equal to CR or LF shows as a
    // zero byte after the XOR, found by the usual borrow test. The lowest
    // flagged byte is exact; flags above it may be false, and are not used.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    constexpr std::uint64_t kCr = kOnes * '\r';
    constexpr std::uint64_t kLf = kOnes * '\n';
    const char* data = text.data();
    for (; pos + 8 <= text.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + pos, sizeof word);
        const std::uint64_t cr = word ^ kCr;
        const std::uint64_t lf = word ^ kLf;
        const std::uint64_t hits = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs;
        if (hits != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
            break;
        }
    }
    while (pos < text.size() && !isLineBreak(data[pos]))
        ++pos;
    return pos;
}

std::size_t lineBreakLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        return 2;
    return 1;
}

std::string_view sectionNameAt(std::string_view line, std::size_t open) {
    const std::string_view rest = line.substr(open + 1);
    return trimBlanks(rest.substr(0, rest.find(']')));
}

LineSyntax classifyLine(std::string_view line) {
    const std::size_t start = firstNonBlank(line);
    if (start == line.size() || line[start] == ';')
        return {};
    if (line[start] == '[')
        return {LineKind::Section, sectionNameAt(line, start), {}};
    const std::size_t equals = line.find('=', start);
    if (equals == std::string_view::npos)
        return {};
    std::string_view value = trimBlanks(line.substr(equals + 1));
    if (enclosedInQuotes(value))
        value = value.substr(1, value.size() - 2);
    return {LineKind::Entry, trimBlanks(line.substr(start, equals - start)), value};
}

std::string makeEntryLine(std::string_view key, std::string_view value, std::size_t& valueOffset) {
    const bool quote =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key);
    line += '=';
    if (quote)
        line += '"';
    valueOffset = line.size();
    line.append(value);
    if (quote)
        line += '"';
    return line;
}

bool isStorableKey(std::string_view key) {
    if (key != trimBlanks(key) || key.find('=') != std::string_view::npos)
        return false;
    return key.empty() || (key.front() != '[' && key.front() != ';');
}

bool isStorableSectionName(std::string_view name) {
    return name == trimBlanks(name) && name.find(']') == std::string_view::npos;
}

} // namespace quizloom::profile
