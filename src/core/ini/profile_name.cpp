#include "core/ini/profile_name.h"

#include "core/ini/profile_syntax.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"

namespace quizloom::profile {

std::uint32_t foldedHash(std::string_view bytes) {
    // Folded bytes are packed eight to a word and each word mixed in with
    // one multiplication: every key of every file goes through here.
    const auto& lower = cp1251LowerTable();
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = bytes.size() * kMultiplier;
    std::uint64_t word = 0;
    std::size_t packed = 0;
    for (const char c : bytes) {
        word = (word << 8) | lower[static_cast<unsigned char>(c)];
        if (++packed == 8) {
            hash = (hash ^ word) * kMultiplier;
            hash ^= hash >> 29;
            word = 0;
            packed = 0;
        }
    }
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
