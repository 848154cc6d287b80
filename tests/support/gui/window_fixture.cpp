#include "support/gui/window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

#include "core/text/cp1251.h"
#include "support/ini_doc.h"

namespace quizloom::testing {

std::string iniBytes(const std::vector<IniEntry>& entries) {
    IniDoc doc;
    for (const IniEntry& e : entries)
        doc.set(e.section, e.key, e.value);
    return doc.bytes();
}

std::string readFileUtf8(const std::string& path) {
    return cp1251ToUtf8(readFileBytes(path));
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void typeText(QWidget* target, const QString& text) {
    for (QChar ch : text)
        pressKey(target, Qt::Key_unknown, Qt::NoModifier, QString(ch));
}

void processEvents() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

GuiWindowFixture::GuiWindowFixture() : startDir_(temp.file("start")) {
    std::filesystem::create_directories(startDir_);
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(startDir_));
}

GuiWindowFixture::~GuiWindowFixture() {
    window_.reset();
    processEvents();
    QDir::setCurrent(previousDir_);
}

std::string GuiWindowFixture::testsDir() {
    std::string dir = startDir_ + "/Тесты";
    std::filesystem::create_directories(dir);
    return dir;
}

QString GuiWindowFixture::settingsPath() const {
    return QString::fromStdString(temp.file("quizloom.INI"));
}

std::string GuiWindowFixture::writeIni(const std::string& path, const std::vector<IniEntry>& entries) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writeFileBytes(path, iniBytes(entries));
    return path;
}

void GuiWindowFixture::writeSettings(const std::vector<IniEntry>& entriesOfSectionTest) {
    std::vector<IniEntry> entries = entriesOfSectionTest;
    for (IniEntry& e : entries)
        e.section = "Тест";
    writeIni(settingsFile(), entries);
}

TFormQuizloom& GuiWindowFixture::window() {
    if (!window_)
        window_ = std::make_unique<TFormQuizloom>(settingsPath(), dialogs);
    return *window_;
}

TFormQuizloom& GuiWindowFixture::open() {
    TFormQuizloom& w = window();
    w.show();
    processEvents();
    return w;
}

void GuiWindowFixture::close() {
    window().close();
    processEvents();
}

} // namespace quizloom::testing
