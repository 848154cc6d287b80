// A file that must be new: it appears whole under its name only when the
// name is free, whatever holds the name otherwise stays, and no temporary
// file is left either way; long names that the system allows work.
#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/ini/profile_replace.h"
#include "support/temp_dir.h"

using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;
namespace fs = std::filesystem;
namespace pr = quizloom::profile;

namespace {

constexpr std::string_view kChunks[] = {"first ", "second"};

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(CreateFile, TakesOnlyAFreeName) {
    struct Case {
        const char* title;
        void (*prepare)(const TempDir& dir);
        std::string name;
        int error;           // 0: created
        std::size_t entries; // in the folder afterwards
    };
    const Case cases[] = {
        {"a free name", [](const TempDir&) {}, "out.xml", 0, 1},
        {"a file", [](const TempDir& dir) { writeFileBytes(dir.file("out.xml"), "kept"); }, "out.xml", EEXIST,
         1},
        {"a dangling link",
         [](const TempDir& dir) { fs::create_symlink(dir.file("nowhere"), dir.file("out.xml")); }, "out.xml",
         EEXIST, 1},
        {"a folder", [](const TempDir& dir) { fs::create_directory(dir.file("out.xml")); }, "out.xml", EEXIST,
         1},
        {"a missing folder", [](const TempDir&) {}, "missing/out.xml", ENOENT, 0},
        {"a name of 240 bytes", [](const TempDir&) {}, std::string(236, 'x') + ".xml", 0, 1},
        {"a name of 256 bytes", [](const TempDir&) {}, std::string(252, 'x') + ".xml", ENAMETOOLONG, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const TempDir dir;
        c.prepare(dir);
        const std::string target = dir.file(c.name);
        errno = 0;
        const bool created = pr::createFile(target, kChunks);
        EXPECT_EQ(created, c.error == 0);
        EXPECT_EQ(created ? 0 : errno, c.error);
        EXPECT_EQ(entriesIn(dir.path()), c.entries);
        EXPECT_EQ(created ? readFileBytes(target) : "", created ? "first second" : "");
    }
    const TempDir dir;
    writeFileBytes(dir.file("out.xml"), "kept");
    ASSERT_FALSE(pr::createFile(dir.file("out.xml"), kChunks));
    EXPECT_EQ(readFileBytes(dir.file("out.xml")), "kept");
}

// Replacing keeps working for names at the system's limit: the temporary
// file's name does not grow with the target's.
TEST(ReplaceFile, WorksForTheLongestNames) {
    const TempDir dir;
    const std::string target = dir.file(std::string(251, 'y') + ".ini");
    writeFileBytes(target, "old");
    ASSERT_TRUE(pr::replaceFile(target, kChunks));
    EXPECT_EQ(readFileBytes(target), "first second");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(ReplaceFile, GivesTheReasonOfAFailure) {
    const TempDir dir;
    errno = 0;
    EXPECT_FALSE(pr::replaceFile(dir.file("missing/out.ini"), kChunks));
    EXPECT_EQ(errno, ENOENT);
    fs::create_directory(dir.file("folder"));
    EXPECT_FALSE(pr::canReplace(dir.file("folder")));
    EXPECT_EQ(errno, EISDIR);
    writeFileBytes(dir.file("plain"), "");
    EXPECT_FALSE(pr::canReplace(dir.file("plain") + "/out.ini"));
    EXPECT_EQ(errno, ENOTDIR);
}
