#pragma once
// Test data written as the examination program's files are: Windows-1251,
// "[section]" and "key=value" lines ending with CR LF. Texts are given in
// UTF-8; sections and keys keep the order in which they were first set.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quizloom::testing {

class IniDoc {
public:
    IniDoc& set(std::string_view section, std::string_view key, std::string_view value);
    IniDoc& remove(std::string_view section, std::string_view key);
    IniDoc& removeSection(std::string_view section);

    std::string bytes() const; // Windows-1251, CR LF
    void write(const std::string& path) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    Section& section(std::string_view name);
    std::vector<Section> sections_;
};

} // namespace quizloom::testing
