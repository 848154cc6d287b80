#include <QApplication>

#include "app/form_quizloom.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    TFormQuizloom window(QApplication::applicationFilePath() + ".INI", dialogs);
    window.show();
    return app.exec();
}
