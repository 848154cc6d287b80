#include "core/ini/profile_name.h"

#include <array>
#include <cstring>

#include "core/ini/profile_syntax.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"

namespace quizloom::profile {

namespace {

constexpr std::uint64_t kHighs = 0x8080808080808080ull;
constexpr std::uint64_t kBytes(unsigned char b) {
    return 0x0101010101010101ull * b;
}

// Folds eight bytes at once: outside 0x80..0xBF the code page's capitals
// are 'A'..'Z' and 0xC0..0xDF, each one bit 0x20 below its small letter.
// Any byte in 0x80..0xBF (the scattered letter pairs) goes through the table.
std::uint64_t foldedWord(const char* at, const std::array<unsigned char, 256>& lower) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if ((word & ~(word << 1) & kHighs) != 0) {
        unsigned char folded[sizeof word];
        for (std::size_t i = 0; i < sizeof word; ++i)
            folded[i] = lower[static_cast<unsigned char>(at[i])];
        std::memcpy(&word, folded, sizeof word);
        return word;
    }
    // Seven-bit parts cannot carry into the next byte when added to.
    const std::uint64_t low7 = word & ~kHighs;
    const std::uint64_t asciiCapital =
        (low7 + kBytes(0x80 - 'A')) & ~(low7 + kBytes(0x80 - 'Z' - 1)) & ~word & kHighs;
    const std::uint64_t cyrillicCapital = word & ~(word << 2) & kHighs; // 0xC0..0xDF: bit 0x20 clear
    return word | ((asciiCapital | cyrillicCapital) >> 2);
}

} // namespace

std::uint32_t foldedHash(std::string_view bytes) {
    // Each word of folded bytes is mixed in with one multiplication: every
    // key of every file goes through here.
    const auto& lower = cp1251LowerTable();
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = bytes.size() * kMultiplier;
    std::size_t pos = 0;
    for (; pos + 8 <= bytes.size(); pos += 8) {
        hash = (hash ^ foldedWord(bytes.data() + pos, lower)) * kMultiplier;
        hash ^= hash >> 29;
    }
    std::uint64_t word = 0;
    for (; pos < bytes.size(); ++pos)
        word = (word << 8) | lower[static_cast<unsigned char>(bytes[pos])];
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 32;
    return static_cast<std::uint32_t>(hash);
}

bool equalsFolded(std::string_view bytes, std::string_view folded) {
    if (bytes.size() != folded.size())
        return false;
    const auto& lower = cp1251LowerTable();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (lower[static_cast<unsigned char>(bytes[i])] != static_cast<unsigned char>(folded[i]))
            return false;
    }
    return true;
}

Name::Name(std::string_view utf8) {
    prepare(utf8ToCp1251(utf8));
}

Name Name::fromBytes(std::string_view cp1251) {
    Name name;
    name.prepare(cp1251);
    return name;
}

void Name::prepare(std::string_view cp1251) {
    bytes_ = trimBlanks(cp1251);
    folded_ = cp1251ToLower(bytes_);
    hash_ = foldedHash(bytes_);
}

} // namespace quizloom::profile
