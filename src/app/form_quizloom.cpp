#include "app/form_quizloom.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>

#include "ui_form_quizloom.h"

TFormQuizloom::TFormQuizloom(QString settingsPath, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFormQuizloom>()), dialogs_(dialogs),
      settingsPath_(std::move(settingsPath)) {
    ui->setupUi(this);
}

TFormQuizloom::~TFormQuizloom() = default;

QString TFormQuizloom::applicationTitle(const QString& executablePath) {
    return QFileInfo(executablePath).fileName();
}

void TFormQuizloom::showError(const char* utf8Message) {
    dialogs_.errorBox(this, title_, QString::fromUtf8(utf8Message));
}

void TFormQuizloom::showEvent(QShowEvent* event) { QMainWindow::showEvent(event); }
void TFormQuizloom::changeEvent(QEvent* event) { QMainWindow::changeEvent(event); }
void TFormQuizloom::closeEvent(QCloseEvent* event) { QMainWindow::closeEvent(event); }
void TFormQuizloom::keyPressEvent(QKeyEvent* event) { QMainWindow::keyPressEvent(event); }
bool TFormQuizloom::eventFilter(QObject* watched, QEvent* event) {
    return QMainWindow::eventFilter(watched, event);
}
void TFormQuizloom::connectHandlers() {}
