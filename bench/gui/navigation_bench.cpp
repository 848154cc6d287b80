// A navigation step in the real window on the largest legal test (25 x 99,
// every key filled): in edit mode "Номер вопроса +" (or "-" at the last
// question) saves the shown, edited question and shows the next one. The yardstick
// is one plain atomic rewrite of the same file; a step should cost no more
// than 1.25 of them: the display after the save reads the file the save has
// already parsed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "bench_window.h"
#include "core/ini/profile_replace.h"
#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

namespace {

void BM_NavigationStepInEditMode(benchmark::State& state) {
    quizloom::bench::WindowSandbox sandbox;
    const std::string path = sandbox.testsDir() + "/largest.ini";
    quizloom::bench::writeLargestTest(path);
    quizloom::bench::BenchDialogs dialogs;
    TFormQuizloom window(sandbox.settingsPath(), dialogs);
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
    if (dialogs.shown != 0)
        state.SkipWithError("a dialog came up");
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    window.hide();
}
BENCHMARK(BM_NavigationStepInEditMode)->Unit(benchmark::kMicrosecond);

void BM_PlainAtomicRewrite(benchmark::State& state) {
    quizloom::bench::WindowSandbox sandbox;
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
