#pragma once
// "Печать теста": which variants, shuffling and its key, the answer key,
// the student's line and the font size, and the buttons that make the
// paper. The controller answers the buttons; "Закрыть" closes the dialog.
#include <QDialog>

#include "core/print/paper_test.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

class PrintDialog final : public QDialog {
public:
    explicit PrintDialog(QWidget* parent = nullptr);

    quizloom::print::PaperChoices choices() const;
    void setChoices(const quizloom::print::PaperChoices& choices);

    QPushButton* previewButton() const { return preview_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* pdfButton() const { return pdf_; }
    QPushButton* odtButton() const { return odt_; }

private:
    void enableKey();

    QComboBox* variants_ = nullptr;
    QCheckBox* shuffleQuestions_ = nullptr;
    QCheckBox* shuffleOptions_ = nullptr;
    QSpinBox* key_ = nullptr;
    QCheckBox* answerKey_ = nullptr;
    QCheckBox* studentLine_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* odt_ = nullptr;
};
