#include "gui/about/about_box.h"
#include "gui/app/form_quizloom.h"

void TFormQuizloom::N2Click() {
    // A fresh dialog for every showing; leaving this scope destroys it, also
    // when an error ended the display.
    TAboutBox box(this);
    dialogs_.execDialog(box);
}
