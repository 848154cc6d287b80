#include "app/form_quizloom.h"

void TFormQuizloom::FillTestList() {}
void TFormQuizloom::SelectTest() {}
void TFormQuizloom::BoxSubjectChange() {}
void TFormQuizloom::SelectFirstTestEntry() {}
