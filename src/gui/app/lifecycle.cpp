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
#include "ui_form_quizloom.h"

namespace {

// In the report view Page Up and Page Down page the report wherever the
// focus is; their other use, the question buttons, is hidden there.
bool pageReport(Ui::TFormQuizloom& form, QWidget* target, QKeyEvent* key) {
    const bool paging = (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) &&
                        !(key->modifiers() & Qt::ControlModifier);
    if (!paging || !form.Memo1->isVisible() || target == form.Memo1 || form.Memo1->isAncestorOf(target))
        return false;
    QApplication::sendEvent(form.Memo1, key);
    return true;
}

} // namespace

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
    if (stopCheckRunForClose())
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

bool TFormQuizloom::handleDialogKey(QWidget* target, int key) {
    if (key == Qt::Key_Escape) {
        // Only the editor view has the button row, so only there does
        // Escape close the window.
        if (!ui->CancelBtn->isVisible() || !ui->CancelBtn->isEnabled())
            return false;
        ui->CancelBtn->click();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
    }
    // The report box takes line breaks as text.
    if (target == ui->Memo1 || ui->Memo1->isAncestorOf(target))
        return false;
    // Swallowed also when saving is not possible, so that no control (an
    // editable combo box above all) acts on Enter itself.
    if (ui->BtnSave->isVisible() && ui->BtnSave->isEnabled())
        ui->BtnSave->click();
    return true;
}

bool TFormQuizloom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        // Menus keep their own keys (Escape closes an open menu).
        const bool inWindow = target->window() == this && !qobject_cast<QMenuBar*>(target);
        auto* key = static_cast<QKeyEvent*>(event);
        if (inWindow && (pageReport(*ui, target, key) || handleDialogKey(target, key->key())))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
