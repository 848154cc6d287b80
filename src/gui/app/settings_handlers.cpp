#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "gui/app/form_quizloom.h"
#include "core/bank/settings.h"
#include "ui_form_quizloom.h"

namespace {

// The option items in the order of quizloom::kOptionFlags.
std::array<QAction*, quizloom::kOptionFlags.size()> optionItems(Ui::TFormQuizloom& form) {
    return {form.NBoolOneTest, form.NPrintStatMin, form.NSimple, form.NPsiTest};
}

} // namespace

void TFormQuizloom::LoadSettings() {
    const quizloom::ProgramSettings settings = quizloom::loadSettings(settingsPath_.toStdString());
    WorkDir = settings.workDir;
    const auto items = optionItems(*ui);
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->setChecked(settings.flags[i]);
}

void TFormQuizloom::ResolveWorkDir() {
    WorkDir = quizloom::resolveWorkDir(WorkDir, QDir::currentPath().toStdString());
}

void TFormQuizloom::SaveSettings() {
    quizloom::ProgramSettings settings;
    settings.workDir = WorkDir;
    const auto items = optionItems(*ui);
    for (std::size_t i = 0; i < items.size(); ++i) settings.flags[i] = items[i]->isChecked();
    quizloom::saveSettings(settingsPath_.toStdString(), settings);
}

void TFormQuizloom::MenuChangeDirClick() {
    SwitchView(false);
    const std::optional<QString> chosen = dialogs_.openFile(
        this, QStringLiteral("Выберите любой файл в нужном Вам каталоге"),
        QStringLiteral("Файлы с тестами (*.ini)"), QDir::currentPath());
    if (!chosen) return;
    const QFileInfo file(*chosen);
    // The dialog does not keep the current directory: the next one opens
    // in the folder chosen now.
    QDir::setCurrent(file.absolutePath());
    WorkDir = quizloom::directoryPart(file.absoluteFilePath().toStdString());
    FillTestList();
    SelectFirstTestEntry();
    SelectTest();
}
