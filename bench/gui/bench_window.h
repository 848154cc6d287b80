#pragma once
// The real main window in a private folder, for the GUI benchmarks.
#include <QDialog>
#include <QDir>
#include <QString>
#include <filesystem>
#include <string>

#include "gui/app/dialogs.h"
#include "support/temp_dir.h"

namespace quizloom::bench {

// No dialog is expected in a benchmark but the check run's progress, which
// is the real one, since its thread and event loop are part of what is
// measured. Any other is counted and answered with Cancel.
class BenchDialogs final : public Dialogs {
public:
    int shown = 0;
    void errorBox(QWidget*, const QString&, const QString&) override { ++shown; }
    void messageBox(QWidget*, const QString&, const QString&) override { ++shown; }
    bool confirm(QWidget*, const QString&, const QString&) override { return ++shown, false; }
    SaveChoice askSaveChanges(QWidget*, const QString&, const QString&) override {
        ++shown;
        return SaveChoice::Cancel;
    }
    std::optional<ChosenFile> chooseFile(QWidget*, const QString&, const QStringList&, const QString&,
                                         bool) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<int> chooseOne(QWidget*, const QString&, const QString&, const QStringList&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return std::nullopt;
    }
    int execDialog(QDialog&) override { return ++shown, QDialog::Rejected; }
    void runWithProgress(QWidget* parent, const QString& title, const QString& text, const ProgressWork& work,
                         std::atomic_bool& stop) override {
        real_.runWithProgress(parent, title, text, work, stop);
    }

private:
    QtDialogs real_;
};

// A private folder, the current directory while it lives (the report file
// is written there), with a "Тесты" folder, which the window takes as its
// working directory, and the window's settings file.
class WindowSandbox {
public:
    WindowSandbox() : previous_(QDir::currentPath()) {
        std::filesystem::create_directories(testsDir());
        QDir::setCurrent(QString::fromStdString(folder_.path()));
    }
    ~WindowSandbox() { QDir::setCurrent(previous_); }
    WindowSandbox(const WindowSandbox&) = delete;
    WindowSandbox& operator=(const WindowSandbox&) = delete;
    const std::string& folder() const { return folder_.path(); }
    std::string testsDir() const { return folder_.file("Тесты"); }
    QString settingsPath() const { return QString::fromStdString(folder_.file("bench.INI")); }

private:
    quizloom::testing::TempDir folder_;
    QString previous_;
};

// The child process of the peak-memory benchmark: opens the window on the
// folder's "Тесты", runs the check, takes a navigation step, and prints its
// peak resident size in KiB. Returns the exit status.
int windowPeakChild(const std::string& folder);
inline constexpr const char* kWindowPeakChildOption = "--window-peak-child";

} // namespace quizloom::bench
