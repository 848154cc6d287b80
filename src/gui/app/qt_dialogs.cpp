#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QThread>
#include <QVBoxLayout>
#include <exception>
#include <vector>

#include "gui/app/dialogs.h"
#include "gui/editor/cp1251_validator.h"

namespace {

constexpr int kInputMaxLength = 255;

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

// The dialog of runWithProgress. Asked to close, it only sets the stop
// flag: it goes away when the work has returned, so that the window stays
// blocked until then.
class ProgressDialog final : public QDialog {
public:
    ProgressDialog(QWidget* parent, const QString& title, const QString& text, std::atomic_bool& stop)
        : QDialog(parent), stop_(stop) {
        setWindowTitle(title);
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(text, this);
        label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
        layout->addWidget(label_);
        auto* buttons = new QDialogButtonBox(this);
        stopButton_ = buttons->addButton(QStringLiteral("Прервать"), QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        setFixedSize(sizeHint());
    }
    void setText(const QString& text) { label_->setText(text); }
    // "Прервать", Escape and the close box all come here.
    void reject() override {
        stop_ = true;
        stopButton_->setEnabled(false);
    }
    void finish() { QDialog::done(QDialog::Accepted); }

private:
    std::atomic_bool& stop_;
    QLabel* label_ = nullptr;
    QPushButton* stopButton_ = nullptr;
};

} // namespace

QtDialogs::QtDialogs() {
    // "/dev/null" is no folder, so no settings file can be made under it.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

void QtDialogs::errorBox(QWidget* parent, const QString& title, const QString& text) {
    showBox(parent, QMessageBox::Critical, title, text);
}

void QtDialogs::messageBox(QWidget* parent, const QString& title, const QString& text) {
    showBox(parent, QMessageBox::NoIcon, title, text);
}

bool QtDialogs::confirm(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

SaveChoice QtDialogs::askSaveChanges(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* discard = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    // The close box gives no button of ours: that is Отмена too.
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

std::optional<QString> QtDialogs::inputText(QWidget* parent, const QString& title, const QString& prompt,
                                            const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMaxLength(kInputMaxLength);
        quizloom::installCp1251Validator(field);
    }
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                                           const QString& initialDir) {
    QFileDialog dialog(parent, title, initialDir, filter);
    // The same dialog on every desktop, so that a name that does not
    // exist can be typed everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<ChosenFile> QtDialogs::chooseFile(QWidget* parent, const QString& title,
                                                const QStringList& filters, const QString& initialDir,
                                                bool forSaving) {
    QFileDialog dialog(parent, title, initialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenFile{dialog.selectedFiles().constFirst(),
                      static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<int> QtDialogs::chooseOne(QWidget* parent, const QString& caption, const QString& text,
                                        const QStringList& choices) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const QString& choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    return std::nullopt;
}

int QtDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

void QtDialogs::runWithProgress(QWidget* parent, const QString& title, const QString& text,
                                const ProgressWork& work, std::atomic_bool& stop) {
    ProgressDialog dialog(parent, title, text, stop);
    std::exception_ptr failure;
    // The worker only posts to the dialog; everything it shows is done on
    // this thread. Posts still queued when the dialog goes are dropped. It is
    // a QThread: rich text laid out there starts the layout's timers, which
    // only a thread Qt started can hold.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work([&](const QString& stepText) {
                QMetaObject::invokeMethod(
                    &dialog, [&dialog, stepText] { dialog.setText(stepText); }, Qt::QueuedConnection);
                return !stop.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.finish(); }, Qt::QueuedConnection);
    }));
    worker->start();
    // exec() ends early only when something else hides the dialog: the work
    // is then told to stop and waited for, one more step at most.
    if (dialog.exec() != QDialog::Accepted)
        stop = true;
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
}
