// Showing and saving the question, and creating a test through two input
// dialogs and, for a file that exists, a confirmation.
#include "core/quiz/new_quiz_file.h"
#include "core/quiz/quiz_name.h"
#include "gui/app/form_quizloom.h"

namespace {

const QString kDialogTitle = QStringLiteral("Введите");
const QString kConfirmCaption = QStringLiteral("Подтверждение");

// Asks with the remembered text as default; a confirmed text is remembered
// at once, whatever happens to the operation later.
std::optional<QString> askRemembered(Dialogs& dialogs, QWidget* parent, const QString& prompt,
                                     std::string& remembered) {
    std::optional<QString> answer =
        dialogs.inputText(parent, kDialogTitle, prompt, QString::fromStdString(remembered));
    if (answer)
        remembered = answer->toStdString();
    return answer;
}

} // namespace

void TFormQuizloom::ShowQuestion() {
    session_.showQuestion();
    render();
}

void TFormQuizloom::SaveQuestion() {
    session_.saveQuestion();
    render();
}

void TFormQuizloom::BtnSaveClick() {
    SaveQuestion();
}

void TFormQuizloom::MenuSaveClick() {
    SwitchView(false);
    SaveQuestion();
}

void TFormQuizloom::NewTestClick() {
    SwitchView(false);
    if (!askNewQuizNames(session_.rememberedQuizName(), nullptr, session_.rememberedFileName()))
        return;
    const std::string& name = session_.rememberedQuizName();
    const std::string path = session_.prepareNewQuizPath(session_.rememberedFileName());
    const bool replacing = quizloom::newquiz::fileExistsAt(path);
    if (!confirmReplace(path, replacing) || !settleUnsavedEdits())
        return;
    session_.createQuiz(path, name, replacing);
}

bool TFormQuizloom::askNewQuizNames(std::string& name, std::string* subject, std::string& fileName) {
    if (!askRemembered(dialogs_, this, QStringLiteral("Название теста:"), name))
        return false;
    if (!quizloom::quiz::isListableQuizName(name)) {
        const std::string_view refused = quizloom::quiz::kBadQuizName;
        dialogs_.messageBox(this, title_,
                            QString::fromUtf8(refused.data(), static_cast<qsizetype>(refused.size())));
        return false;
    }
    if (subject) {
        // The subject the source names, else the test name.
        if (subject->empty())
            *subject = name;
        if (!askRemembered(dialogs_, this, QStringLiteral("Дисциплина:"), *subject))
            return false;
    }
    if (!askRemembered(dialogs_, this, QStringLiteral("Имя файла:"), fileName))
        return false;
    if (fileName.empty()) {
        dialogs_.messageBox(this, title_, QStringLiteral("Ошибка ввода имени файла!"));
        return false;
    }
    return true;
}

bool TFormQuizloom::confirmReplace(const std::string& path, bool exists) {
    return !exists ||
           dialogs_.confirm(this, kConfirmCaption,
                            QStringLiteral("Переписать файл %1?").arg(QString::fromStdString(path)));
}
