#include "gui/quiz/new_quiz_dialogs.h"

#include "core/quiz/quiz_name.h"
#include "gui/app/application_setup.h"
#include "gui/app/form_quizloom.h"

namespace quizloom {

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

bool askNewQuizNames(Dialogs& dialogs, QWidget* parent, std::string& name, std::string* subject,
                     std::string& fileName) {
    const QString title = quizloom::applicationTitle();
    if (!askRemembered(dialogs, parent, QStringLiteral("Название теста:"), name))
        return false;
    if (!quiz::isListableQuizName(name)) {
        const std::string_view refused = quiz::kBadQuizName;
        dialogs.messageBox(parent, title,
                           QString::fromUtf8(refused.data(), static_cast<qsizetype>(refused.size())));
        return false;
    }
    if (subject) {
        // The subject the source names, else the test name.
        if (subject->empty())
            *subject = name;
        if (!askRemembered(dialogs, parent, QStringLiteral("Дисциплина:"), *subject))
            return false;
    }
    if (!askRemembered(dialogs, parent, QStringLiteral("Имя файла:"), fileName))
        return false;
    if (fileName.empty()) {
        dialogs.messageBox(parent, title, QStringLiteral("Ошибка ввода имени файла!"));
        return false;
    }
    return true;
}

bool confirmReplace(Dialogs& dialogs, QWidget* parent, const std::string& path, bool exists) {
    return !exists ||
           dialogs.confirm(parent, kConfirmCaption,
                           QStringLiteral("Переписать файл %1?").arg(QString::fromStdString(path)));
}

} // namespace quizloom
