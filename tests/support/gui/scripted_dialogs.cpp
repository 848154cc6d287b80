#include "support/gui/scripted_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <condition_variable>
#include <exception>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace quizloom::testing {

namespace {

// Moves the next answer into answer; a failure of the test when none is left.
template <class T> void takeFront(std::deque<T>& queue, T& answer, const char* what, const QString& title) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what << " dialog \"" << title.toStdString()
                      << "\": no answer scripted";
        return;
    }
    answer = std::move(queue.front());
    queue.pop_front();
}

} // namespace

int ScriptedDialogs::count(DialogKind kind) const {
    int n = 0;
    for (const DialogCall& call : calls)
        n += call.kind == kind;
    return n;
}

DialogCall ScriptedDialogs::last(DialogKind kind) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->kind == kind)
            return *it;
    ADD_FAILURE() << "no dialog of the kind asked for was shown";
    return DialogCall{kind, {}, {}, {}};
}

std::vector<QString> ScriptedDialogs::errorTexts() const {
    std::vector<QString> texts;
    for (const DialogCall& call : calls)
        if (call.kind == DialogKind::Error)
            texts.push_back(call.text);
    return texts;
}

void ScriptedDialogs::errorBox(QWidget*, const QString& title, const QString& text) {
    calls.push_back({DialogKind::Error, title, text, {}});
}

void ScriptedDialogs::messageBox(QWidget*, const QString& title, const QString& text) {
    calls.push_back({DialogKind::Message, title, text, {}});
}

bool ScriptedDialogs::confirm(QWidget*, const QString& caption, const QString& text) {
    calls.push_back({DialogKind::Confirm, caption, text, {}});
    bool answer = false;
    takeFront(confirmAnswers, answer, "confirmation", caption);
    return answer;
}

SaveChoice ScriptedDialogs::askSaveChanges(QWidget*, const QString& caption, const QString& text) {
    calls.push_back({DialogKind::AskSave, caption, text, {}});
    SaveChoice answer = SaveChoice::Cancel;
    takeFront(saveAnswers, answer, "save question", caption);
    return answer;
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const QString& title, const QString& prompt,
                                                  const QString& initial) {
    calls.push_back({DialogKind::Input, title, prompt, initial});
    std::optional<QString> answer;
    takeFront(inputAnswers, answer, "input", title);
    return answer;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& title, const QString& filter,
                                                 const QString& initialDir) {
    calls.push_back({DialogKind::OpenFile, title, filter, initialDir});
    std::optional<QString> answer;
    takeFront(openFileAnswers, answer, "file-open", title);
    return answer;
}

std::optional<ChosenFile> ScriptedDialogs::chooseFile(QWidget*, const QString& title,
                                                      const QStringList& filters, const QString& initialDir,
                                                      bool) {
    calls.push_back({DialogKind::ChooseFile, title, filters.join(";;"), initialDir});
    std::optional<ChosenFile> answer;
    takeFront(chooseFileAnswers, answer, "file", title);
    return answer;
}

std::optional<int> ScriptedDialogs::chooseOne(QWidget*, const QString& caption, const QString& text,
                                              const QStringList& choices) {
    calls.push_back({DialogKind::ChooseOne, caption, text, choices.join("|")});
    std::optional<int> answer;
    takeFront(chooseOneAnswers, answer, "choice", caption);
    return answer;
}

int ScriptedDialogs::execDialog(QDialog& dialog) {
    calls.push_back({DialogKind::Exec, dialog.windowTitle(), dialog.objectName(), {}});
    if (execHook)
        return execHook(dialog);
    dialog.show();
    QApplication::processEvents();
    dialog.reject();
    return QDialog::Rejected;
}

void ScriptedDialogs::runWithProgress(QWidget*, const QString& title, const QString& text,
                                      const ProgressWork& work, std::atomic_bool& stop) {
    calls.push_back({DialogKind::Progress, title, text, {}});
    progressTexts.push_back(text);
    // One step at a time handed from the worker to this thread and back.
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<QString> pending;
    bool goOn = true;
    bool done = false;
    std::exception_ptr failure;
    // A QThread, as the real dialog's worker is.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work([&](const QString& stepText) {
                std::unique_lock lock(mutex);
                pending = stepText;
                changed.notify_all();
                changed.wait(lock, [&] { return !pending; });
                return goOn;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        done = true;
        changed.notify_all();
    }));
    worker->start();
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [&] { return pending || done; });
        if (!pending)
            break;
        const QString stepText = *pending;
        lock.unlock();
        progressTexts.push_back(stepText);
        if (progressHook && !progressHook(stepText))
            stop = true;
        lock.lock();
        goOn = !stop;
        pending.reset();
        changed.notify_all();
    }
    lock.unlock();
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace quizloom::testing
