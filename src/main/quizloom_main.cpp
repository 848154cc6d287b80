// The editor's entry point: one main window, whose settings file follows
// the executable.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "core/text/error_text.h"
#include "gui/app/form_quizloom.h"
#include "core/bank/settings.h"

namespace {

void showFatal(const char* message) {
    const std::string text = quizloom::errorBoxText(message);
    if (qApp) {
        QtDialogs().errorBox(nullptr,
                             TFormQuizloom::applicationTitle(QCoreApplication::applicationFilePath()),
                             QString::fromStdString(text));
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QApplication> app;
    try {
        app = std::make_unique<QApplication>(argc, argv);
        QtDialogs dialogs;
        const std::string executable = QCoreApplication::applicationFilePath().toStdString();
        TFormQuizloom window(QString::fromStdString(quizloom::settingsPathFor(executable)),
                             dialogs);
        window.show();
        app->exec();
        return 0;
    } catch (const std::exception& e) {
        showFatal(e.what());
    } catch (...) {
        showFatal("Unknown error");
    }
    return 1;
}
