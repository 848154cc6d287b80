#include "core/checker/report_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/text/error.h"
#include "support/temp_dir.h"

namespace quizloom::check {
namespace {

using quizloom::testing::readFileBytes;
using quizloom::testing::TempDir;
using quizloom::testing::writeFileBytes;

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

TEST(ReportFile, ReplacesAnEarlierReportWithCodePageLinesEndingInCrLf) {
    TempDir dir;
    const std::string path = dir.file("report.txt");
    writeFileBytes(path, "a much longer earlier report that must not leave a tail behind\r\n");
    writeReportFile(path, {"", "Итог: 2", "x"}, "report.txt");
    EXPECT_EQ(readFileBytes(path), "\r\n\xC8\xF2\xEE\xE3: 2\r\nx\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(ReportFile, FailureNamesTheFileAsGivenAndLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.file("report.txt");
    std::filesystem::create_directories(path + "/occupied");
    try {
        writeReportFile(path, {"line"}, "report.txt");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Cannot create file report.txt");
    }
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "no temporary file is left";
    EXPECT_THROW(writeReportFile(dir.file("missing/report.txt"), {"line"}, "report.txt"), Error);
}

// Also when the tests run as root: no write bit at all refuses every user.
TEST(ReportFile, AWriteProtectedReportIsRefusedAndKept) {
    TempDir dir;
    const std::string path = dir.file("report.txt");
    writeFileBytes(path, "kept\r\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_THROW(writeReportFile(path, {"line"}, "report.txt"), Error);
    EXPECT_EQ(readFileBytes(path), "kept\r\n");
}

} // namespace
} // namespace quizloom::check
