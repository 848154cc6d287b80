#pragma once
// Finding a text in the values of test files as a teacher means it: letters
// of either case alike unless the case is asked to count, and ё taken as е
// when asked, under the code page's own case folding. Values are compared as
// the file's Windows-1251 bytes, so nothing is converted to search.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quizloom::search {

struct MatchOptions {
    bool matchCase = false; // "Учитывать регистр"
    bool yoAsYe = true;     // "ё = е"
};

struct TextMatch {
    std::size_t position = 0; // in bytes of the value
    std::size_t length = 0;
    bool operator==(const TextMatch&) const = default;
};

class TextMatcher {
public:
    // text is UTF-8. An empty text, or one with a character the code page
    // cannot hold (no value can contain it), matches nothing.
    TextMatcher(std::string_view text, MatchOptions options);

    bool canMatch() const { return !needle_.empty(); }
    // The first match in value (Windows-1251 bytes).
    std::optional<TextMatch> find(std::string_view value) const;

private:
    std::array<unsigned char, 256> fold_{};
    std::string needle_;                  // folded
    std::array<std::size_t, 256> skip_{}; // by folded byte: how far the end may move
};

} // namespace quizloom::search
