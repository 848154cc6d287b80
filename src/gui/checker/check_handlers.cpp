// The check run from the menu: the window is maximized for the report; the
// files are checked on another thread under a modal progress dialog, and
// the session applies the result (report, report file, faulty question).
#include <QScopeGuard>
#include <utility>

#include "core/checker/structure_check.h"
#include "gui/app/form_quizloom.h"
#include "gui/app/window_state.h"

namespace {

QString progressText(std::size_t checked, std::size_t total) {
    return QString::fromStdString(quizloom::check::progressLine(checked, total));
}

} // namespace

bool TFormQuizloom::CheckTestFile(int index) {
    const bool passed = session_.checkListedQuiz(index);
    render();
    return passed;
}

void TFormQuizloom::NTestingClick() {
    if (!settleUnsavedEdits())
        return;
    maximizeWindow(*this);
    // The report view comes up at once (the report is emptied first), so a
    // run that ends in the editor view restores the window.
    const quizloom::editor::CheckJob job = session_.startCheck();
    render();

    // A close asked for during the run comes once the run is applied (or
    // has failed).
    const auto closeLater = qScopeGuard([this] { closeIfAskedDuringRun(); });
    quizloom::check::RunResult result;
    {
        // While the dialog is up, no handler of the window runs, so the list
        // and the files stay as the job took them.
        struct Running {
            TFormQuizloom& window;
            explicit Running(TFormQuizloom& w) : window(w) {
                window.checkStop_ = false;
                window.checkRunning_ = true;
            }
            ~Running() { window.checkRunning_ = false; }
        } running(*this);
        dialogs_.runWithProgress(
            this, title_, progressText(0, job.paths.size()),
            [&job, &result](const ProgressStep& step) {
                // One worker per core, as quizloom-check does by default.
                result = job.run([&step](std::size_t checked,
                                         std::size_t total) { return step(progressText(checked, total)); },
                                 0);
            },
            checkStop_);
    }
    session_.finishCheck(job, result);
}

bool TFormQuizloom::stopCheckRunForClose() {
    if (!checkRunning_)
        return false;
    checkStop_ = true;
    closeAfterRun_ = true;
    return true;
}

void TFormQuizloom::closeIfAskedDuringRun() {
    if (!std::exchange(closeAfterRun_, false))
        return;
    // After the handler, so that the report is shown before the close asks
    // anything.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}
