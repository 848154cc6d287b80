#include "core/checker/structure_check.h"

#include "core/text/cp1251.h"

namespace quizloom::check {

namespace {
constexpr std::string_view kOneTestSummary = "Проверен один файл с тестами, найдено ошибок структур: ";
constexpr std::string_view kAllFilesSummary = "Проверено ";
constexpr std::string_view kAllFilesSummaryMiddle = " файл(ов) с тестами, найдено ошибок структур: ";
constexpr std::string_view kAnnouncement = "Результаты проверки файлов записаны в файл \"";
} // namespace

std::string oneTestSummary(std::size_t damagedCount) {
    return std::string(kOneTestSummary) + std::to_string(damagedCount);
}

std::string allFilesSummary(std::size_t testCount, std::size_t damagedCount) {
    return std::string(kAllFilesSummary) + std::to_string(testCount) +
           std::string(kAllFilesSummaryMiddle) + std::to_string(damagedCount);
}

std::vector<std::string> reportTopLines(std::string summaryLine) {
    return {std::string(), separatorLine(), std::move(summaryLine), separatorLine()};
}

std::string reportFileAnnouncement() {
    return std::string(kAnnouncement) + std::string(kReportFileName) + "\"";
}

std::vector<std::string> screenOnlyLines() {
    return {reportFileAnnouncement(), separatorLine(), std::string()};
}

RunResult checkTests(const std::vector<std::string>& paths, const RunOptions& options) {
    RunResult run;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        FileCheck file = checkTestFile(paths[i], options.printOnlyDamaged);
        ++run.checkedCount;
        run.sectionLines.insert(run.sectionLines.end(), std::make_move_iterator(file.lines.begin()),
                                std::make_move_iterator(file.lines.end()));
        if (file.passed)
            continue;
        ++run.damagedCount;
        if (!run.firstDamaged) {
            run.firstDamaged = i;
            run.openPosition = file.firstError.value_or(QuestionPosition{});
            if (options.stopAtFirstDamaged)
                break;
        }
    }
    return run;
}

std::vector<std::string> allFilesReport(const RunResult& run, std::size_t testCount) {
    std::vector<std::string> lines = reportTopLines(allFilesSummary(testCount, run.damagedCount));
    lines.insert(lines.end(), run.sectionLines.begin(), run.sectionLines.end());
    return lines;
}

std::string reportFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += utf8ToCp1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace quizloom::check
