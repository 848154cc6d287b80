#include "gui/exchange/exchange_controller.h"

#include <QFile>
#include <QFileInfo>

#include "core/exchange/exchange_format.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/quiz/new_quiz_file.h"
#include "core/text/error.h"
#include "gui/app/application_setup.h"
#include "gui/app/form_quizloom.h"
#include "gui/quiz/new_quiz_dialogs.h"

namespace ex = quizloom::exchange;
using quizloom::editor::ExportScope;

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

void ExchangeController::exportQuizzes() {
    Dialogs& dialogs = window_.dialogs();
    const QString title = quizloom::applicationTitle();
    const std::optional<int> scope = dialogs.chooseOne(
        &window_, title, QStringLiteral("Экспортировать текущий тест или все тесты каталога?"),
        {QStringLiteral("Текущий тест"), QStringLiteral("Все тесты")});
    if (!scope)
        return;
    const auto chosen = dialogs.chooseFile(&window_, QStringLiteral("Экспорт"), formatFilters(),
                                           QString::fromStdString(window_.session().workDir()), true);
    if (!chosen)
        return;
    const ex::Format format = kFormats[chosen->filterIndex];
    const ex::ExportResult result =
        window_.session().exportQuizzes(*scope == 0 ? ExportScope::CurrentTest : ExportScope::EveryTest,
                                        format, withExtension(chosen->path, format));
    dialogs.messageBox(&window_, title, joined(ex::exportSummary(result)));
}

void ExchangeController::importQuiz() {
    Dialogs& dialogs = window_.dialogs();
    quizloom::editor::EditingSession& session = window_.session();
    const auto chosen = dialogs.chooseFile(&window_, QStringLiteral("Импорт"), formatFilters(),
                                           QString::fromStdString(session.workDir()), false);
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
    if (!quizloom::askNewQuizNames(dialogs, &window_, name, &subject, fileName))
        return;
    const std::string path = session.prepareNewQuizPath(fileName);
    const bool replacing = quizloom::newquiz::fileExistsAt(path);
    if (!quizloom::confirmReplace(dialogs, &window_, path, replacing) || !window_.settleUnsavedEdits())
        return;
    session.importQuiz(path, result, name, subject, replacing);
    window_.render();
    dialogs.messageBox(&window_, quizloom::applicationTitle(), joined(ex::importSummary(result)));
}

// Every malformed question named, then whether the others go in; with none
// left to import, the list is the error.
bool ExchangeController::importDespiteErrors(const ex::ImportResult& result) {
    const QString errors = joined(ex::malformedSummary(result));
    if (result.imported.empty())
        throw quizloom::Error(errors.toStdString() + "\nНет ни одного вопроса, который можно импортировать");
    return window_.dialogs().confirm(&window_, quizloom::applicationTitle(),
                                     errors + QStringLiteral("\n\nИмпортировать остальные %1 вопрос(ов)?")
                                                  .arg(static_cast<qsizetype>(result.imported.size())));
}
