#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "gui/app/form_quizloom.h"
#include "gui/checker/check_run_controller.h"
#include "ui_form_quizloom.h"

void TFormQuizloom::activateOnce() {
    if (activated_)
        return;
    activated_ = true;
    guarded([this] { FormActivate(); });
}

void TFormQuizloom::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // Some platforms (offscreen, X without a window manager) never report
    // an activation; the start-up sequence then runs once the window is up.
    QMetaObject::invokeMethod(this, &TFormQuizloom::activateOnce, Qt::QueuedConnection);
}

void TFormQuizloom::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activateOnce();
}

void TFormQuizloom::closeEvent(QCloseEvent* event) {
    // A check run under way is stopped first; the window closes after it.
    if (checkRun_->stopForClose())
        return event->ignore();
    // The close box, Escape, "Выход" and "&Выход" all end here; the settings
    // are written once, and only when they were read at start-up (a window
    // closed before then would overwrite them with the form's defaults).
    // A failed write is shown and the window still closes. Unsaved edits
    // are settled first; Отмена, or a save that fails, keeps the window open.
    if (!closed_ && activated_) {
        bool goOn = false;
        guarded([&] { goOn = settleUnsavedEdits(); });
        if (!goOn) {
            event->ignore();
            return;
        }
        closed_ = true;
        guarded([this] { FormClose(); });
    }
    event->accept();
}
