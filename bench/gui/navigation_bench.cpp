// A navigation step in the real window on the largest legal test (25 x 99,
// every key filled): in edit mode "Номер вопроса +" (or "-" at the last
// question) saves the shown, edited question and shows the next one. The yardstick
// is one plain atomic rewrite of the same file; a step should cost no more
// than about one and a half of them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "core/ini/profile_replace.h"
#include "gui/app/form_quizloom.h"
#include "support/temp_dir.h"
#include "ui_form_quizloom.h"

namespace {

// No dialog is expected; any that comes is answered with Cancel.
class SilentDialogs final : public Dialogs {
public:
    void errorBox(QWidget*, const QString&, const QString& text) override {
        throw std::runtime_error("error box during the benchmark: " + text.toStdString());
    }
    void messageBox(QWidget*, const QString&, const QString&) override {}
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(QWidget*, const QString&, const QString&) override {
        return SaveChoice::Cancel;
    }
    std::optional<ChosenFile> chooseFile(QWidget*, const QString&, const QStringList&, const QString&,
                                         bool) override {
        return std::nullopt;
    }
    std::optional<int> chooseOne(QWidget*, const QString&, const QString&, const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int execDialog(QDialog&) override { return QDialog::Rejected; }
};

// A private folder that is the current directory while it lives, so the
// window's default working directory is its "Тесты" folder.
class Sandbox {
public:
    Sandbox() : previous_(QDir::currentPath()) {
        std::filesystem::create_directories(testsDir());
        QDir::setCurrent(QString::fromStdString(folder_.path()));
    }
    ~Sandbox() { QDir::setCurrent(previous_); }
    std::string testsDir() const { return folder_.file("Тесты"); }
    std::string settingsPath() const { return folder_.file("bench.INI"); }

private:
    quizloom::testing::TempDir folder_;
    QString previous_;
};

void BM_NavigationStepInEditMode(benchmark::State& state) {
    Sandbox sandbox;
    const std::string path = sandbox.testsDir() + "/largest.ini";
    quizloom::bench::writeLargestTest(path);
    SilentDialogs dialogs;
    TFormQuizloom window(QString::fromStdString(sandbox.settingsPath()), dialogs);
    window.show();
    QApplication::processEvents();
    Ui::TFormQuizloom& form = window.form();
    if (window.testCount() != 1 || form.EditMaxQue->text() != "99") {
        state.SkipWithError("the largest test was not opened");
        return;
    }
    form.RadioButtonEdit->click();
    long long step = 0;
    for (auto _ : state) {
        // An edited question, so that the save has something to write.
        form.EditQue->setText(form.EditQue->text() + QString::number(++step % 10));
        const bool last = form.EditNumQue->text() == "99";
        (last ? form.BtnMinusQ : form.BtnPlusQ)->click();
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    window.hide();
}
BENCHMARK(BM_NavigationStepInEditMode)->Unit(benchmark::kMicrosecond);

void BM_PlainAtomicRewrite(benchmark::State& state) {
    Sandbox sandbox;
    const std::string path = sandbox.testsDir() + "/largest.ini";
    quizloom::bench::writeLargestTest(path);
    const std::string bytes = quizloom::testing::readFileBytes(path);
    const std::array<std::string_view, 1> chunks{bytes};
    for (auto _ : state)
        if (!quizloom::profile::replaceFile(path, chunks))
            state.SkipWithError("rewrite failed");
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_PlainAtomicRewrite)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
