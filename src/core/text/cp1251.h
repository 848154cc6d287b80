#pragma once
// Text is UTF-8 inside the program and Windows-1251 on disk. The codec is a
// bijection on all 256 byte values: 0x98, which the code page leaves
// undefined, travels as U+0098, so any byte read from a file survives a
// read, a display and a save unchanged.
#include <optional>
#include <string>
#include <string_view>

namespace quizloom {

char32_t cp1251ToCodePoint(unsigned char byte);
std::optional<unsigned char> codePointToCp1251(char32_t cp);

std::string cp1251ToUtf8(std::string_view bytes);
// Characters the code page cannot hold, and malformed UTF-8, become '?'.
std::string utf8ToCp1251(std::string_view utf8);
// True when every character of utf8 has a byte in the code page.
bool fitsCp1251(std::string_view utf8);

// nextCodePoint for what its inline part leaves: sequences of three and
// four bytes, and malformed ones.
std::optional<char32_t> nextLongCodePoint(std::string_view utf8, std::size_t& pos);

// Decodes the UTF-8 character at utf8[pos] (pos < size) and moves pos past
// it; a malformed sequence gives nullopt and pos moves past its bytes.
// Inline for ASCII and two-byte characters (Cyrillic among them): the
// readers and checks of imported texts decode every character.
inline std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < utf8.size()) {
        const auto next = static_cast<unsigned char>(utf8[pos + 1]);
        if ((next & 0xC0) == 0x80) {
            pos += 2;
            return (static_cast<char32_t>(lead & 0x1F) << 6) | (next & 0x3F);
        }
    }
    return nextLongCodePoint(utf8, pos);
}
void appendUtf8(std::string& out, char32_t cp);

} // namespace quizloom
