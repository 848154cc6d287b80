#pragma once
// Paper tests: the "Печать теста" dialog and what its buttons make (the
// preview, the printout, a PDF or an ODF text file) from the test file.
// Every dialog goes through the Dialogs interface; making the paper runs
// under its progress dialog, which can stop it.
#include <QString>
#include <functional>
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
    // The save dialog of a kind of file, the extension added to a name
    // without one; write makes the file from the paper under the progress
    // dialog (false when stopped).
    struct FileKind {
        const char* title;
        const char* filter;
        const char* extension;
    };
    using FileWriter =
        std::function<bool(const quizloom::print::PaperTest&, const quizloom::print::PaperChoices&,
                           const QString& target, const std::function<bool(const QString&)>& step)>;
    void saveFile(const Source& source, const quizloom::print::PaperChoices& choices, const FileKind& kind,
                  const FileWriter& write);
    // The print dialog while it is shown, else the window: the parent of
    // the dialogs its buttons bring up.
    QWidget* parent() const;

    QWidget& window_;
    QWidget* dialog_ = nullptr;
    Dialogs& dialogs_;
    QString title_;
    Guard guard_;
};
