// How a profile file reaches the disk: atomic replacement, permissions and
// symbolic links kept, and every way a write can be refused.
#include "core/ini/profile_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/text/error.h"
#include "support/temp_dir.h"

namespace quizloom {
namespace {

namespace fs = std::filesystem;
using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

constexpr std::string_view kContent = "[A]\r\nk=1\r\n";

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The error must come from the write itself, carry the path as given, and
// leave nothing behind.
void expectWriteRefused(const std::string& path) {
    ProfileFile file(path);
    try {
        file.writeString("A", "k", "2");
        FAIL() << "write to " << path << " accepted";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_NO_THROW(file.release());
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

class ProfilePersistTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::string path = dir.file("test.ini");
};

TEST_F(ProfilePersistTest, PermissionsOfAnExistingFileAreKept) {
    writeFileBytes(path, kContent);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ProfileFile file(path);
    file.writeString("A", "k", "2");
    file.release();
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=2\r\n");
}

TEST_F(ProfilePersistTest, ANewFileGetsTheUmaskDefault) {
    const mode_t mask = ::umask(0027);
    {
        ProfileFile file(path);
        file.writeString("A", "k", "v");
        file.release();
    }
    ::umask(mask);
    EXPECT_EQ(modeOf(path), 0640u);
}

TEST_F(ProfilePersistTest, ASymbolicLinkIsFollowedAndStaysALink) {
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/target.ini");
    writeFileBytes(target, kContent);
    fs::create_symlink("real/target.ini", path); // relative to the link's folder
    {
        ProfileFile file(path);
        EXPECT_EQ(file.readString("A", "k", ""), "1");
        file.writeString("A", "k", "2");
        file.release();
    }
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFileBytes(target), "[A]\r\nk=2\r\n");
    EXPECT_EQ(entriesIn(dir.file("real")), 1u); // no temporary file left
}

TEST_F(ProfilePersistTest, AMissingFolderIsRefusedAtTheFirstWrite) {
    expectWriteRefused(dir.file("missing/test.ini"));
    EXPECT_FALSE(fs::exists(dir.file("missing")));
}

TEST_F(ProfilePersistTest, ADirectoryInPlaceOfTheFileIsRefused) {
    fs::create_directory(path);
    expectWriteRefused(path);
}

TEST_F(ProfilePersistTest, AReadOnlyFolderIsRefused) {
    if (runningAsRoot())
        GTEST_SKIP() << "root may write any folder";
    fs::create_directory(dir.file("locked"));
    const std::string locked = dir.file("locked/test.ini");
    writeFileBytes(locked, kContent);
    ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0555), 0);
    expectWriteRefused(locked);
    EXPECT_EQ(readFileBytes(locked), kContent);
}

TEST_F(ProfilePersistTest, AnUnreadableFileIsNotReplacedByWhatWasWritten) {
    if (runningAsRoot())
        GTEST_SKIP() << "root may read any file";
    writeFileBytes(path, kContent);
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    expectWriteRefused(path);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(readFileBytes(path), kContent);
}

TEST_F(ProfilePersistTest, AFailedReleaseLeavesTheOldFileAndNoTemporary) {
    // The folder vanishes between the write and the release: the old file,
    // moved aside with it, must come through untouched.
    fs::create_directory(dir.file("tests"));
    const std::string inner = dir.file("tests/test.ini");
    writeFileBytes(inner, kContent);
    ProfileFile file(inner);
    file.writeString("A", "k", "2");
    fs::rename(dir.file("tests"), dir.file("moved"));
    writeFileBytes(dir.file("tests"), "not a folder");
    try {
        file.release();
        FAIL() << "release succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + inner);
    }
    EXPECT_EQ(readFileBytes(dir.file("moved/test.ini")), kContent);
    EXPECT_EQ(entriesIn(dir.file("moved")), 1u);
    EXPECT_NO_THROW(file.release()); // reported once, not again
}

TEST_F(ProfilePersistTest, ADiskFullAtReleaseLeavesTheOldFile) {
    // A file size limit makes write() fail with EFBIG, as a full disk would.
    std::string big = "[A]\r\nk=1\r\n";
    big += "[B]\r\npad=" + std::string(64 * 1024, 'x') + "\r\n";
    writeFileBytes(path, big);
    ProfileFile file(path);
    file.writeString("A", "k", "2");

    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 16 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    EXPECT_THROW(file.release(), Error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(readFileBytes(path) == big);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST_F(ProfilePersistTest, TheDestructorSwallowsAFailedRelease) {
    fs::create_directory(dir.file("tests"));
    {
        ProfileFile file(dir.file("tests/test.ini"));
        file.writeString("A", "k", "2");
        fs::remove_all(dir.file("tests"));
    }
    EXPECT_FALSE(fs::exists(dir.file("tests")));
}

TEST_F(ProfilePersistTest, AFifoReadsAsMissingWithoutBlockingAndIsNotWritten) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    // Opening a FIFO for reading the usual way waits for a writer forever.
    ::alarm(10);
    {
        ProfileFile file(path);
        EXPECT_EQ(file.state(), ProfileFile::State::NotRegular);
        EXPECT_EQ(file.readString("A", "k", "default"), "default");
    }
    expectWriteRefused(path);
    ::alarm(0);
    EXPECT_TRUE(fs::is_fifo(path));
}

// Also when the tests run as root: no write bit at all refuses every user.
TEST_F(ProfilePersistTest, AReadOnlyFileIsRefused) {
    writeFileBytes(path, kContent);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    expectWriteRefused(path);
    EXPECT_EQ(readFileBytes(path), kContent);
    // Any write bit is enough for the owner who may use it.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ProfileFile file(path);
    file.writeString("A", "k", "2");
    file.release();
    EXPECT_EQ(readFileBytes(path), "[A]\r\nk=2\r\n");
}

// A save killed between writing its temporary file and the rename leaves
// the temporary behind; the next save of the same file removes it when its
// process is gone, and leaves every other file alone.
TEST_F(ProfilePersistTest, ASaveRemovesTemporariesLeftByDeadProcessesOfThisHost) {
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const pid_t dead = [] {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }();
    const std::string stem = ".test.ini.tmp-" + std::string(host) + "-";
    const std::string leftover = dir.file(stem + std::to_string(dead) + "-0");
    const std::string kept[] = {
        dir.file(stem + std::to_string(::getppid()) + "-0"),                 // a running process
        dir.file(".test.ini.tmp-other.host-" + std::to_string(dead) + "-0"), // another machine
        dir.file(".other.ini.tmp-" + std::string(host) + "-" + std::to_string(dead) + "-0"),
        dir.file(stem + "x-0"),
    };
    writeFileBytes(leftover, kContent);
    for (const std::string& file : kept)
        writeFileBytes(file, kContent);
    writeFileBytes(path, kContent);

    ProfileFile file(path);
    file.writeString("A", "k", "2");
    file.release();
    EXPECT_FALSE(fs::exists(leftover));
    for (const std::string& other : kept)
        EXPECT_TRUE(fs::exists(other)) << other;
    EXPECT_EQ(entriesIn(dir.path()), std::size(kept) + 1);
}

TEST_F(ProfilePersistTest, AnotherObjectSeesTheWrittenValues) {
    writeFileBytes(path, kContent);
    {
        ProfileFile first(path);
        first.writeString("A", "k", "2");
        first.writeString("Б", "ключ", "значение");
        first.release();
    }
    const ProfileFile second(path);
    EXPECT_EQ(second.readString("a", "K", ""), "2");
    EXPECT_EQ(second.readString("б", "КЛЮЧ", ""), "значение");
}

} // namespace
} // namespace quizloom
