// The readers stop at the limits of a test file, so an import's memory is the
// document's and little more whatever the document holds: a million questions
// in each format, or one question that never ends. quizloom-convert runs in a
// child process; its peak resident size is what the kernel reports for it.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using quizloom::testing::TempDir;

constexpr long kPeakLimitKb = 200 * 1024;
constexpr int kMillion = 1'000'000;

struct Outcome {
    int status = -1;
    long peakKb = 0;
    std::string err;
};

// A forked child counts the pages it shares with this process until the
// exec: the document is gone from here by then.
Outcome importIn(const TempDir& dir, const char* format, const std::string& input) {
    const std::string errPath = dir.file("err");
    const std::string out = dir.file("out.ini");
    const pid_t child = ::fork();
    if (child == 0) {
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err < 0 || ::dup2(err, STDERR_FILENO) < 0)
            ::_exit(100);
        ::execl(QUIZLOOM_CONVERT_BINARY, QUIZLOOM_CONVERT_BINARY, "import", "--from", format, input.c_str(),
                "-o", out.c_str(), static_cast<char*>(nullptr));
        ::_exit(101);
    }
    int raw = 0;
    rusage usage{};
    ::wait4(child, &raw, 0, &usage);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, usage.ru_maxrss,
            quizloom::testing::readFileBytes(errPath)};
}

std::string repeated(std::string_view piece, int times) {
    std::string out;
    out.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct MemoryCase {
    const char* title;
    const char* format;
    std::function<std::string()> document; // made when its turn comes
    std::string reason;                    // on standard error
};

} // namespace

TEST(ConvertMemory, HugeDocumentsAreRefusedAtTheLimitsWithinBoundedMemory) {
    const MemoryCase cases[] = {
        {"a million GIFT questions", "gift", [] { return repeated("Вопрос {=да ~нет}\n\n", kMillion); },
         "GIFT, строка 4951: в источнике больше 2475 вопросов"},
        {"a million Aiken questions", "aiken",
         [] { return repeated("Вопрос?\nA) да\nB) нет\nANSWER: A\n\n", kMillion); },
         "Aiken, строка 12376: в источнике больше 2475 вопросов"},
        {"a million Moodle XML questions", "moodle-xml",
         [] {
             return "<?xml version=\"1.0\"?>\n<quiz>\n" +
                    repeated("<question type=\"multichoice\"></question>\n", kMillion) + "</quiz>\n";
         },
         "Moodle XML, строка 2478: в источнике больше 2475 вопросов"},
        {"one GIFT question of 150 MB that is never closed", "gift",
         [] { return "Вопрос {=да\n" + repeated("~нет, и ещё раз нет\n", 150 * 1024 * 1024 / 32); },
         "GIFT, строка 1: вопрос длиннее"},
    };
    for (const MemoryCase& c : cases) {
        SCOPED_TRACE(c.title);
        const TempDir dir;
        const std::string input = dir.file("input");
        quizloom::testing::writeFileBytes(input, c.document());
        const Outcome outcome = importIn(dir, c.format, input);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find(c.reason), std::string::npos) << outcome.err;
        EXPECT_LE(outcome.peakKb, kPeakLimitKb);
    }
}
