#include "app/form_quizloom.h"

void TFormQuizloom::NewTestClick() {}
