// The working mode (read or edit) and the view (editor or report).
#include <QAction>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/app/form_quizloom.h"
#include "gui/app/window_state.h"
#include "ui_form_quizloom.h"

void TFormQuizloom::RadioButtonReadClick() {
    const bool saving = !ui->RadioButtonRead->isChecked();
    ui->BtnSave->setEnabled(saving);
    ui->MenuSave->setEnabled(saving);
}

void TFormQuizloom::RadioButtonEditClick() { RadioButtonReadClick(); }

void TFormQuizloom::SwitchView(bool report) {
    if (report != EditorShown)
        return; // that view is shown already
    if (report) {
        ui->Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        ui->Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        restoreWindow(*this);
    }
    EditorShown = !report;
    // The report box sits in the client layout between the two panels, so
    // with both panels hidden it takes the whole client area. What goes is
    // hidden before what comes is shown: for a moment with both in the
    // layout the window would grow to hold them, and it does not shrink
    // back, which would push the button row down.
    const auto showPanels = [this] {
        for (QWidget* panel : {static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->Panel2)}) {
            panel->setEnabled(EditorShown);
            panel->setVisible(EditorShown);
        }
    };
    const auto showReport = [this] {
        ui->Memo1->setVisible(!EditorShown);
        ui->Memo1->setEnabled(!EditorShown);
    };
    if (EditorShown) {
        showReport();
        showPanels();
    } else {
        showPanels();
        showReport();
    }
}

void TFormQuizloom::Memo1Change() { SwitchView(true); }

void TFormQuizloom::NClearStatClick() { SwitchView(false); }
