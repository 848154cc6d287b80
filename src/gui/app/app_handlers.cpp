// Start-up, closing, the program settings, the working directory and the
// test picker.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

void TFormQuizloom::FormActivate() {
    LoadSettings();
    ResolveWorkDir();
    FillTestList();
    session_.selectFirstEntry();
    SelectTest();
}

// The question being edited is dropped and nothing is asked.
void TFormQuizloom::FormClose() {
    SaveSettings();
}
void TFormQuizloom::CancelBtnClick() {
    close();
}
void TFormQuizloom::N3Click() {
    close();
}

void TFormQuizloom::LoadSettings() {
    session_.loadSettings(settingsPath_.toStdString());
}
void TFormQuizloom::ResolveWorkDir() {
    session_.resolveWorkDir(QDir::currentPath().toStdString());
}
void TFormQuizloom::SaveSettings() {
    session_.saveSettings(settingsPath_.toStdString());
}

void TFormQuizloom::MenuChangeDirClick() {
    SwitchView(false);
    const std::optional<QString> chosen = dialogs_.openFile(
        this, QStringLiteral("Выберите любой файл в нужном Вам каталоге"),
        QStringLiteral("Файлы с тестами (*.ini)"), QString::fromStdString(session_.reportFolder()));
    if (!chosen)
        return;
    if (!settleUnsavedEdits())
        return;
    session_.changeWorkDir(QFileInfo(*chosen).absoluteFilePath().toStdString());
}

void TFormQuizloom::FillTestList() {
    session_.fillQuizList();
    render();
}

void TFormQuizloom::SelectTest() {
    session_.selectQuiz();
    render();
}

void TFormQuizloom::BoxSubjectChange() {
    QComboBox* box = ui->BoxSubject;
    const bool typed = box->lineEdit() && box->lineEdit()->isModified();
    const std::string text = box->currentText().toStdString();
    // Asked only when the pick would show a test, not at every letter typed.
    if (session_.resolvePick(text, box->currentIndex(), typed) && !settleUnsavedEdits()) {
        session_.restorePicker();
        return;
    }
    session_.pickQuiz(text, box->currentIndex(), typed);
}
