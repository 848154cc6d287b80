#include "about/form_about_box.h"
#include "app/form_quizloom.h"

void TFormQuizloom::N2Click() {
    // A fresh dialog for every showing; leaving this scope destroys it, also
    // when an error ended the display.
    TAboutBox box(this);
    dialogs_.execDialog(box);
}
