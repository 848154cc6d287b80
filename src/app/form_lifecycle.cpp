#include "app/form_quizloom.h"

void TFormQuizloom::FormActivate() {}
void TFormQuizloom::FormClose() {}
void TFormQuizloom::CancelBtnClick() {}
void TFormQuizloom::N3Click() {}
