#include "core/text/case_fold.h"

#include <array>
#include <utility>

#include "core/text/cp1251.h"

namespace quizloom {
namespace {

// Capital and small letters of the code page outside the two contiguous
// alphabets: Ё/ё and the Serbian, Macedonian, Ukrainian and Belarusian ones.
constexpr std::pair<unsigned char, unsigned char> kOtherLetterPairs[] = {
    {0x80, 0x90}, // Ђ ђ
    {0x81, 0x83}, // Ѓ ѓ
    {0x8A, 0x9A}, // Љ љ
    {0x8C, 0x9C}, // Њ њ
    {0x8D, 0x9D}, // Ќ ќ
    {0x8E, 0x9E}, // Ћ ћ
    {0x8F, 0x9F}, // Џ џ
    {0xA1, 0xA2}, // Ў ў
    {0xA3, 0xBC}, // Ј ј
    {0xA5, 0xB4}, // Ґ ґ
    {0xA8, 0xB8}, // Ё ё
    {0xAA, 0xBA}, // Є є
    {0xAF, 0xBF}, // Ї ї
    {0xB2, 0xB3}, // І і
    {0xBD, 0xBE}, // Ѕ ѕ
};

constexpr std::array<unsigned char, 256> makeLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i);
    for (int i = 'A'; i <= 'Z'; ++i)
        table[i] = static_cast<unsigned char>(i + ('a' - 'A'));
    for (int i = 0xC0; i <= 0xDF; ++i) // А..Я
        table[i] = static_cast<unsigned char>(i + 0x20);
    for (const auto& [capital, small] : kOtherLetterPairs)
        table[capital] = small;
    return table;
}

constexpr std::array<unsigned char, 256> kLower = makeLowerTable();

} // namespace

unsigned char cp1251ToLower(unsigned char byte) {
    return kLower[byte];
}

const std::array<unsigned char, 256>& cp1251LowerTable() {
    return kLower;
}

std::string cp1251ToLower(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out)
        c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    return out;
}

bool cp1251EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kLower[static_cast<unsigned char>(a[i])] != kLower[static_cast<unsigned char>(b[i])])
            return false;
    }
    return true;
}

std::string utf8ToLowerCp1251(std::string_view utf8) {
    // Characters outside the code page, and malformed bytes, pass unchanged.
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto cp = nextCodePoint(utf8, pos);
        const auto byte = cp ? codePointToCp1251(*cp) : std::nullopt;
        if (byte)
            appendUtf8(out, cp1251ToCodePoint(kLower[*byte]));
        else
            out.append(utf8.substr(start, pos - start));
    }
    return out;
}

} // namespace quizloom
