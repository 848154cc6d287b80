#pragma once
// A Dialogs implementation for tests: records every dialog the window asks
// for and answers from queues the test fills beforehand. A dialog asked for
// with an empty queue is a test failure (and gets the "cancel" answer).
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "gui/app/dialogs.h"

namespace quizloom::testing {

enum class DialogKind {
    Error,
    Message,
    Confirm,
    AskSave,
    Input,
    OpenFile,
    ChooseFile,
    ChooseOne,
    Exec,
    Progress
};

struct DialogCall {
    DialogKind kind;
    QString title;  // caption (Exec: the dialog's window title)
    QString text;   // message / prompt / filter (Exec: the dialog's objectName; Progress: the first text)
    QString detail; // input: initial text; open file: initial folder
};

class ScriptedDialogs : public Dialogs {
public:
    // --- Answers, taken front first ---
    std::deque<bool> confirmAnswers;
    std::deque<SaveChoice> saveAnswers;
    std::deque<std::optional<ChosenFile>> chooseFileAnswers; // nullopt = Cancel
    std::deque<std::optional<int>> chooseOneAnswers;         // nullopt = Отмена
    std::deque<std::optional<QString>> inputAnswers;         // nullopt = Cancel
    std::deque<std::optional<QString>> openFileAnswers;      // nullopt = Cancel
    // Called for every execDialog with the dialog, which is not shown
    // modally: the hook may inspect it and returns the dialog's result.
    // Without a hook the dialog is shown, processed once, closed and
    // QDialog::Rejected is returned.
    std::function<int(QDialog&)> execHook;
    // Progress dialogs run their work on a thread of its own, but each step
    // waits until this hook, called on the test's thread with the step's
    // text, has answered: false stops the work as "Прервать" does. So a
    // stop comes after exactly the step the test chooses, and the hook may
    // act on the window meanwhile. Without a hook the work runs to its end.
    std::function<bool(const QString&)> progressHook;
    // Every text the progress dialogs showed: the first, then each step's.
    std::vector<QString> progressTexts;

    // --- Record ---
    std::vector<DialogCall> calls;
    int count(DialogKind kind) const;
    // The last call of that kind; fails the test and returns an empty call when none.
    DialogCall last(DialogKind kind) const;
    // Texts of the error boxes shown, in order.
    std::vector<QString> errorTexts() const;
    void clear() { calls.clear(); }

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

} // namespace quizloom::testing
