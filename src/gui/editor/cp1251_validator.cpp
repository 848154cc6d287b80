#include "gui/editor/cp1251_validator.h"

#include <QLineEdit>
#include <QWidget>

#include "core/text/cp1251.h"

namespace quizloom {

namespace {

int refusedCount(const QString& text) {
    int n = 0;
    for (char32_t cp : text.toUcs4())
        n += isRefusedInField(cp);
    return n;
}

} // namespace

bool isRefusedInField(char32_t codePoint) {
    return codePoint < U' ' || !codePointToCp1251(codePoint).has_value();
}

Cp1251Validator::Cp1251Validator(QLineEdit* edit) : QValidator(edit), edit_(edit), shown_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    // An unmodified field holds a text the program set (or the user undid
    // back to one). Accepting it keeps the field's "input was valid" state,
    // so that a later keystroke can still be refused.
    if (edit_ && !edit_->isModified())
        return Acceptable;
    // A program-set text may hold such characters (a tab read from a file);
    // only characters added by this edit are refused.
    return refusedCount(input) > refusedCount(shown_) ? Invalid : Acceptable;
}

void installCp1251Validator(QLineEdit* edit) {
    edit->setValidator(new Cp1251Validator(edit));
}

void installCp1251Validators(QWidget& root) {
    for (QLineEdit* edit : root.findChildren<QLineEdit*>())
        installCp1251Validator(edit);
}

} // namespace quizloom
