#include "app/form_quizloom.h"

void TFormQuizloom::RadioButtonReadClick() {}
void TFormQuizloom::RadioButtonEditClick() {}
void TFormQuizloom::SwitchView(bool) {}
void TFormQuizloom::Memo1Change() {}
void TFormQuizloom::NClearStatClick() {}
