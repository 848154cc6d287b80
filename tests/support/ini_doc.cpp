#include "support/ini_doc.h"

#include <algorithm>

#include "core/text/cp1251.h"
#include "support/temp_dir.h"

namespace quizloom::testing {

IniDoc::Section& IniDoc::section(std::string_view name) {
    auto it =
        std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) { return s.name == name; });
    if (it != sections_.end())
        return *it;
    sections_.push_back({std::string(name), {}});
    return sections_.back();
}

IniDoc& IniDoc::set(std::string_view sectionName, std::string_view key, std::string_view value) {
    auto& entries = section(sectionName).entries;
    auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; });
    if (it != entries.end())
        it->second = value;
    else
        entries.emplace_back(key, value);
    return *this;
}

IniDoc& IniDoc::remove(std::string_view sectionName, std::string_view key) {
    std::erase_if(section(sectionName).entries, [&](const auto& e) { return e.first == key; });
    return *this;
}

IniDoc& IniDoc::removeSection(std::string_view name) {
    std::erase_if(sections_, [&](const Section& s) { return s.name == name; });
    return *this;
}

std::string IniDoc::bytes() const {
    std::string text;
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const auto& [key, value] : s.entries)
            text += key + "=" + value + "\r\n";
    }
    return utf8ToCp1251(text);
}

void IniDoc::write(const std::string& path) const {
    writeFileBytes(path, bytes());
}

} // namespace quizloom::testing
