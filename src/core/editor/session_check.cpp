// The check run as the editor makes it: one or every test checked, the
// report with its summary on top and the report file, or, in the simplified
// mode, the first faulty question opened in the editor.
#include <algorithm>

#include "core/checker/report_file.h"
#include "core/editor/editing_session.h"

namespace quizloom::editor {

namespace {

std::string joinedLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

template <class Line, class... Parts> std::vector<Line> concatenatedAs(const Parts&... parts) {
    std::vector<Line> all;
    all.reserve((parts.size() + ...));
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

template <class... Parts> std::vector<std::string> concatenated(const Parts&... parts) {
    return concatenatedAs<std::string>(parts...);
}

// The origins of report lines the run makes itself (summary, announcement):
// none.
std::vector<std::optional<check::LineOrigin>> aboutNothing(std::size_t count) {
    return std::vector<std::optional<check::LineOrigin>>(count);
}

std::size_t lineCount(const std::string& text) {
    return text.empty() ? 0 : static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

} // namespace

// Every change of the report text brings the report view up.
void EditingSession::setReport(std::string text, ReportOrigins origins) {
    reportText_ = std::move(text);
    reportOrigins_ = std::move(origins);
    ++reportGeneration_;
    switchView(true);
}

void EditingSession::reportEdited(std::string text) {
    reportText_ = std::move(text);
    reportOrigins_.clear();
    switchView(true);
}

std::optional<ReportTarget> EditingSession::reportLineTarget(std::size_t line) const {
    if (line >= reportOrigins_.size() || !reportOrigins_[line])
        return std::nullopt;
    const check::LineOrigin& origin = *reportOrigins_[line];
    return ReportTarget{reportPaths_[origin.test], origin.question};
}

bool EditingSession::checkListedQuiz(int index) {
    const bool listed = index >= 0 && static_cast<std::size_t>(index) < bank_.size();
    const check::FileCheck file =
        check::checkQuizFile(listed ? bank_.entry(static_cast<std::size_t>(index)).path : std::string(),
                             options_.printOnlyDamaged);
    if (!file.lines.empty()) {
        std::string text = reportText_;
        ReportOrigins origins = reportOrigins_;
        origins.resize(lineCount(text));
        if (!text.empty())
            text += '\n';
        if (listed)
            reportPaths_.push_back(bank_.entry(static_cast<std::size_t>(index)).path);
        for (const std::optional<check::QuestionPosition>& question : file.lineQuestions) {
            if (listed)
                origins.emplace_back(check::LineOrigin{reportPaths_.size() - 1, question});
            else
                origins.emplace_back();
        }
        setReport(text + joinedLines(file.lines), std::move(origins));
    }
    return file.passed;
}

check::RunResult CheckJob::run(check::RunProgress progress, unsigned workers) const {
    return check::checkQuizzes(paths, {printOnlyDamaged, simplified, workers, std::move(progress)});
}

void EditingSession::runCheck() {
    const CheckJob job = startCheck();
    finishCheck(job, job.run());
}

CheckJob EditingSession::startCheck() {
    setReport(std::string());
    CheckJob job;
    job.paths = options_.oneQuiz ? std::vector{bank_.currentPath()} : bank_.paths();
    job.oneQuiz = options_.oneQuiz;
    job.printOnlyDamaged = options_.printOnlyDamaged;
    job.simplified = options_.simplified;
    return job;
}

void EditingSession::finishCheck(const CheckJob& job, const check::RunResult& run) {
    reportPaths_ = job.paths;
    const auto origins = [&](std::size_t before) {
        return concatenatedAs<std::optional<check::LineOrigin>>(aboutNothing(before), run.sectionOrigins);
    };
    if (run.stopped) {
        setReport(joinedLines(concatenated(run.sectionLines, std::vector{check::stoppedRunLine(
                                                                 run.checkedCount, job.paths.size())})),
                  origins(0));
        return;
    }
    const bool oneQuiz = job.oneQuiz;
    const bool simple = job.simplified;

    if (run.firstDamaged) {
        // The first damaged test becomes current: its own entry of the
        // picker, also when another test has the same name.
        if (!oneQuiz)
            makeCurrent(*run.firstDamaged);
        if (simple && !run.sectionLines.empty())
            setReport(joinedLines(run.sectionLines), origins(0));
        showAt(run.openPosition);
        if (simple) {
            switchView(false);
            return;
        }
    }

    const std::vector<std::string> top =
        check::reportTopLines(oneQuiz ? check::oneQuizSummary(run.damagedCount)
                                      : check::allFilesSummary(bank_.size(), run.damagedCount));
    if (bank_.empty()) {
        setReport(joinedLines(concatenated(top, run.sectionLines)), origins(top.size()));
        return;
    }
    const std::vector<std::string> saved = concatenated(top, run.sectionLines);
    try {
        const std::string folder =
            reportFolder_.empty() || reportFolder_.back() == '/' ? reportFolder_ : reportFolder_ + '/';
        check::writeReportFile(folder + std::string(check::kReportFileName), saved,
                               std::string(check::kReportFileName));
    } catch (...) {
        setReport(joinedLines(saved), origins(top.size()));
        throw;
    }
    const std::vector<std::string> screenOnly = check::screenOnlyLines();
    setReport(joinedLines(concatenated(top, screenOnly, run.sectionLines)),
              origins(top.size() + screenOnly.size()));
}

} // namespace quizloom::editor
