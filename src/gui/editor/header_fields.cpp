// The change handlers of the header and position fields only feed their
// rule. A correction set into a line edit is itself a change, so the handler
// runs again, nested, on the corrected text and finds it acceptable.
#include <QComboBox>
#include <QLineEdit>

#include "gui/app/form_quizloom.h"
#include "core/editor/field_rules.h"
#include "ui_form_quizloom.h"

using quizloom::editor::correctedFieldText;
using quizloom::editor::HeaderField;

namespace {

// True when the field's text stands as it is.
bool applyRule(QLineEdit* edit, HeaderField field, const QLineEdit* bound = nullptr) {
    const auto corrected = correctedFieldText(field, edit->text().toStdString(),
                                              bound ? bound->text().toStdString() : std::string());
    if (!corrected)
        return true;
    edit->setText(QString::fromStdString(*corrected));
    return false;
}

} // namespace

void TFormQuizloom::EditDSubjectChange() { applyRule(ui->EditDSubject, HeaderField::Subject); }

void TFormQuizloom::EditTypeChange() {
    const auto corrected = correctedFieldText(HeaderField::Type, ui->EditType->currentText().toStdString());
    // Setting the edit text runs no handler: the type is never corrected twice.
    if (corrected)
        ui->EditType->setEditText(QString::fromStdString(*corrected));
}

void TFormQuizloom::EditNumLevelChange() {
    // A corrected level lays the answer area out in the nested run.
    if (applyRule(ui->EditNumLevel, HeaderField::Level))
        LayAnswerArea(ui->EditNumLevel->text().toInt());
}

void TFormQuizloom::EditMaxVarChange() { applyRule(ui->EditMaxVar, HeaderField::MaxVar); }
void TFormQuizloom::EditMaxQueChange() { applyRule(ui->EditMaxQue, HeaderField::MaxQue); }
void TFormQuizloom::EditNumVarChange() { applyRule(ui->EditNumVar, HeaderField::NumVar, ui->EditMaxVar); }
void TFormQuizloom::EditNumQueChange() { applyRule(ui->EditNumQue, HeaderField::NumQue, ui->EditMaxQue); }
void TFormQuizloom::Edit_5Change() { applyRule(ui->Edit_5, HeaderField::Grade5); }
void TFormQuizloom::Edit_4Change() { applyRule(ui->Edit_4, HeaderField::Grade4); }
void TFormQuizloom::Edit_3Change() { applyRule(ui->Edit_3, HeaderField::Grade3); }
