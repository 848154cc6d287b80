#include "app/form_quizloom.h"

void TFormQuizloom::BtnPlusClick() {}
void TFormQuizloom::BtnMinusClick() {}
void TFormQuizloom::BtnPlusQClick() {}
void TFormQuizloom::BtnMinusQClick() {}
