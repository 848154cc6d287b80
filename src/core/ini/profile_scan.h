#pragma once
// One pass over a profile file's bytes, for readers that want a few known
// keys of known sections of a whole file (the structure check of a bank):
// each entry line goes straight into its slot, nothing is indexed and
// nothing is allocated per line. Lines, names and values follow the rules
// of profile_syntax.h, and the first section of a name and the first key of
// a name in it win, as with ProfileFile.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/profile_name.h"

namespace quizloom::profile {

// Key names matched as reading matches them. A key is looked up by its
// length and folded last byte, which tell the keys of a section apart
// (they tend to differ only in a closing number), then compared whole:
// word by word against the spelling asked for, byte by byte folded only
// when that fails.
class KeySet {
public:
    explicit KeySet(const std::vector<Name>& names);

    std::size_t size() const { return keys_.size(); }
    // The index of the name that key (trimmed file bytes) spells, or -1.
    int find(std::string_view key) const {
        if (key.size() >= maxLength_)
            return -1;
        int i = first_[bucket(key)];
        for (; i >= 0; i = keys_[i].next) {
            if (sameSpelling(key, keys_[i].bytes) || profile::equalsFolded(key, keys_[i].folded))
                return i;
        }
        return -1;
    }

private:
    struct Key {
        std::string bytes;
        std::string folded;
        int next = -1; // the next key of the same length and last byte
    };

    // An empty name has the bucket of length 0 to itself.
    std::size_t bucket(std::string_view key) const {
        return key.empty() ? 0 : key.size() * 256 + lower_[static_cast<unsigned char>(key.back())];
    }
    static bool sameSpelling(std::string_view a, std::string_view b) {
        // Equal sizes: compared eight bytes at a time, the last word
        // overlapping the one before it.
        const std::size_t n = a.size();
        if (n < 8)
            return a == b;
        for (std::size_t i = 0;; i += 8) {
            const std::size_t at = i + 8 <= n ? i : n - 8;
            std::uint64_t x;
            std::uint64_t y;
            std::memcpy(&x, a.data() + at, 8);
            std::memcpy(&y, b.data() + at, 8);
            if (x != y)
                return false;
            if (at + 8 >= n)
                return true;
        }
    }

    const unsigned char* lower_;
    std::vector<Key> keys_;
    std::size_t maxLength_ = 0;  // one more than the longest key
    std::vector<int> first_;     // by length * 256 + folded last byte
};

using ValueSlot = std::optional<std::string_view>;

// Where the entries of one section go: slot i takes key i of `keys`.
struct SectionSlots {
    const KeySet* keys = nullptr; // nothing: the section is stepped over
    ValueSlot* values = nullptr;
};

class ScanTarget {
public:
    virtual ~ScanTarget() = default;
    // Called at each section line, in file order, with the section's name
    // (trimmed file bytes). A target that wants the first section of a name
    // only gives a repeat of that name no slots.
    virtual SectionSlots enterSection(std::string_view name) = 0;
};

// Fills the slots the target gives with values pointing into text. A slot
// already set is kept: the first key of a name wins.
void scanProfile(std::string_view text, ScanTarget& target);

} // namespace quizloom::profile
