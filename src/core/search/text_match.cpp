#include "core/search/text_match.h"

#include "core/text/case_fold.h"
#include "core/text/cp1251.h"

namespace quizloom::search {

namespace {
constexpr unsigned char kYeCapital = 0xC5; // Е
constexpr unsigned char kYe = 0xE5;        // е
constexpr unsigned char kYoCapital = 0xA8; // Ё
constexpr unsigned char kYo = 0xB8;        // ё
} // namespace

TextMatcher::TextMatcher(std::string_view text, MatchOptions options) {
    const std::array<unsigned char, 256>& lower = cp1251LowerTable();
    for (int b = 0; b < 256; ++b) {
        unsigned char folded = options.matchCase ? static_cast<unsigned char>(b) : lower[b];
        if (options.yoAsYe && folded == kYo)
            folded = kYe;
        else if (options.yoAsYe && folded == kYoCapital)
            folded = kYeCapital;
        fold_[b] = folded;
    }
    if (text.empty() || !fitsCp1251(text))
        return;
    needle_ = utf8ToCp1251(text);
    for (char& c : needle_)
        c = static_cast<char>(fold_[static_cast<unsigned char>(c)]);
    // Horspool's shifts over the folded bytes.
    skip_.fill(needle_.size());
    for (std::size_t i = 0; i + 1 < needle_.size(); ++i)
        skip_[static_cast<unsigned char>(needle_[i])] = needle_.size() - 1 - i;
}

std::optional<TextMatch> TextMatcher::find(std::string_view value) const {
    const std::size_t n = needle_.size();
    if (n == 0 || value.size() < n)
        return std::nullopt;
    const auto folded = [&](std::size_t i) { return fold_[static_cast<unsigned char>(value[i])]; };
    const auto last = static_cast<unsigned char>(needle_[n - 1]);
    for (std::size_t at = 0; at + n <= value.size();) {
        const unsigned char end = folded(at + n - 1);
        if (end == last) {
            std::size_t i = 0;
            while (i + 1 < n && folded(at + i) == static_cast<unsigned char>(needle_[i]))
                ++i;
            if (i + 1 == n)
                return TextMatch{at, n};
        }
        at += skip_[end];
    }
    return std::nullopt;
}

} // namespace quizloom::search
