#include "gui/checker/check_run_controller.h"

#include <QScopeGuard>
#include <utility>

#include "core/checker/structure_check.h"
#include "gui/app/application_setup.h"
#include "gui/app/form_quizloom.h"
#include "gui/app/window_state.h"

namespace {

QString progressText(std::size_t checked, std::size_t total) {
    return QString::fromStdString(quizloom::check::progressLine(checked, total));
}

} // namespace

void CheckRunController::run() {
    if (!window_.settleUnsavedEdits())
        return;
    maximizeWindow(window_);
    // The report view comes up at once (the report is emptied first), so a
    // run that ends in the editor view restores the window.
    quizloom::editor::EditingSession& session = window_.session();
    const quizloom::editor::CheckJob job = session.startCheck();
    window_.render();

    // A close asked for during the run comes once the run is applied (or
    // has failed).
    const auto closeLater = qScopeGuard([this] { closeIfAskedDuringRun(); });
    quizloom::check::RunResult result;
    {
        // While the dialog is up, no handler of the window runs, so the list
        // and the files stay as the job took them.
        stop_ = false;
        running_ = true;
        const auto done = qScopeGuard([this] { running_ = false; });
        window_.dialogs().runWithProgress(
            &window_, quizloom::applicationTitle(), progressText(0, job.paths.size()),
            [&job, &result](const ProgressStep& step) {
                // One worker per core, as quizloom-check does by default.
                result = job.run([&step](std::size_t checked,
                                         std::size_t total) { return step(progressText(checked, total)); },
                                 0);
            },
            stop_);
    }
    session.finishCheck(job, result);
}

bool CheckRunController::stopForClose() {
    if (!running_)
        return false;
    stop_ = true;
    closeAfterRun_ = true;
    return true;
}

void CheckRunController::closeIfAskedDuringRun() {
    if (!std::exchange(closeAfterRun_, false))
        return;
    // After the handler, so that the report is shown before the close asks
    // anything.
    QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}
