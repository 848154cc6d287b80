#include "core/text/unicode_lower.h"

#include <algorithm>
#include <array>

#include "core/text/cp1251.h"

namespace quizloom {

namespace {

// How the capitals of a range of code points map to small letters.
enum class Shape {
    Offset,   // every code point of the range: cp + delta
    EvenPair, // upper case at even code points, small letter right after
    OddPair,  // upper case at odd code points, small letter right after
};

struct CaseRange {
    char32_t first;
    char32_t last;
    Shape shape;
    int delta;
};

// Sorted by first code point; ranges do not overlap.
constexpr std::array kCaseRanges{
    CaseRange{0x0041, 0x005A, Shape::Offset, 0x20},    // A-Z
    CaseRange{0x00C0, 0x00D6, Shape::Offset, 0x20},    // À-Ö
    CaseRange{0x00D8, 0x00DE, Shape::Offset, 0x20},    // Ø-Þ
    CaseRange{0x0100, 0x012F, Shape::EvenPair, 0},     // Ā-į
    CaseRange{0x0130, 0x0130, Shape::Offset, -0x00C7}, // İ -> i
    CaseRange{0x0132, 0x0137, Shape::EvenPair, 0},     // Ĳ-ķ
    CaseRange{0x0139, 0x0148, Shape::OddPair, 0},      // Ĺ-ň
    CaseRange{0x014A, 0x0177, Shape::EvenPair, 0},     // Ŋ-ŷ
    CaseRange{0x0178, 0x0178, Shape::Offset, -0x0079}, // Ÿ -> ÿ
    CaseRange{0x0179, 0x017E, Shape::OddPair, 0},      // Ź-ž
    CaseRange{0x0370, 0x0373, Shape::EvenPair, 0},     // Ͱ-ͳ
    CaseRange{0x0376, 0x0377, Shape::EvenPair, 0},     // Ͷ-ͷ
    CaseRange{0x037F, 0x037F, Shape::Offset, 0x0074},  // Ϳ -> ϳ
    CaseRange{0x0386, 0x0386, Shape::Offset, 0x0026},  // Ά -> ά
    CaseRange{0x0388, 0x038A, Shape::Offset, 0x0025},  // Έ-Ί
    CaseRange{0x038C, 0x038C, Shape::Offset, 0x0040},  // Ό -> ό
    CaseRange{0x038E, 0x038F, Shape::Offset, 0x003F},  // Ύ-Ώ
    CaseRange{0x0391, 0x03A1, Shape::Offset, 0x20},    // Α-Ρ
    CaseRange{0x03A3, 0x03AB, Shape::Offset, 0x20},    // Σ-Ϋ
    CaseRange{0x03CF, 0x03CF, Shape::Offset, 0x0008},  // Ϗ -> ϗ
    CaseRange{0x03D8, 0x03EF, Shape::EvenPair, 0},     // Ϙ-ϯ
    CaseRange{0x03F4, 0x03F4, Shape::Offset, -0x003C}, // ϴ -> θ
    CaseRange{0x03F7, 0x03F7, Shape::Offset, 0x0001},  // Ϸ -> ϸ
    CaseRange{0x03F9, 0x03F9, Shape::Offset, -0x0007}, // Ϲ -> ϲ
    CaseRange{0x03FA, 0x03FB, Shape::EvenPair, 0},     // Ϻ-ϻ
    CaseRange{0x03FD, 0x03FF, Shape::Offset, -0x0082}, // Ͻ-Ͽ -> ͻ-ͽ
    CaseRange{0x0400, 0x040F, Shape::Offset, 0x50},    // Ѐ-Џ, Ё included
    CaseRange{0x0410, 0x042F, Shape::Offset, 0x20},    // А-Я
    CaseRange{0x0460, 0x0481, Shape::EvenPair, 0},     // Ѡ-ҁ
    CaseRange{0x048A, 0x04BF, Shape::EvenPair, 0},     // Ҋ-ҿ
    CaseRange{0x04C0, 0x04C0, Shape::Offset, 0x000F},  // Ӏ -> ӏ
    CaseRange{0x04C1, 0x04CE, Shape::OddPair, 0},      // Ӂ-ӎ
    CaseRange{0x04D0, 0x052F, Shape::EvenPair, 0},     // Ӑ-ԯ
};

} // namespace

char32_t unicodeToLower(char32_t cp) {
    const auto range = std::upper_bound(kCaseRanges.begin(), kCaseRanges.end(), cp,
                                        [](char32_t c, const CaseRange& r) { return c < r.first; });
    if (range == kCaseRanges.begin())
        return cp;
    const CaseRange& r = *(range - 1);
    if (cp > r.last)
        return cp;
    switch (r.shape) {
    case Shape::Offset:
        return static_cast<char32_t>(static_cast<long>(cp) + r.delta);
    case Shape::EvenPair:
        return cp % 2 == 0 ? cp + 1 : cp;
    case Shape::OddPair:
        return cp % 2 == 1 ? cp + 1 : cp;
    }
    return cp;
}

std::string utf8ToLowerUnicode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        if (const auto cp = nextCodePoint(utf8, pos))
            appendUtf8(out, unicodeToLower(*cp));
        else
            out.append(utf8.substr(start, pos - start)); // kept as they are
    }
    return out;
}

} // namespace quizloom
