#include "core/text/cp1251.h"

#include <array>

namespace quizloom {
namespace {

// Upper half of the code page, 0x80..0xBF; 0xC0..0xFF are А..я in order.
// 0x98 has no character in the code page and travels as U+0098.
constexpr std::array<char16_t, 64> kUpperHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u0098', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',
};

constexpr char32_t kCyrillicCapitalA = 0x0410;
constexpr char32_t kCyrillicSmallYa = 0x044F;

struct Utf8Form {
    unsigned char firstLead;
    unsigned char lastLead;
    int continuationBytes;
    char32_t leadMask;
    char32_t smallest; // anything below is an overlong form
};

constexpr std::array<Utf8Form, 3> kUtf8Forms = {{
    {0xC2, 0xDF, 1, 0x1F, 0x80},
    {0xE0, 0xEF, 2, 0x0F, 0x800},
    {0xF0, 0xF4, 3, 0x07, 0x10000},
}};

} // namespace

std::optional<char32_t> nextLongCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80)
        return lead;
    for (const Utf8Form& form : kUtf8Forms) {
        if (lead < form.firstLead || lead > form.lastLead)
            continue;
        char32_t cp = lead & form.leadMask;
        for (int i = 0; i < form.continuationBytes; ++i) {
            if (pos >= utf8.size())
                return std::nullopt;
            const auto next = static_cast<unsigned char>(utf8[pos]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
            ++pos;
        }
        if (cp < form.smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        return cp;
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t cp1251ToCodePoint(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return kCyrillicCapitalA + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

std::optional<unsigned char> codePointToCp1251(char32_t cp) {
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= kCyrillicCapitalA && cp <= kCyrillicSmallYa)
        return static_cast<unsigned char>(0xC0 + (cp - kCyrillicCapitalA));
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        appendUtf8(out, cp1251ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// The code page byte of the UTF-8 character at pos, which pos then passes;
// nothing for a sequence that is no UTF-8 or a character the code page does
// not have. The texts are nearly all ASCII and А..я, which are taken here
// without the general decoding (a whole imported test is converted key by
// key, and that decoding was most of its cost).
std::optional<unsigned char> nextCp1251Byte(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead == 0xD0 || lead == 0xD1) && pos + 1 < utf8.size()) {
        const auto next = static_cast<unsigned char>(utf8[pos + 1]);
        const char32_t cp = (static_cast<char32_t>(lead & 0x1F) << 6) | (next & 0x3F);
        if ((next & 0xC0) == 0x80 && cp >= kCyrillicCapitalA && cp <= kCyrillicSmallYa) {
            pos += 2;
            return static_cast<unsigned char>(0xC0 + (cp - kCyrillicCapitalA));
        }
    }
    const auto cp = nextCodePoint(utf8, pos);
    return cp ? codePointToCp1251(*cp) : std::nullopt;
}

} // namespace

std::string utf8ToCp1251(std::string_view utf8) {
    // Never longer than its UTF-8: written in place, cut to size at the end.
    std::string out(utf8.size(), '\0');
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto byte = nextCp1251Byte(utf8, pos);
        out[length++] = byte ? static_cast<char>(*byte) : '?';
    }
    out.resize(length);
    return out;
}

bool fitsCp1251(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (!nextCp1251Byte(utf8, pos))
            return false;
    }
    return true;
}

} // namespace quizloom
