// Malformed and unusual files, each a pair of files under data/profile:
// read/<case>.ini with read/<case>.txt listing "section TAB key TAB value"
// (UTF-8, escapes \0 \t \\, value <default> for a missing entry), and
// write/<case>.ini with the operations in write/<case>.ops and the exact
// bytes expected after them in write/<case>.expected.
#include "core/ini/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

#include "support/temp_dir.h"

namespace quizloom {
namespace {

namespace fs = std::filesystem;
using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

constexpr std::string_view kMissing = "<default>";
const fs::path kDataDir = fs::path(QUIZLOOM_TEST_DATA) / "profile";

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == '0' ? '\0' : next == 't' ? '\t' : next;
    }
    return out;
}

std::vector<std::vector<std::string>> readTable(const fs::path& file) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(readFileBytes(file.string()));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(unescape(line.substr(start, tab - start)));
        fields.push_back(unescape(line.substr(start)));
        rows.push_back(fields);
    }
    return rows;
}

// Runs while tests are registered, before any filter applies: a folder that
// cannot be listed (the unprivileged rerun of a few other tests cannot reach
// it) gives one case that fails when run, rather than ending the program.
std::vector<std::string> casesIn(std::string_view folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(kDataDir / folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == extension)
            names.push_back(it->path().stem().string());
    }
    if (error)
        return {"TestDataCannotBeListed"};
    std::sort(names.begin(), names.end());
    return names;
}

class ProfileReadGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ProfileReadGolden, ReadsAsListed) {
    const fs::path base = kDataDir / "read" / GetParam();
    const ProfileFile file(fs::path(base).replace_extension(".ini").string());
    for (const auto& row : readTable(fs::path(base).replace_extension(".txt"))) {
        ASSERT_EQ(row.size(), 3u);
        const std::string expected = row[2] == kMissing ? "(missing)" : row[2];
        EXPECT_EQ(file.readString(row[0], row[1], "(missing)"), expected) << "[" << row[0] << "] " << row[1];
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileReadGolden, ::testing::ValuesIn(casesIn("read", ".txt")),
                         [](const auto& info) { return info.param; });

class ProfileWriteGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ProfileWriteGolden, ChangesOnlyWhatItMeans) {
    const fs::path base = kDataDir / "write" / GetParam();
    TempDir dir;
    const std::string path = dir.file("test.ini");
    writeFileBytes(path, readFileBytes(fs::path(base).replace_extension(".ini").string()));
    const auto operations = readTable(fs::path(base).replace_extension(".ops"));
    {
        ProfileFile file(path);
        for (const auto& op : operations) {
            if (op[0] == "write") {
                ASSERT_EQ(op.size(), 4u);
                file.writeString(op[1], op[2], op[3]);
                EXPECT_EQ(file.readString(op[1], op[2], "(missing)"), op[3]);
            } else {
                ASSERT_EQ(op.size(), 3u);
                file.removeKey(op[1], op[2]);
            }
        }
        file.release();
    }
    EXPECT_EQ(readFileBytes(path), readFileBytes(fs::path(base).replace_extension(".expected").string()));
    // A fresh reader sees every value written.
    const ProfileFile again(path);
    for (const auto& op : operations) {
        if (op[0] == "write") {
            EXPECT_EQ(again.readString(op[1], op[2], "(missing)"), op[3]) << op[2];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileWriteGolden, ::testing::ValuesIn(casesIn("write", ".ops")),
                         [](const auto& info) { return info.param; });

// Every entry of every read case, rewritten with a new value: the bytes
// before and after that entry's line stay identical.
TEST(ProfileRoundTrip, WritingOneKeyLeavesEveryOtherByte) {
    int checked = 0;
    for (const std::string& name : casesIn("read", ".txt")) {
        const fs::path base = kDataDir / "read" / name;
        const std::string original = readFileBytes(fs::path(base).replace_extension(".ini").string());
        for (const auto& row : readTable(fs::path(base).replace_extension(".txt"))) {
            if (row[2] == kMissing || row[0].find('\0') != std::string::npos ||
                row[1].find('\0') != std::string::npos || row[1].empty())
                continue;
            TempDir dir;
            const std::string path = dir.file("t.ini");
            writeFileBytes(path, original);
            {
                ProfileFile file(path);
                file.writeString(row[0], row[1], "NEW");
                file.release();
            }
            const std::string changed = readFileBytes(path);
            std::size_t prefix = 0;
            while (prefix < changed.size() && prefix < original.size() && changed[prefix] == original[prefix])
                ++prefix;
            std::size_t suffix = 0;
            while (suffix < changed.size() - prefix && suffix < original.size() - prefix &&
                   changed[changed.size() - 1 - suffix] == original[original.size() - 1 - suffix])
                ++suffix;
            const std::string removed = original.substr(prefix, original.size() - prefix - suffix);
            EXPECT_EQ(removed.find_first_of("\r\n"), std::string::npos)
                << name << ": [" << row[0] << "] " << row[1] << " changed more than its line";
            EXPECT_NE(changed.substr(prefix, changed.size() - prefix - suffix).find("NEW"),
                      std::string::npos);
            EXPECT_EQ(ProfileFile(path).readString(row[0], row[1], ""), "NEW");
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
} // namespace quizloom
