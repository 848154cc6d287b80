#pragma once
// A scan target for tests: every first section of a name (compared without
// regard to letter case) gets a slot for every key of the set, kept by its
// folded name.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/profile_scan.h"
#include "core/text/case_fold.h"

namespace quizloom::testing {

class EverySection : public profile::ScanTarget {
public:
    explicit EverySection(const profile::KeySet& keys) : keys_(keys) {}
    profile::SectionSlots enterSection(std::string_view name) override {
        auto [it, fresh] = slots.try_emplace(cp1251ToLower(name));
        if (!fresh)
            return {};
        it->second.resize(keys_.size());
        return {&keys_, it->second.data()};
    }
    std::map<std::string, std::vector<profile::ValueSlot>> slots; // by folded name

private:
    const profile::KeySet& keys_;
};

} // namespace quizloom::testing
