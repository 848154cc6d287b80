// Copy, paste and undo of the shown question with the test's descriptive
// header values. The buffer lives in the window for the run only; nothing
// goes to the system clipboard or to a file.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

namespace {

using TextSlots = std::array<QString, 11>;
using MarkSlots = std::array<bool, 5>;

// The text slots in buffer order, which is also the order in which a paste
// sets them. The type (slot 1) is a combo box and has no entry here.
constexpr std::size_t kTypeSlot = 1;
constexpr std::array<QLineEdit* Ui::TFormQuizloom::*, 11> kTextFields{
    &Ui::TFormQuizloom::EditDSubject, nullptr,
    &Ui::TFormQuizloom::EditNumLevel, &Ui::TFormQuizloom::EditMaxVar,
    &Ui::TFormQuizloom::EditMaxQue,   &Ui::TFormQuizloom::EditQue,
    &Ui::TFormQuizloom::Edit1,        &Ui::TFormQuizloom::Edit2,
    &Ui::TFormQuizloom::Edit3,        &Ui::TFormQuizloom::Edit4,
    &Ui::TFormQuizloom::Edit5,
};
constexpr std::array<QCheckBox* Ui::TFormQuizloom::*, 5> kMarkFields{
    &Ui::TFormQuizloom::CheckBox1, &Ui::TFormQuizloom::CheckBox2, &Ui::TFormQuizloom::CheckBox3,
    &Ui::TFormQuizloom::CheckBox4, &Ui::TFormQuizloom::CheckBox5,
};

void readFields(Ui::TFormQuizloom& ui, TextSlots& texts, MarkSlots& marks) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = i == kTypeSlot ? ui.EditType->currentText() : (ui.*kTextFields[i])->text();
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i] = (ui.*kMarkFields[i])->isChecked();
}

// Each line edit's text runs that field's rule as typing would, so header
// values are corrected on the way in, and a new level lays the answer area
// out before the marks are set. The type is taken as it is: a text the
// program sets there runs no rule.
void putFields(Ui::TFormQuizloom& ui, const TextSlots& texts, const MarkSlots& marks) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i == kTypeSlot)
            ui.EditType->setEditText(texts[i]);
        else
            (ui.*kTextFields[i])->setText(texts[i]);
    }
    for (std::size_t i = 0; i < marks.size(); ++i)
        (ui.*kMarkFields[i])->setChecked(marks[i]);
}

} // namespace

void TFormQuizloom::CopyToBufClick() {
    SwitchView(false);
    readFields(*ui, CopyBuffer.texts, CopyBuffer.marks);
}

void TFormQuizloom::InsFromBufClick() {
    SwitchView(false);
    PasteUndoAvailable = true;
    readFields(*ui, PasteUndoBuffer.texts, PasteUndoBuffer.marks);
    putFields(*ui, CopyBuffer.texts, CopyBuffer.marks);
}

void TFormQuizloom::InsertCancelClick() {
    SwitchView(false);
    if (!PasteUndoAvailable)
        return;
    putFields(*ui, PasteUndoBuffer.texts, PasteUndoBuffer.marks);
}
