#pragma once
// The main window in a sandbox: a private temporary folder holding the
// settings file and the start folder, which is the process's current
// directory while the fixture lives. Nothing outside the folder is touched.
//
//   quizloom::testing::GuiWindowFixture fx;   // or derive a test from GuiWindowTest
//   fx.writeIni(fx.testsDir() + "/a.ini", {{"Тест", "Название теста", "A"}});
//   fx.open();                                // shown, first activation done
//   fx.form().EditNumVar->setText("2");
#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/app/form_quizloom.h"
#include "support/gui/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui_form_quizloom.h"

class QWidget;

namespace quizloom::testing {

// One key of a profile file, all texts UTF-8.
struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};

// The bytes of a profile file holding entries in the given order (sections
// in the order they first appear; a key given twice keeps its last value),
// Windows-1251 with CR LF line ends.
std::string iniBytes(const std::vector<IniEntry>& entries);
// Whole file converted from Windows-1251 to UTF-8.
std::string readFileUtf8(const std::string& path);
bool fileExists(const std::string& path);

// Key events sent through the application, so that event filters see them
// as they see real ones. text is what the key types (empty for keys that
// type nothing).
void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {});
// Types text into target one character at a time, as the keyboard would.
void typeText(QWidget* target, const QString& text);
void processEvents();

class GuiWindowFixture {
public:
    GuiWindowFixture();  // makes the folders and enters startDir()
    ~GuiWindowFixture(); // destroys the window (without closing it) and leaves the folder
    GuiWindowFixture(const GuiWindowFixture&) = delete;
    GuiWindowFixture& operator=(const GuiWindowFixture&) = delete;

    TempDir temp;
    ScriptedDialogs dialogs;

    // The process's current directory during the test (exists, empty at start).
    const std::string& startDir() const { return startDir_; }
    // startDir() + "/Тесты", created on first call: the default working directory.
    std::string testsDir();
    // The settings file the window reads and writes (in temp, not in startDir).
    QString settingsPath() const;
    std::string settingsFile() const { return settingsPath().toStdString(); }

    // Writes a profile file (folders created as needed); returns path.
    std::string writeIni(const std::string& path, const std::vector<IniEntry>& entries);
    void writeSettings(const std::vector<IniEntry>& entriesOfSectionTest);

    // The window, created on first use; not shown.
    TFormQuizloom& window();
    Ui::TFormQuizloom& form() { return window().form(); }
    bool hasWindow() const { return window_ != nullptr; }
    // Creates the window if needed, shows it and processes events until its
    // first activation (the start-up sequence) has run.
    TFormQuizloom& open();
    // Closes the window the way the close box does and processes events.
    void close();

    // Child of the window by objectName; fails the test when missing.
    template <class T = QWidget> T* find(const char* objectName) {
        T* found = window().findChild<T*>(QString::fromUtf8(objectName));
        if (!found)
            ADD_FAILURE() << "no child named " << objectName;
        return found;
    }

private:
    std::string startDir_;
    QString previousDir_;
    std::unique_ptr<TFormQuizloom> window_;
};

// A gtest fixture around GuiWindowFixture.
class GuiWindowTest : public ::testing::Test, public GuiWindowFixture {};

} // namespace quizloom::testing
