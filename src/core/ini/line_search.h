#pragma once
// Finding line ends (and the '=' of an entry) many bytes at a time: every
// byte of every file read passes through here. SSE2, which every x86-64
// processor has, takes sixteen bytes a step; elsewhere a 64-bit word is
// tested for CR and LF with the usual zero-byte trick.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quizloom::profile {

// The end of the line starting at pos (its first CR or LF, or text.size()),
// and the first '=' before that end (npos when there is none).
struct LineShape {
    std::size_t contentEnd = 0;
    std::size_t equals = std::string_view::npos;
};

template <bool kWantEquals> inline LineShape findLineShape(std::string_view text, std::size_t pos) {
    const char* data = text.data();
    const std::size_t size = text.size();
    LineShape shape;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    [[maybe_unused]] const __m128i eq = _mm_set1_epi8('=');
    for (; pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        const auto breaks = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if constexpr (kWantEquals) {
            if (shape.equals == std::string_view::npos) {
                // Only an '=' in front of the first break belongs to this line.
                const auto equals = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, eq))) &
                                    ((breaks & (0u - breaks)) - 1u);
                if (equals != 0)
                    shape.equals = pos + static_cast<std::size_t>(std::countr_zero(equals));
            }
        }
        if (breaks != 0) {
            shape.contentEnd = pos + static_cast<std::size_t>(std::countr_zero(breaks));
            return shape;
        }
    }
#else
    if constexpr (!kWantEquals) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHighs = 0x8080808080808080ull;
        for (; pos + 8 <= size; pos += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + pos, sizeof word);
            const std::uint64_t crs = word ^ (kOnes * '\r');
            const std::uint64_t lfs = word ^ (kOnes * '\n');
            // The lowest flagged byte is exact; flags above it may be false.
            const std::uint64_t hits = (((crs - kOnes) & ~crs) | ((lfs - kOnes) & ~lfs)) & kHighs;
            if (hits != 0) {
                if constexpr (std::endian::native != std::endian::little)
                    break;
                shape.contentEnd = pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
                return shape;
            }
        }
    }
#endif
    for (; pos < size && data[pos] != '\r' && data[pos] != '\n'; ++pos) {
        if (kWantEquals && data[pos] == '=' && shape.equals == std::string_view::npos)
            shape.equals = pos;
    }
    shape.contentEnd = pos;
    return shape;
}

} // namespace quizloom::profile
