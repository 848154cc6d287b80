#include "app/form_quizloom.h"

void TFormQuizloom::N2Click() {}
