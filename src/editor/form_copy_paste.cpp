#include "app/form_quizloom.h"

void TFormQuizloom::CopyToBufClick() {}
void TFormQuizloom::InsFromBufClick() {}
void TFormQuizloom::InsertCancelClick() {}
