#include "core/checker/structure_check.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

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

unsigned workerCount(unsigned asked, std::size_t files) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = asked == 0 ? cores : asked;
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min(wanted, files)));
}

// Takes each file's findings in list order, whichever worker produced them.
class RunMerger {
public:
    RunMerger(std::size_t total, const RunOptions& options) : total_(total), options_(options) {}

    // False once the run is over: stopped, or at the first damaged file in
    // the simplified mode.
    bool take(std::size_t index, FileCheck file) {
        ++run_.checkedCount;
        if (file.firstError && !run_.firstQuestionError)
            run_.firstQuestionError = QuestionFinding{index, *file.firstError};
        run_.sectionLines.insert(run_.sectionLines.end(), std::make_move_iterator(file.lines.begin()),
                                 std::make_move_iterator(file.lines.end()));
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
        if (options_.progress && !options_.progress(run_.checkedCount, total_) && goOn &&
            run_.checkedCount < total_) {
            run_.stopped = true;
            goOn = false;
        }
        return goOn;
    }
    RunResult result() { return std::move(run_); }

private:
    std::size_t total_;
    const RunOptions& options_;
    RunResult run_;
};

// Workers take the next file in list order and may run ahead of the merge
// by a few files only, so that findings waiting to be merged stay few.
class ParallelRun {
public:
    ParallelRun(const std::vector<std::string>& paths, const RunOptions& options, unsigned workers)
        : paths_(paths), options_(options), done_(paths.size()), aheadLimit_(2 * std::size_t{workers}) {
        for (unsigned i = 0; i < workers; ++i)
            threads_.emplace_back([this] { work(); });
    }
    ~ParallelRun() {
        {
            const std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }

    // The findings of file index, once checked; rethrows a worker's failure.
    FileCheck wait(std::size_t index) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_[index].has_value() || failure_; });
        if (failure_)
            std::rethrow_exception(failure_);
        FileCheck file = std::move(*done_[index]);
        done_[index].reset();
        merged_ = index + 1;
        lock.unlock();
        changed_.notify_all();
        return file;
    }

private:
    void work() {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return cancelled_ || next_ < merged_ + aheadLimit_; });
                if (cancelled_ || next_ >= paths_.size())
                    return;
                index = next_++;
            }
            try {
                FileCheck file = checkQuizFile(paths_[index], options_.printOnlyDamaged);
                const std::lock_guard lock(mutex_);
                done_[index] = std::move(file);
            } catch (...) {
                const std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
            }
            changed_.notify_all();
        }
    }

    const std::vector<std::string>& paths_;
    const RunOptions& options_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<FileCheck>> done_;
    std::size_t next_ = 0;
    std::size_t merged_ = 0;
    const std::size_t aheadLimit_;
    bool cancelled_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

} // namespace

RunResult checkQuizzes(const std::vector<std::string>& paths, const RunOptions& options) {
    RunMerger merger(paths.size(), options);
    const unsigned workers = workerCount(options.workers, paths.size());
    if (workers == 1) {
        for (std::size_t i = 0; i < paths.size(); ++i)
            if (!merger.take(i, checkQuizFile(paths[i], options.printOnlyDamaged)))
                break;
        return merger.result();
    }
    ParallelRun run(paths, options, workers);
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (!merger.take(i, run.wait(i)))
            break;
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
