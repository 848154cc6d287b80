// The menu commands whose work lives in a feature's own controller or
// dialog: each forwards there.
#include "core/text/int_conv.h"
#include "gui/about/about_box.h"
#include "gui/app/form_quizloom.h"
#include "gui/checker/check_run_controller.h"
#include "gui/exchange/exchange_controller.h"
#include "gui/overview/overview_controller.h"
#include "gui/print/print_controller.h"
#include "gui/search/search_controller.h"
#include "ui_form_quizloom.h"

bool TFormQuizloom::CheckTestFile(int index) {
    const bool passed = session_.checkListedQuiz(index);
    render();
    return passed;
}

void TFormQuizloom::NTestingClick() {
    checkRun_->run();
}

void TFormQuizloom::N2Click() {
    // A fresh dialog for every showing; leaving this scope destroys it, also
    // when an error ended the display.
    TAboutBox box(this);
    dialogs_.execDialog(box);
}

// The paper is made from the test file, so unsaved edits of the shown
// question are settled first.
void TFormQuizloom::MenuPrintClick() {
    SwitchView(false);
    if (!session_.bank().hasCurrent() || !settleUnsavedEdits())
        return;
    const auto variant = quizloom::tryStrToInt(session_.text(quizloom::editor::Field::NumVar));
    print_->open({session_.bank().currentPath(), variant.value_or(1), session_.workDir()},
                 settingsPath_.toStdString());
}

void TFormQuizloom::MenuExportClick() {
    SwitchView(false);
    exchange_->exportQuizzes();
}

void TFormQuizloom::MenuImportClick() {
    SwitchView(false);
    exchange_->importQuiz();
}

void TFormQuizloom::MenuOverviewClick() {
    overview_->setShown(ui->MenuOverview->isChecked());
}

void TFormQuizloom::MenuFindClick() {
    search_->open();
}
