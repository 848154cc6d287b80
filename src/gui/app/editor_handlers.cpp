// Navigation, the header and position fields, the working mode, the view,
// and copy and paste: each passes its event to the session.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

using quizloom::editor::Field;

void TFormQuizloom::BtnPlusClick() {
    session_.stepVariant(+1);
}
void TFormQuizloom::BtnMinusClick() {
    session_.stepVariant(-1);
}
void TFormQuizloom::BtnPlusQClick() {
    session_.stepQuestion(+1);
}
void TFormQuizloom::BtnMinusQClick() {
    session_.stepQuestion(-1);
}

void TFormQuizloom::EditDSubjectChange() {
    fieldChanged(Field::Subject);
}
void TFormQuizloom::EditTypeChange() {
    // In read mode a pick from the list is taken back by the render.
    if (session_.editMode())
        session_.enterType(ui->EditType->currentText().toStdString());
}
void TFormQuizloom::EditNumLevelChange() {
    fieldChanged(Field::Level);
}
void TFormQuizloom::EditMaxVarChange() {
    fieldChanged(Field::MaxVar);
}
void TFormQuizloom::EditMaxQueChange() {
    fieldChanged(Field::MaxQue);
}
void TFormQuizloom::EditNumVarChange() {
    fieldChanged(Field::NumVar);
}
void TFormQuizloom::EditNumQueChange() {
    fieldChanged(Field::NumQue);
}
void TFormQuizloom::Edit_5Change() {
    fieldChanged(Field::Grade5);
}
void TFormQuizloom::Edit_4Change() {
    fieldChanged(Field::Grade4);
}
void TFormQuizloom::Edit_3Change() {
    fieldChanged(Field::Grade3);
}

void TFormQuizloom::RadioButtonReadClick() {
    const bool edit = ui->RadioButtonEdit->isChecked();
    // Leaving edit mode makes the fields read-only: edits are settled first.
    if (!edit && !settleUnsavedEdits())
        return; // the render puts the mode's radio button back
    session_.setEditMode(edit);
}
void TFormQuizloom::RadioButtonEditClick() {
    RadioButtonReadClick();
}

void TFormQuizloom::SwitchView(bool report) {
    session_.switchView(report);
    render();
}

void TFormQuizloom::Memo1Change() {
    session_.reportEdited(ui->Memo1->toPlainText().toStdString());
    render();
}
void TFormQuizloom::NClearStatClick() {
    SwitchView(false);
}

void TFormQuizloom::CopyToBufClick() {
    session_.copyQuestion();
}
void TFormQuizloom::InsFromBufClick() {
    session_.pasteQuestion();
}
void TFormQuizloom::InsertCancelClick() {
    session_.undoPaste();
}
