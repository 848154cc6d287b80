// Escape and Enter as the main window's cancel and default buttons, and
// Page Up/Down over the report, from every control of the window.
#include "gui/app/window_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

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

// A panel marked so handles Enter and Escape in its own controls.
bool ownKeys(const QWidget* target) {
    for (const QWidget* widget = target; widget; widget = widget->parentWidget())
        if (widget->property("quizloomOwnKeys").toBool())
            return true;
    return false;
}

} // namespace

WindowKeys::WindowKeys(QMainWindow& window, Ui::TFormQuizloom& ui)
    : QObject(&window), window_(window), ui_(ui) {}

bool WindowKeys::handleDialogKey(QWidget* target, int key) {
    if (key == Qt::Key_Escape) {
        // Only the editor view has the button row, so only there does
        // Escape close the window.
        if (!ui_.CancelBtn->isVisible() || !ui_.CancelBtn->isEnabled())
            return false;
        ui_.CancelBtn->click();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
    }
    // The report box takes line breaks as text.
    if (target == ui_.Memo1 || ui_.Memo1->isAncestorOf(target))
        return false;
    // Swallowed also when saving is not possible, so that no control (an
    // editable combo box above all) acts on Enter itself.
    if (ui_.BtnSave->isVisible() && ui_.BtnSave->isEnabled())
        ui_.BtnSave->click();
    return true;
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        // Menus keep their own keys (Escape closes an open menu).
        // A key a panel's control leaves unused goes on to its parents, up
        // to the window: the focus tells where it began.
        const bool inWindow = target->window() == &window_ && !qobject_cast<QMenuBar*>(target) &&
                              !ownKeys(target) && !ownKeys(QApplication::focusWidget());
        auto* key = static_cast<QKeyEvent*>(event);
        if (inWindow && (pageReport(ui_, target, key) || handleDialogKey(target, key->key())))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
