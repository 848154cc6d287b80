#include "core/bank/quiz_bank.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "core/text/unicode_lower.h"
#include "core/ini/profile_file.h"
#include "core/quiz/quiz_format.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"

namespace quizloom {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTestExtension = ".ini";

bool hasTestExtension(std::string_view name) {
    if (name.size() < kTestExtension.size())
        return false;
    const std::string_view tail = name.substr(name.size() - kTestExtension.size());
    return std::equal(tail.begin(), tail.end(), kTestExtension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    });
}

bool isListedFile(const fs::directory_entry& entry, std::string_view name) {
    if (name.empty() || name.front() == '.' || !hasTestExtension(name))
        return false;
    std::error_code ec;
    return entry.is_regular_file(ec); // follows a symbolic link
}

// The matching file names of the folder, or nothing when it cannot be read.
std::optional<std::vector<std::string>> listTestFileNames(const std::string& workDir) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(workDir), ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> names;
    const fs::directory_iterator end;
    for (; it != end; it.increment(ec)) {
        if (ec)
            return std::nullopt;
        std::string name = it->path().filename().string();
        if (isListedFile(*it, name))
            names.push_back(std::move(name));
    }
    if (ec)
        return std::nullopt;
    return names;
}

// Only the header is read: a listing of large tests would otherwise read
// every question of every file to learn the names.
std::string readTestName(const std::string& path) {
    static const profile::Name section(quiz::kHeaderSection);
    static const profile::Name key(quiz::kKeyName);
    const ProfileFile file = ProfileFile::openUpToEndOf(path, section);
    // A file that cannot be read reads as missing keys: it is no test.
    const std::optional<std::string_view> name = file.findBytes(section, key);
    return name ? cp1251ToUtf8(*name) : std::string(quiz::kMissing);
}

// ё/Ё count as е/Е when names are shown for picking.
std::string subjectSortKey(const std::string& name) {
    std::string key = utf8ToLowerUnicode(name);
    constexpr std::string_view yo = "ё";
    constexpr std::string_view ye = "е";
    for (std::size_t at = key.find(yo); at != std::string::npos; at = key.find(yo, at + ye.size()))
        key.replace(at, yo.size(), ye);
    return key;
}

} // namespace

std::optional<std::vector<TestEntry>> tryScanTestFolder(const std::string& workDir) {
    std::optional<std::vector<std::string>> fileNames = listTestFileNames(workDir);
    if (!fileNames)
        return std::nullopt;
    // Sort keys computed once per name rather than per comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(fileNames->size());
    for (std::string& name : *fileNames)
        keyed.emplace_back(utf8ToLowerUnicode(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());

    std::vector<TestEntry> tests;
    for (const auto& [key, fileName] : keyed) {
        std::string path = workDir + fileName;
        std::string name = readTestName(path);
        if (name != quiz::kMissing)
            tests.push_back({std::move(path), std::move(name)});
    }
    return tests;
}

std::vector<TestEntry> scanTestFolder(const std::string& workDir) {
    return tryScanTestFolder(workDir).value_or(std::vector<TestEntry>{});
}

int initialCurrentTest(const std::vector<TestEntry>& tests) {
    for (std::size_t i = tests.size(); i-- > 0;)
        if (tests[i].name.empty())
            return static_cast<int>(i);
    return 0;
}

std::vector<std::size_t> subjectDisplayOrder(const std::vector<std::string>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(subjectSortKey(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

std::vector<std::size_t> subjectDisplayOrder(const std::vector<TestEntry>& tests) {
    std::vector<std::string> names;
    names.reserve(tests.size());
    for (const TestEntry& test : tests)
        names.push_back(test.name);
    return subjectDisplayOrder(names);
}

} // namespace quizloom
