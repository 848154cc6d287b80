#include "app/form_quizloom.h"

bool TFormQuizloom::CheckTestFile(int) { return false; }
void TFormQuizloom::NTestingClick() {}
