#include "app/form_quizloom.h"

void TFormQuizloom::ShowQuestion() {}
void TFormQuizloom::SaveQuestion() {}
void TFormQuizloom::BtnSaveClick() {}
void TFormQuizloom::MenuSaveClick() {}
