#pragma once
// Keeps text that Windows-1251 cannot store out of the editor's fields: a
// character the code page has no byte for, or a control character below
// space (a pasted line break would split a value into extra lines of the
// file). Typing and pasting are refused; texts the program sets are taken
// as they are (they come from the files and go back unchanged).
#include <QPointer>
#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace quizloom {

// Characters refused in a field.
bool isRefusedInField(char32_t codePoint);

class Cp1251Validator : public QValidator {
    Q_OBJECT
public:
    // Watches edit (its parent): an edit that adds refused characters to
    // the text last shown is refused.
    explicit Cp1251Validator(QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

private:
    QPointer<QLineEdit> edit_;
    QString shown_;
};

// Installs a validator on edit.
void installCp1251Validator(QLineEdit* edit);
// On every line edit under root, those inside combo boxes included.
void installCp1251Validators(QWidget& root);

} // namespace quizloom
