// The menu commands whose work lives in a feature's own controller or
// dialog: each forwards there.
#include "gui/about/about_box.h"
#include "gui/app/form_quizloom.h"
#include "gui/checker/check_run_controller.h"

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
