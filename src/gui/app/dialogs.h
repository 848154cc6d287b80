#pragma once
// Every dialog the program shows goes through this interface, so that tests
// can answer them. QtDialogs is the real one.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

// The answer to "save the changes?": Да, Нет, or Отмена (also Escape and
// the close box).
enum class SaveChoice { Save, Discard, Cancel };

// A file chosen in a file dialog, and which of its filters was selected.
struct ChosenFile {
    QString path;
    int filterIndex = 0;
};

// Work that a progress dialog runs on a thread of its own. It calls step
// after each unit of work with the text to show; step returns false once
// the work is to stop, which it then does.
using ProgressStep = std::function<bool(const QString& text)>;
using ProgressWork = std::function<void(const ProgressStep& step)>;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Message box with the error icon and an OK button.
    virtual void errorBox(QWidget* parent, const QString& title, const QString& text) = 0;
    // Plain message box with an OK button.
    virtual void messageBox(QWidget* parent, const QString& title, const QString& text) = 0;
    // Question icon, "&Да" and "&Нет"; true only for "Да".
    virtual bool confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Question icon, "Да", "Нет" and "Отмена".
    virtual SaveChoice askSaveChanges(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Input dialog with one field of at most 255 characters, "OK" and
    // "Отмена"; nullopt on "Отмена", Escape or the close box.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                             const QString& initial) = 0;
    // File-open dialog; nullopt when cancelled. The path of the chosen file.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& initialDir) = 0;
    // File dialog over filters (one per entry) for opening an existing file
    // or naming one to save; nullopt when cancelled.
    virtual std::optional<ChosenFile> chooseFile(QWidget* parent, const QString& title,
                                                 const QStringList& filters, const QString& initialDir,
                                                 bool forSaving) = 0;
    // A question answered by one of choices (buttons) or Отмена: the index
    // of the choice, nullopt for Отмена, Escape or the close box.
    virtual std::optional<int> chooseOne(QWidget* parent, const QString& caption, const QString& text,
                                         const QStringList& choices) = 0;
    // Shows a modal dialog the program built (the About box); its result.
    virtual int execDialog(QDialog& dialog) = 0;
    // Runs work off the GUI thread under a modal dialog that shows text,
    // then the text of each step, and a "Прервать" button. That button,
    // Escape and the close box set stop; so may the program. The dialog
    // stays until work has returned, then this returns (rethrowing what
    // work threw).
    virtual void runWithProgress(QWidget* parent, const QString& title, const QString& text,
                                 const ProgressWork& work, std::atomic_bool& stop) = 0;
};

class QtDialogs final : public Dialogs {
public:
    // The program keeps no settings but its own file: the toolkit's file
    // dialog would store its folders and view in a user settings file, so
    // that file is sent where nothing can be written.
    QtDialogs();
    void errorBox(QWidget* parent, const QString& title, const QString& text) override;
    void messageBox(QWidget* parent, const QString& title, const QString& text) override;
    bool confirm(QWidget* parent, const QString& caption, const QString& text) override;
    SaveChoice askSaveChanges(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialDir) override;
    std::optional<ChosenFile> chooseFile(QWidget* parent, const QString& title, const QStringList& filters,
                                         const QString& initialDir, bool forSaving) override;
    std::optional<int> chooseOne(QWidget* parent, const QString& caption, const QString& text,
                                 const QStringList& choices) override;
    int execDialog(QDialog& dialog) override;
    void runWithProgress(QWidget* parent, const QString& title, const QString& text, const ProgressWork& work,
                         std::atomic_bool& stop) override;
};
