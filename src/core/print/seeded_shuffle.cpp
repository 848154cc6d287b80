#include "core/print/seeded_shuffle.h"

#include <utility>

namespace quizloom::print {

std::uint32_t drawBelow(std::mt19937& generator, std::uint32_t bound) {
    // Outputs at or above the largest multiple of bound that 32 bits hold
    // are drawn again: taken modulo bound they would favour small numbers.
    constexpr std::uint64_t kRange = std::uint64_t{1} << 32;
    const std::uint64_t limit = kRange - kRange % bound;
    for (;;) {
        const std::uint64_t drawn = generator() & 0xFFFFFFFFu;
        if (drawn < limit)
            return static_cast<std::uint32_t>(drawn % bound);
    }
}

std::vector<int> seededPermutation(int count, std::initializer_list<std::uint32_t> seeds) {
    std::vector<int> order(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::seed_seq sequence(seeds);
    std::mt19937 generator(sequence);
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[drawBelow(generator, static_cast<std::uint32_t>(i))]);
    return order;
}

} // namespace quizloom::print
