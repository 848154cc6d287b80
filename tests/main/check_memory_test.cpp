// The one-pass reader's memory, seen from outside: quizloom-check run in a
// child process whose address space is limited checks a large test whose
// header section holds 10 MB of empty lines. A reader that kept anything per
// line would need many times the file; this one needs the file and little more.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/passing_quiz.h"
#include "support/temp_dir.h"

namespace {

using quizloom::testing::IniDoc;
using quizloom::testing::TempDir;

constexpr rlim_t kAddressSpaceLimit = 42 * 1024 * 1024;
constexpr std::size_t kEmptyLineBytes = 10 * 1024 * 1024;

struct Outcome {
    int status = -1;
    std::string out;
};

// Runs quizloom-check -j 1 on folder with the address space limited.
Outcome runLimited(const std::string& folder, const std::string& outPath) {
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{kAddressSpaceLimit, kAddressSpaceLimit};
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(100);
        ::execl(QUIZLOOM_CHECK_BINARY, QUIZLOOM_CHECK_BINARY, "--all", "-j", "1", folder.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(101);
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = quizloom::testing::readFileBytes(outPath);
    return outcome;
}

TEST(CheckMemory, TenMegabytesOfEmptyLinesAreCheckedUnderALimitedAddressSpace) {
    const TempDir dir;
    std::string bytes = quizloom::testing::passingQuiz("Пустые строки").bytes();
    // The empty lines go inside the header section, right after its first line.
    const std::size_t afterHeader = bytes.find("\r\n") + 2;
    std::string emptyLines;
    for (std::size_t i = 0; i < kEmptyLineBytes / 2; ++i)
        emptyLines += i % 2 == 0 ? "\r\n" : "\n\n";
    bytes.insert(afterHeader, emptyLines);
    ::mkdir(dir.file("bank").c_str(), 0755);
    quizloom::testing::writeFileBytes(dir.file("bank/large.ini"), bytes);

    const Outcome outcome = runLimited(dir.file("bank"), dir.file("out"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("Название теста - \"Пустые строки\""), std::string::npos);
    EXPECT_NE(outcome.out.find("Пройдена успешно..."), std::string::npos);
}

} // namespace
