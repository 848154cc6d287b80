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

enum class DialogKind { Error, Message, Confirm, AskSave, Input, OpenFile, ChooseFile, ChooseOne, Exec };

struct DialogCall {
    DialogKind kind;
    QString title;  // caption (Exec: the dialog's window title)
    QString text;   // message / prompt / filter (Exec: the dialog's objectName)
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
};

} // namespace quizloom::testing
