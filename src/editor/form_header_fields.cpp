#include "app/form_quizloom.h"

void TFormQuizloom::EditDSubjectChange() {}
void TFormQuizloom::EditTypeChange() {}
void TFormQuizloom::EditNumLevelChange() {}
void TFormQuizloom::EditMaxVarChange() {}
void TFormQuizloom::EditMaxQueChange() {}
void TFormQuizloom::EditNumVarChange() {}
void TFormQuizloom::EditNumQueChange() {}
void TFormQuizloom::Edit_5Change() {}
void TFormQuizloom::Edit_4Change() {}
void TFormQuizloom::Edit_3Change() {}
