// Export of the current or every test to a learning platform's format, and
// import of such a document into a new test file.
#include <QFile>
#include <QFileInfo>

#include "core/exchange/exchange_format.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/ini/profile_replace.h"
#include "core/quiz/new_quiz_file.h"
#include "core/text/error.h"
#include "gui/app/form_quizloom.h"

namespace ex = quizloom::exchange;

namespace {

constexpr ex::Format kFormats[] = {ex::Format::MoodleXml, ex::Format::Gift, ex::Format::Aiken};

QStringList formatFilters() {
    QStringList filters;
    for (ex::Format format : kFormats)
        filters << QString::fromUtf8(ex::fileDialogFilter(format).data(),
                                     static_cast<qsizetype>(ex::fileDialogFilter(format).size()));
    return filters;
}

QString joined(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines)
        texts << QString::fromStdString(line);
    return texts.join(QLatin1Char('\n'));
}

// The chosen path with the format's extension when the name has none.
std::string withExtension(const QString& path, ex::Format format) {
    std::string chosen = path.toStdString();
    if (QFileInfo(path).suffix().isEmpty())
        chosen += ex::fileExtension(format);
    return chosen;
}

} // namespace

void TFormQuizloom::MenuExportClick() {
    SwitchView(false);
    const std::optional<int> scope = dialogs_.chooseOne(
        this, title_, QStringLiteral("Экспортировать текущий тест или все тесты каталога?"),
        {QStringLiteral("Текущий тест"), QStringLiteral("Все тесты")});
    if (!scope)
        return;
    const std::vector<std::string> paths =
        *scope == 0 ? std::vector{session_.bank().currentPath()} : session_.bank().paths();
    const auto chosen = dialogs_.chooseFile(this, QStringLiteral("Экспорт"), formatFilters(),
                                            QString::fromStdString(session_.workDir()), true);
    if (!chosen)
        return;
    const ex::Format format = kFormats[chosen->filterIndex];
    const ex::ExportResult result = ex::exportQuizzes(paths, format);
    if (result.written()) {
        const std::string target = withExtension(chosen->path, format);
        const std::string_view chunks[] = {result.text};
        if (!quizloom::profile::replaceFile(target, chunks))
            throw quizloom::Error("Unable to write to " + target);
    }
    dialogs_.messageBox(this, title_, joined(ex::exportSummary(result)));
}

void TFormQuizloom::MenuImportClick() {
    SwitchView(false);
    const auto chosen = dialogs_.chooseFile(this, QStringLiteral("Импорт"), formatFilters(),
                                            QString::fromStdString(session_.workDir()), false);
    if (!chosen)
        return;
    QFile input(chosen->path);
    if (!input.open(QIODevice::ReadOnly))
        throw quizloom::Error("Не удаётся открыть файл " + chosen->path.toStdString());
    const QByteArray bytes = input.readAll();
    const ex::ImportResult result =
        ex::importQuiz(std::string_view(bytes.constData(), bytes.size()), kFormats[chosen->filterIndex],
                       QFileInfo(chosen->path).fileName().toStdString());
    if (!result.malformed.empty() && !importDespiteErrors(result))
        return;
    std::string name = result.suggestedName;
    std::string subject = result.subject.value_or("");
    std::string fileName = QFileInfo(chosen->path).completeBaseName().toStdString();
    if (!askNewQuizNames(name, &subject, fileName))
        return;
    const std::string path = session_.prepareNewQuizPath(fileName);
    const bool replacing = quizloom::newquiz::fileExistsAt(path);
    if (!confirmReplace(path, replacing) || !settleUnsavedEdits())
        return;
    ex::writeImportedQuiz(path, result, name, subject,
                          replacing ? ex::ExistingFile::Backup : ex::ExistingFile::Refuse);
    session_.adoptQuiz(path, name, replacing);
    session_.setText(quizloom::editor::Field::NumVar, "1");
    session_.setText(quizloom::editor::Field::NumQue, "1");
    session_.showQuestion();
    render();
    dialogs_.messageBox(this, title_, joined(ex::importSummary(result)));
}

// Every malformed question named, then whether the others go in; with none
// left to import, the list is the error.
bool TFormQuizloom::importDespiteErrors(const ex::ImportResult& result) {
    const QString errors = joined(ex::malformedSummary(result));
    if (result.imported.empty())
        throw quizloom::Error(errors.toStdString() + "\nНет ни одного вопроса, который можно импортировать");
    return dialogs_.confirm(this, title_,
                            errors + QStringLiteral("\n\nИмпортировать остальные %1 вопрос(ов)?")
                                         .arg(static_cast<qsizetype>(result.imported.size())));
}
