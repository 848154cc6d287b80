#include <algorithm>

#include "core/bank/quiz_bank.h"
#include "core/text/printable.h"

namespace quizloom {

void QuizBank::scan(const std::string& workDir) {
    entries_ = scanQuizFolder(workDir);
    current_ = initialCurrentQuiz(entries_);
    reorder();
}

int QuizBank::add(std::string path, std::string name) {
    entries_.push_back({std::move(path), std::move(name)});
    current_ = static_cast<int>(entries_.size()) - 1;
    reorder();
    return current_;
}

void QuizBank::rescanKeeping(const std::string& workDir, const std::string& path) {
    scan(workDir);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const QuizEntry& entry) { return entry.path == path; });
    if (found != entries_.end())
        current_ = static_cast<int>(found - entries_.begin());
}

std::vector<std::string> QuizBank::paths() const {
    std::vector<std::string> paths;
    paths.reserve(entries_.size());
    for (const QuizEntry& entry : entries_)
        paths.push_back(entry.path);
    return paths;
}

int QuizBank::positionOf(std::size_t index) const {
    const auto found = std::find(pickerOrder_.begin(), pickerOrder_.end(), index);
    return found == pickerOrder_.end() ? -1 : static_cast<int>(found - pickerOrder_.begin());
}

int QuizBank::firstPositionNamed(std::string_view name) const {
    for (std::size_t position = 0; position < pickerOrder_.size(); ++position)
        if (pickerName(pickerOrder_[position]) == name)
            return static_cast<int>(position);
    return -1;
}

std::string QuizBank::pickerName(std::size_t index) const { return printableName(entries_[index].name); }

bool QuizBank::hasCurrent() const {
    return current_ >= 0 && static_cast<std::size_t>(current_) < entries_.size();
}

std::string QuizBank::currentPath() const {
    return hasCurrent() ? entries_[static_cast<std::size_t>(current_)].path : std::string();
}

void QuizBank::reorder() {
    pickerOrder_ = subjectDisplayOrder(entries_);
    ++generation_;
}

} // namespace quizloom
