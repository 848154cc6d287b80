// Creating a test: two input dialogs, the file (after a backup of one it
// replaces), and the new test made current in edit mode.
#include <QComboBox>
#include <QRadioButton>

#include "gui/app/form_quizloom.h"
#include "core/bank/quiz_bank.h"
#include "core/quiz/new_quiz_file.h"
#include "core/quiz/quiz_format.h"
#include "ui_form_quizloom.h"

namespace {

const QString kDialogTitle = QStringLiteral("Введите");
const QString kTestNamePrompt = QStringLiteral("Название теста:");
const QString kFileNamePrompt = QStringLiteral("Имя файла:");
const QString kBadTestName = QStringLiteral("Ошибка ввода названия теста!");
const QString kBadFileName = QStringLiteral("Ошибка ввода имени файла!");
const QString kConfirmCaption = QStringLiteral("Confirm");

// Asks with the remembered text as default; a confirmed text is remembered
// at once, whatever happens to the operation later.
std::optional<QString> askRemembered(Dialogs& dialogs, QWidget* parent, const QString& prompt,
                                     QString& remembered) {
    std::optional<QString> answer = dialogs.inputText(parent, kDialogTitle, prompt, remembered);
    if (answer)
        remembered = *answer;
    return answer;
}

// "Error" is what the test list reads for a file without a name: a test of
// that name would vanish from the list at the next scan.
bool acceptableTestName(const QString& name) {
    return !name.isEmpty() && name.toStdString() != quizloom::quiz::kMissing;
}

// The box position of the test at newIndex, the last of the tables: among
// equal names it goes after the earlier ones, as a scan would list it.
int displayPosition(const std::vector<std::string>& names, std::size_t newIndex) {
    const std::vector<std::size_t> order = quizloom::subjectDisplayOrder(names);
    for (std::size_t position = 0; position < order.size(); ++position)
        if (order[position] == newIndex)
            return static_cast<int>(position);
    return static_cast<int>(order.size());
}

} // namespace

void TFormQuizloom::NewTestClick() {
    SwitchView(false);

    const std::optional<QString> testName =
        askRemembered(dialogs_, this, kTestNamePrompt, rememberedTestName_);
    if (!testName)
        return;
    if (!acceptableTestName(*testName)) {
        dialogs_.messageBox(this, title_, kBadTestName);
        return;
    }
    const std::optional<QString> fileName =
        askRemembered(dialogs_, this, kFileNamePrompt, rememberedFileName_);
    if (!fileName)
        return;
    if (fileName->isEmpty()) {
        dialogs_.messageBox(this, title_, kBadFileName);
        return;
    }

    namespace newtest = quizloom::newtest;
    const std::string name = testName->toStdString();
    const std::string path = newtest::testFilePath(WorkDir, fileName->toStdString());
    newtest::createFolder(WorkDir);
    if (newtest::fileExistsAt(path)) {
        const QString question = QStringLiteral("Переписать файл ") + QString::fromStdString(path) + "?";
        if (!dialogs_.confirm(this, kConfirmCaption, question))
            return;
        newtest::moveToBackup(path);
    }
    // The file is written and released before the list changes, so a write
    // that fails leaves the list, the box and the shown test as they were.
    newtest::writeNewTestFile(path, name);

    TestPaths.resize(static_cast<std::size_t>(TestCount));
    TestNames.resize(static_cast<std::size_t>(TestCount));
    TestPaths.push_back(path);
    TestNames.push_back(name);
    const int index = TestCount++;
    const int position = displayPosition(TestNames, static_cast<std::size_t>(index));
    ui->BoxSubject->insertItem(position, *testName, index);
    ui->BoxSubject->setCurrentIndex(position);
    ui->BoxSubject->setEditText(*testName);
    CurrentTest = index;

    ui->RadioButtonEdit->setChecked(true); // runs the mode handler when it was not checked
    ShowQuestion();
}
