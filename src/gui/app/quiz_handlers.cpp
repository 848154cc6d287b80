// Showing and saving the question, and creating a test through two input
// dialogs and, for a file that exists, a confirmation.
#include "core/quiz/new_quiz_file.h"
#include "gui/app/form_quizloom.h"
#include "gui/quiz/new_quiz_dialogs.h"

void TFormQuizloom::ShowQuestion() {
    session_.showQuestion();
    render();
}

void TFormQuizloom::SaveQuestion() {
    session_.saveQuestion();
    render();
}

void TFormQuizloom::BtnSaveClick() {
    SaveQuestion();
}

void TFormQuizloom::MenuSaveClick() {
    SwitchView(false);
    SaveQuestion();
}

void TFormQuizloom::NewTestClick() {
    SwitchView(false);
    if (!quizloom::askNewQuizNames(dialogs_, this, session_.rememberedQuizName(), nullptr,
                                   session_.rememberedFileName()))
        return;
    const std::string& name = session_.rememberedQuizName();
    const std::string path = session_.prepareNewQuizPath(session_.rememberedFileName());
    const bool replacing = quizloom::newquiz::fileExistsAt(path);
    if (!quizloom::confirmReplace(dialogs_, this, path, replacing) || !settleUnsavedEdits())
        return;
    session_.createQuiz(path, name, replacing);
}
