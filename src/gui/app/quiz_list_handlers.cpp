// The test list: the tables in scan order and the name box in display order.
// Every box entry carries the table index of its own test, so two tests with
// one name each open their own file.
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include "gui/app/form_quizloom.h"
#include "core/bank/quiz_bank.h"
#include "ui_form_quizloom.h"

void TFormQuizloom::FillTestList() {
    QComboBox* box = ui->BoxSubject;
    box->clear();
    box->setEditText(QString());
    TestCount = 0;
    TestPaths.clear();
    TestNames.clear();

    const std::vector<quizloom::TestEntry> tests = quizloom::scanTestFolder(WorkDir);
    for (const quizloom::TestEntry& test : tests) {
        TestPaths.push_back(test.path);
        TestNames.push_back(test.name);
    }
    TestCount = static_cast<int>(tests.size());
    for (std::size_t index : quizloom::subjectDisplayOrder(tests))
        box->addItem(QString::fromStdString(tests[index].name), static_cast<int>(index));
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    CurrentTest = quizloom::initialCurrentTest(tests);
}

void TFormQuizloom::SelectFirstTestEntry() {
    QComboBox* box = ui->BoxSubject;
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
    box->setEditText(box->count() > 0 ? box->itemText(0) : QString());
}

void TFormQuizloom::SelectTest() {
    QComboBox* box = ui->BoxSubject;
    const QString text = box->currentText();
    if (box->count() == 0 || text.isEmpty())
        return;
    const int firstWithText = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (firstWithText < 0)
        return; // a partly typed name does nothing
    int chosen = box->currentIndex();
    // A picked entry is the selection itself; a typed name picks its first
    // entry, also when the selection is a later entry of the same name.
    const bool typed = box->lineEdit() && box->lineEdit()->isModified();
    if (typed || chosen < 0 || box->itemText(chosen) != text) {
        chosen = firstWithText;
        box->setCurrentIndex(chosen);
    }
    box->setEditText(box->itemText(chosen));
    const QVariant index = box->itemData(chosen);
    if (index.isValid())
        CurrentTest = index.toInt();
    ShowQuestion();
}

void TFormQuizloom::BoxSubjectChange() { SelectTest(); }
