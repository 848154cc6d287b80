// The check run from the menu: the window is maximized for the report; the
// session checks, writes the report file and opens the faulty question.
#include "gui/app/form_quizloom.h"
#include "gui/app/window_state.h"

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
    session_.switchView(true);
    render();
    session_.runCheck();
}
