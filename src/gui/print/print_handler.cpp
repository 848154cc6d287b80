// "Файл › Печать…": the current test on paper, made from its file, so
// unsaved edits of the shown question are settled first.
#include "core/text/int_conv.h"
#include "gui/app/form_quizloom.h"

void TFormQuizloom::MenuPrintClick() {
    SwitchView(false);
    if (!session_.bank().hasCurrent() || !settleUnsavedEdits())
        return;
    const auto variant = quizloom::tryStrToInt(session_.text(quizloom::editor::Field::NumVar));
    print_.open({session_.bank().currentPath(), variant.value_or(1), session_.workDir()},
                settingsPath_.toStdString());
}
