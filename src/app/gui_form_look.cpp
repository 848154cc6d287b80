#include "app/gui_form_look.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "ui_form_quizloom.h"

namespace quizloom {

void applyFormLook(QMainWindow& window, Ui::TFormQuizloom& form) {
    (void)form;
    window.resize(684, window.menuBar()->sizeHint().height() + 457);
}

} // namespace quizloom
