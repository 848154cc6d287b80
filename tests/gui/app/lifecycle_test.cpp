// Start-up, the keys of the window, and the four ways of closing it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/ini/profile_file.h"
#include "core/text/error.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class Lifecycle : public GuiWindowTest {
protected:
    // Counts clicks of button from now on.
    std::function<int()> watchClicks(QPushButton* button) {
        auto count = std::make_shared<int>(0);
        QObject::connect(button, &QPushButton::clicked, button, [count] { ++*count; });
        return [count] { return *count; };
    }
};

TEST_F(Lifecycle, StartsInReadModeWithSavingDisabled) {
    open();
    EXPECT_TRUE(form().RadioButtonRead->isChecked());
    EXPECT_FALSE(form().BtnSave->isEnabled());
    EXPECT_FALSE(form().MenuSave->isEnabled());
    EXPECT_TRUE(window().editorShown());
    EXPECT_EQ(window().windowTitle().toStdString(), "Квизлум[*]"); // the marker shows only when modified
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(Lifecycle, ConstructorReadsNoFileAndStartUpRunsOnce) {
    writeSettings({{"", "NSimple", "1"}});
    window();
    EXPECT_TRUE(window().workDir().empty());
    EXPECT_FALSE(form().NSimple->isChecked()); // the form's mark until start-up
    open();
    EXPECT_TRUE(form().NSimple->isChecked());

    // Later activations (after a modal dialog, a hide and show) read nothing again.
    form().NSimple->setChecked(false);
    writeSettings({{"", "NSimple", "1"}, {"", "Рабочий каталог", temp.path() + "/"}});
    window().hide();
    window().show();
    window().activateWindow();
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&window(), &activation);
    processEvents();
    EXPECT_FALSE(form().NSimple->isChecked());
    EXPECT_EQ(window().workDir(), startDir() + "/");
}

TEST_F(Lifecycle, EnterPressesSaveOnlyWhenEnabledAndVisible) {
    open();
    auto saves = watchClicks(form().BtnSave);
    pressKey(form().EditQue, Qt::Key_Return);
    EXPECT_EQ(saves(), 0) << "read mode";

    form().RadioButtonEdit->setChecked(true);
    ASSERT_TRUE(form().BtnSave->isEnabled());
    pressKey(form().EditQue, Qt::Key_Return);
    pressKey(form().Edit3, Qt::Key_Enter, Qt::KeypadModifier);
    pressKey(form().CheckBox2, Qt::Key_Return);
    EXPECT_EQ(saves(), 3);

    window().SwitchView(true);
    pressKey(form().Memo1, Qt::Key_Return);
    pressKey(&window(), Qt::Key_Return);
    EXPECT_EQ(saves(), 3) << "report view hides the button";
}

TEST_F(Lifecycle, EnterInAComboBoxPressesSaveAndAddsNoEntry) {
    open();
    form().RadioButtonEdit->setChecked(true);
    auto saves = watchClicks(form().BtnSave);
    for (QComboBox* box : {form().EditType, form().BoxSubject}) {
        const int entries = box->count();
        box->lineEdit()->setText("новый текст");
        pressKey(box->lineEdit(), Qt::Key_Return);
        pressKey(box, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(box->count(), entries) << box->objectName().toStdString();
        EXPECT_EQ(box->currentText().toStdString(), "новый текст");
    }
    EXPECT_EQ(saves(), 4);
}

TEST_F(Lifecycle, EnterOnAButtonPressesThatButton) {
    open();
    form().RadioButtonEdit->setChecked(true);
    auto saves = watchClicks(form().BtnSave);
    auto minus = watchClicks(form().BtnMinusQ);
    pressKey(form().BtnMinusQ, Qt::Key_Return);
    EXPECT_EQ(minus(), 1);
    EXPECT_EQ(saves(), 0);
}

TEST_F(Lifecycle, EscapeClosesOnlyInTheEditorView) {
    open();
    window().SwitchView(true);
    pressKey(form().Memo1, Qt::Key_Escape);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(fileExists(settingsFile()));

    window().SwitchView(false);
    pressKey(form().BoxSubject->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(fileExists(settingsFile()));
    EXPECT_TRUE(dialogs.calls.empty());
}

// Every way of closing writes the settings once and asks nothing.
struct ClosePath {
    const char* name;
    std::function<void(GuiWindowFixture&)> close;
};

void PrintTo(const ClosePath& path, std::ostream* os) {
    *os << path.name;
}

class ClosePaths : public GuiWindowTest, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(ClosePaths, WriteTheSettingsOnce) {
    open();
    form().NBoolOneTest->setChecked(true);
    form().EditQue->setText("не сохранённый вопрос");
    GetParam().close(*this);
    processEvents();
    EXPECT_FALSE(window().isVisible());
    ProfileFile settings(settingsFile());
    EXPECT_EQ(settings.readString("Тест", "NBoolOneTest", ""), "1");
    EXPECT_TRUE(dialogs.calls.empty());

    std::filesystem::remove(settingsFile());
    window().close();
    processEvents();
    EXPECT_FALSE(fileExists(settingsFile())) << "closing runs once";
}

INSTANTIATE_TEST_SUITE_P(
    Window, ClosePaths,
    ::testing::Values(ClosePath{"ExitButton", [](GuiWindowFixture& f) { f.form().CancelBtn->click(); }},
                      ClosePath{"EscapeKey",
                                [](GuiWindowFixture& f) { pressKey(f.form().EditQue, Qt::Key_Escape); }},
                      ClosePath{"ExitMenuItem", [](GuiWindowFixture& f) { f.form().N3->trigger(); }},
                      ClosePath{"CloseBox", [](GuiWindowFixture& f) { f.window().close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lifecycle, UnwritableSettingsAreReportedAndTheWindowStillCloses) {
    // A settings file whose folder is a plain file cannot be written, even by root.
    writeFileBytes(temp.file("plain"), "x");
    dialogs.calls.clear();
    TFormQuizloom w(QString::fromStdString(temp.file("plain") + "/quizloom.INI"), dialogs);
    w.show();
    processEvents();
    w.close();
    processEvents();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(dialogs.count(DialogKind::Error), 1);
    EXPECT_EQ(dialogs.last(DialogKind::Error).text.toStdString(),
              "Unable to write to " + temp.file("plain") + "/quizloom.INI.");
}

TEST_F(Lifecycle, AnErrorEndsOnlyItsHandler) {
    open();
    bool after = false;
    window().guarded([&] {
        throw Error("'abc' is not a valid integer value");
        after = true;
    });
    window().guarded([] { throw Error("Ошибка."); });
    EXPECT_FALSE(after);
    ASSERT_EQ(dialogs.count(DialogKind::Error), 2);
    EXPECT_EQ(dialogs.calls[0].title.toStdString(), "Quizloom") << "whatever the executable is called";
    EXPECT_EQ(dialogs.calls[0].text.toStdString(), "'abc' is not a valid integer value.");
    EXPECT_EQ(dialogs.calls[1].text.toStdString(), "Ошибка.");
    EXPECT_TRUE(window().isVisible());
}

} // namespace
} // namespace quizloom::testing
