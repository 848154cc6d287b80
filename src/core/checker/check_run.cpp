#include "core/checker/structure_check.h"

#include "core/parallel/ordered_run.h"
#include "core/text/cp1251.h"

namespace quizloom::check {

namespace {
constexpr std::string_view kOneQuizSummary = "Проверен один файл с тестами, найдено ошибок структур: ";
constexpr std::string_view kAllFilesSummary = "Проверено ";
constexpr std::string_view kAllFilesSummaryMiddle = " файл(ов) с тестами, найдено ошибок структур: ";
constexpr std::string_view kAnnouncement = "Результаты проверки файлов записаны в файл \"";
constexpr std::string_view kProgressMiddle = " из ";
constexpr std::string_view kStopped = "Проверка прервана: проверено ";
constexpr std::string_view kStoppedEnd = " файл(ов)";
} // namespace

std::string oneQuizSummary(std::size_t damagedCount) {
    return std::string(kOneQuizSummary) + std::to_string(damagedCount);
}

std::string allFilesSummary(std::size_t testCount, std::size_t damagedCount) {
    return std::string(kAllFilesSummary) + std::to_string(testCount) + std::string(kAllFilesSummaryMiddle) +
           std::to_string(damagedCount);
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

std::string progressLine(std::size_t checked, std::size_t total) {
    return std::string(kAllFilesSummary) + std::to_string(checked) + std::string(kProgressMiddle) +
           std::to_string(total);
}

std::string stoppedRunLine(std::size_t checked, std::size_t total) {
    return std::string(kStopped) + std::to_string(checked) + std::string(kProgressMiddle) +
           std::to_string(total) + std::string(kStoppedEnd);
}

namespace {

// Takes each file's findings in list order, whichever worker produced them.
class RunMerger {
public:
    RunMerger(const std::vector<std::string>& paths, const RunOptions& options)
        : paths_(paths), options_(options) {}

    // False once the run is over: stopped, or at the first damaged file in
    // the simplified mode.
    bool take(std::size_t index, FileCheck file) {
        ++run_.checkedCount;
        if (file.firstError && !run_.firstQuestionError)
            run_.firstQuestionError = QuestionFinding{index, *file.firstError};
        run_.sectionLines.insert(run_.sectionLines.end(), std::make_move_iterator(file.lines.begin()),
                                 std::make_move_iterator(file.lines.end()));
        for (const std::optional<QuestionPosition>& question : file.lineQuestions) {
            if (paths_[index].empty())
                run_.sectionOrigins.emplace_back();
            else
                run_.sectionOrigins.emplace_back(LineOrigin{index, question});
        }
        bool goOn = true;
        if (!file.passed) {
            ++run_.damagedCount;
            if (!run_.firstDamaged) {
                run_.firstDamaged = index;
                run_.openPosition = file.firstError.value_or(QuestionPosition{});
                goOn = !options_.stopAtFirstDamaged;
            }
        }
        // A stop asked for at the file that ends the run anyway is no stop.
        if (options_.progress && !options_.progress(run_.checkedCount, paths_.size()) && goOn &&
            run_.checkedCount < paths_.size()) {
            run_.stopped = true;
            goOn = false;
        }
        return goOn;
    }
    RunResult result() { return std::move(run_); }

private:
    const std::vector<std::string>& paths_;
    const RunOptions& options_;
    RunResult run_;
};

} // namespace

RunResult checkQuizzes(const std::vector<std::string>& paths, const RunOptions& options) {
    RunMerger merger(paths, options);
    parallel::orderedRun<FileCheck>(
        paths.size(), options.workers,
        [&](std::size_t i) { return checkQuizFile(paths[i], options.printOnlyDamaged); },
        [&](std::size_t i, FileCheck file) { return merger.take(i, std::move(file)); });
    return merger.result();
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
