#pragma once
// Shuffling that gives the same order on every platform for the same key:
// the standard fixes the output of std::seed_seq and std::mt19937, but not
// how its distributions turn that output into numbers, so the draw below a
// bound is made here.
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace quizloom::print {

// A number below bound (bound > 0), every one equally likely.
std::uint32_t drawBelow(std::mt19937& generator, std::uint32_t bound);

// A permutation of 0 .. count-1 (Fisher–Yates) from a generator seeded with
// seeds through std::seed_seq: the same seeds always give the same order.
std::vector<int> seededPermutation(int count, std::initializer_list<std::uint32_t> seeds);

} // namespace quizloom::print
