#include "app/form_quizloom.h"

void TFormQuizloom::LoadSettings() {}
void TFormQuizloom::ResolveWorkDir() {}
void TFormQuizloom::SaveSettings() {}
void TFormQuizloom::MenuChangeDirClick() {}
