// Moving to a neighbouring variant or question saves the shown one first.
// Numbers are read before the save; setting the new number runs its field's
// rule, so a number above the bound shows the question the bound names.
#include <QLineEdit>

#include "gui/app/form_quizloom.h"
#include "core/text/int_conv.h"
#include "ui_form_quizloom.h"

namespace {

int numberIn(const QLineEdit* edit) { return quizloom::strToInt(edit->text().toStdString()); }

void stepUp(TFormQuizloom& window, QLineEdit* number, const QLineEdit* maximum) {
    const int n = numberIn(number);
    const int m = numberIn(maximum);
    window.SaveQuestion();
    if (n < m) {
        number->setText(QString::number(n + 1));
        window.ShowQuestion();
    }
}

void stepDown(TFormQuizloom& window, QLineEdit* number) {
    const int n = numberIn(number);
    window.SaveQuestion();
    if (n != 1) {
        number->setText(QString::number(static_cast<long long>(n) - 1));
        window.ShowQuestion();
    }
}

} // namespace

void TFormQuizloom::BtnPlusClick() { stepUp(*this, ui->EditNumVar, ui->EditMaxVar); }
void TFormQuizloom::BtnMinusClick() { stepDown(*this, ui->EditNumVar); }
void TFormQuizloom::BtnPlusQClick() { stepUp(*this, ui->EditNumQue, ui->EditMaxQue); }
void TFormQuizloom::BtnMinusQClick() { stepDown(*this, ui->EditNumQue); }
