// Random files and random edits: whatever the bytes, nothing crashes, every
// accepted write reads back exactly, and entries no edit touched read as
// before. A small reader written straight from the line rules serves as the
// reference for what any file means.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/ini/profile_file.h"
#include "core/ini/profile_name.h"
#include "core/ini/profile_scan.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "fuzz_work_file.h"
#include "support/every_section.h"

namespace {

using quizloom::cp1251ToLower;
using quizloom::cp1251ToUtf8;
using quizloom::ProfileFile;

using EntryKey = std::pair<std::string, std::string>; // folded section, folded key

struct Entry {
    std::string section; // as spelled, for querying
    std::string key;
    std::string value;
};

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string trim(std::string s) {
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(s[start]))
        ++start;
    return s.substr(start);
}

std::map<EntryKey, Entry> referenceRead(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);

    std::map<EntryKey, Entry> entries;
    std::set<std::string> seenSections;
    std::optional<std::string> section; // spelled name while in a first section
    bool inSection = false;
    for (const std::string& text : lines) {
        const std::string stripped = trim(text);
        if (!stripped.empty() && stripped[0] == '[') {
            const std::string name = trim(stripped.substr(1, stripped.find(']') - 1));
            inSection = true;
            section = seenSections.insert(cp1251ToLower(name)).second ? std::optional(name) : std::nullopt;
            continue;
        }
        if (!inSection || !section || stripped.empty() || stripped[0] == ';')
            continue;
        const auto equals = stripped.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = trim(stripped.substr(0, equals));
        std::string value = trim(stripped.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        entries.try_emplace({cp1251ToLower(*section), cp1251ToLower(key)}, Entry{*section, key, value});
    }
    return entries;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

constexpr const char* kFuzzer = "profile fuzz";

[[noreturn]] void fail(const char* what, const std::string& detail) {
    quizloom::fuzz::fail(kFuzzer, what, detail);
}

void expectReads(const ProfileFile& file, const std::map<EntryKey, Entry>& entries,
                 const std::set<EntryKey>& except, const char* when) {
    constexpr const char* kAbsent = "\x01(absent)";
    for (const auto& [id, entry] : entries) {
        if (except.count(id))
            continue;
        if (file.readString(cp1251ToUtf8(entry.section), cp1251ToUtf8(entry.key), kAbsent) !=
            cp1251ToUtf8(entry.value))
            fail(when, "[" + entry.section + "] " + entry.key);
    }
}

// The one-pass scan, asked for every key the reference found, finds each
// where the reference does and nothing else.
void expectScanReads(const std::string& bytes, const std::map<EntryKey, Entry>& entries) {
    std::vector<std::string> folded;
    std::vector<quizloom::profile::Name> names;
    for (const auto& [id, entry] : entries) {
        if (std::find(folded.begin(), folded.end(), id.second) == folded.end()) {
            folded.push_back(id.second);
            names.push_back(quizloom::profile::Name::fromBytes(entry.key));
        }
    }
    const quizloom::profile::KeySet keys(names);
    quizloom::testing::EverySection target(keys);
    quizloom::profile::scanProfile(bytes, target);
    for (const auto& [section, slots] : target.slots) {
        for (std::size_t i = 0; i < folded.size(); ++i) {
            const auto found = entries.find({section, folded[i]});
            const std::optional<std::string> expected =
                found == entries.end() ? std::nullopt : std::optional(found->second.value);
            const std::optional<std::string> scanned =
                slots[i] ? std::optional(std::string(*slots[i])) : std::nullopt;
            if (scanned != expected)
                fail("scan", "[" + section + "] " + folded[i]);
        }
    }
}

// A name or value the layer may refuse: one that could not be read back.
bool mayBeRefused(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0=;[]", 7)) != std::string::npos;
}

std::string pickName(FuzzedDataProvider& in, const std::vector<std::string>& known) {
    if (!known.empty() && in.ConsumeBool())
        return known[in.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    static const char* const kNames[] = {"A",      "a", " A ", "Тест", "ТЕСТ", "101",
                                         "Вопрос", "ё", "Ё",   "k",    "K"};
    if (in.ConsumeBool())
        return quizloom::utf8ToCp1251(
            kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)]);
    return in.ConsumeRandomLengthString(8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string& path = quizloom::fuzz::workFile(kFuzzer);
    const std::string original = in.ConsumeRandomLengthString(4096);
    writeAll(path, original);
    const auto before = referenceRead(original);
    expectScanReads(original, before);

    std::vector<std::string> sectionNames, keyNames;
    for (const auto& [id, entry] : before) {
        sectionNames.push_back(entry.section);
        keyNames.push_back(entry.key);
    }

    std::map<EntryKey, std::string> written; // last accepted write per entry
    std::set<EntryKey> touched;
    int accepted = 0;
    bool removed = false;
    {
        ProfileFile file(path);
        expectReads(file, before, {}, "read after open");
        const int operations = in.ConsumeIntegralInRange(0, 6);
        for (int op = 0; op < operations; ++op) {
            const std::string section = pickName(in, sectionNames);
            const std::string key = pickName(in, keyNames);
            const EntryKey id{cp1251ToLower(trim(section)), cp1251ToLower(trim(key))};
            touched.insert(id);
            if (in.ConsumeIntegralInRange(0, 3) == 0) {
                file.removeKey(cp1251ToUtf8(section), cp1251ToUtf8(key));
                written.erase(id);
                removed = true;
                continue;
            }
            const std::string value = in.ConsumeRandomLengthString(64);
            try {
                file.writeString(cp1251ToUtf8(section), cp1251ToUtf8(key), cp1251ToUtf8(value));
            } catch (const quizloom::Error&) {
                const bool valueForbidden =
                    value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
                if (!mayBeRefused(section) && !mayBeRefused(key) && !valueForbidden)
                    fail("refused", "[" + section + "] " + key + "=" + value);
                continue;
            }
            ++accepted;
            written[id] = value;
            if (file.readString(cp1251ToUtf8(section), cp1251ToUtf8(key), "\x01") != cp1251ToUtf8(value))
                fail("read after write", "[" + section + "] " + key);
        }
        file.release();
    }

    const std::string after = readAll(path);
    const ProfileFile again(path);
    for (const auto& [id, value] : written) {
        if (again.readString(cp1251ToUtf8(id.first), cp1251ToUtf8(id.second), "\x01") != cp1251ToUtf8(value))
            fail("read after release", "[" + id.first + "] " + id.second);
    }
    expectReads(again, before, touched, "untouched entry after release");
    expectReads(again, referenceRead(after), {}, "reference reading of the new file");

    if (accepted == 0 && !removed && after != original)
        fail("file changed without a write", "");
    if (accepted == 1 && !removed) {
        // One write changes at most the inside of one line of the old file.
        std::size_t prefix = 0;
        while (prefix < after.size() && prefix < original.size() && after[prefix] == original[prefix])
            ++prefix;
        std::size_t suffix = 0;
        while (suffix < after.size() - prefix && suffix < original.size() - prefix &&
               after[after.size() - 1 - suffix] == original[original.size() - 1 - suffix])
            ++suffix;
        const std::string replaced = original.substr(prefix, original.size() - prefix - suffix);
        if (replaced.find_first_of("\r\n") != std::string::npos)
            fail("more than one line changed", replaced);
    }
    return 0;
}
