#pragma once
// Paper tests: the "Печать теста" dialog and what its buttons make (the
// preview, the printout, a PDF or an ODF text file) from the test file.
// Every dialog goes through the Dialogs interface; making the paper runs
// under its progress dialog, which can stop it.
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/print/paper_test.h"
#include "gui/app/dialogs.h"

class QWidget;
class PrintDialog;

class PrintController {
public:
    // Runs a button's action as one event handler: an error is shown and
    // the dialog stays.
    using Guard = std::function<void(const std::function<void()>&)>;

    PrintController(QWidget& window, Dialogs& dialogs, QString title, Guard guard);

    // What the paper is made of: the test file, the variant the editor
    // shows (for "текущий") and the folder file dialogs start in.
    struct Source {
        std::string quizPath;
        int currentVariant = 1;
        std::string workDir;
    };

    // Shows the dialog until it is closed. Its choices come from the
    // settings file and go back there (the shuffle key, drawn anew, never).
    void open(const Source& source, const std::string& settingsPath);

    // The actions of the dialog's buttons.
    void preview(const Source& source, const quizloom::print::PaperChoices& choices);
    void print(const Source& source, const quizloom::print::PaperChoices& choices);
    void savePdf(const Source& source, const quizloom::print::PaperChoices& choices);
    void saveOdt(const Source& source, const quizloom::print::PaperChoices& choices);

private:
    // Runs work (which reports each finished part to its step) under the
    // progress dialog; false when it was stopped.
    bool withProgress(int parts, const std::function<bool(const std::function<bool(const QString&)>&)>& work);
    // The file name to save into, the extension added when missing.
    std::optional<QString> chooseTarget(const Source& source, const QString& title, const QString& filter,
                                        const QString& extension);

    // The print dialog while it is shown, else the window: the parent of
    // the dialogs its buttons bring up.
    QWidget* parent() const;

    QWidget& window_;
    QWidget* dialog_ = nullptr;
    Dialogs& dialogs_;
    QString title_;
    Guard guard_;
};
