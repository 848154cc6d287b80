#pragma once
// A section or key name prepared for lookups: the code-page bytes a write
// stores, and the folded bytes and hash a lookup compares. Names that are
// asked for thousands of times in a run (the keys of a question, the
// question sections) are made once per program, not once per lookup.
#include <cstdint>
#include <string>
#include <string_view>

namespace quizloom::profile {

// Hash of bytes folded to small letters; names that compare equal without
// regard to letter case hash alike.
std::uint32_t foldedHash(std::string_view bytes);
// Whether bytes, folded, equal folded (already folded).
bool equalsFolded(std::string_view bytes, std::string_view folded);

class Name {
public:
    // From UTF-8 text; characters the code page lacks become '?', and outer
    // blanks are dropped as reading drops them.
    explicit Name(std::string_view utf8);
    static Name fromBytes(std::string_view cp1251);

    std::string_view bytes() const { return bytes_; }
    std::string_view folded() const { return folded_; }
    std::uint32_t hash() const { return hash_; }

private:
    Name() = default;
    void prepare(std::string_view cp1251);

    std::string bytes_;
    std::string folded_;
    std::uint32_t hash_ = 0;
};

} // namespace quizloom::profile
