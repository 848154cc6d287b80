// The real dialogs, driven while they are shown.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "gui/app/dialogs.h"
#include "gui/editor/cp1251_validator.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

// Runs act on the modal dialog as soon as it is up.
void whenShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

TEST(QtDialogs, InputDialogFieldIsLimitedAndValidated) {
    QtDialogs dialogs;
    whenShown([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Новый тест");
        EXPECT_EQ(dialog->labelText().toStdString(), "Название теста");
        auto* field = dialog->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->maxLength(), 255);
        EXPECT_TRUE(qobject_cast<const Cp1251Validator*>(field->validator()));
        const auto buttons = dialog->findChildren<QPushButton*>();
        QStringList texts;
        for (QPushButton* b : buttons)
            texts << b->text();
        EXPECT_TRUE(texts.contains("OK"));
        EXPECT_TRUE(texts.contains("Отмена"));
        field->end(false); // the initial text comes selected
        typeText(field, "\t!");
        dialog->accept();
    });
    const auto answer = dialogs.inputText(nullptr, "Новый тест", "Название теста", "Тестирование");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->toStdString(), "Тестирование!");

    whenShown([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(dialogs.inputText(nullptr, "Новый тест", "Название теста", "x").has_value());
}

TEST(QtDialogs, ConfirmationReadsDaNetAndAnswersYesOnlyForDa) {
    QtDialogs dialogs;
    for (const QString& pressed : {QStringLiteral("Да"), QStringLiteral("Нет")}) {
        whenShown([pressed](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->windowTitle().toStdString(), "Подтверждение");
            QStringList shown; // as drawn: an access letter's "&" is not
            for (QAbstractButton* b : box->buttons())
                shown << QString(b->text()).remove('&');
            EXPECT_EQ(shown, (QStringList{"Да", "Нет"}));
            for (QAbstractButton* b : box->buttons())
                if (QString(b->text()).remove('&') == pressed)
                    b->click();
        });
        EXPECT_EQ(dialogs.confirm(nullptr, "Подтверждение", "Заменить?"), pressed == "Да");
    }
}

TEST(QtDialogs, ErrorBoxHasTheErrorIconAndOk) {
    QtDialogs dialogs;
    whenShown([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowTitle().toStdString(), "Quizloom");
        EXPECT_EQ(box->text().toStdString(), "Unable to write to /x.");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.errorBox(nullptr, "Quizloom", "Unable to write to /x.");
}

TEST(QtDialogs, FileDialogAcceptsANameThatDoesNotExistAndRemembersNothing) {
    TempDir dir;
    QtDialogs dialogs;
    whenShown([&dir](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.path());
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Файлы с тестами (*.ini)"});
        dialog->selectFile("any.ini");
        static_cast<QDialog*>(dialog)->accept(); // as the Open button does
    });
    const auto chosen =
        dialogs.openFile(nullptr, "Выберите", "Файлы с тестами (*.ini)", QString::fromStdString(dir.path()));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->toStdString(), dir.path() + "/any.ini");
    // The dialog's remembered folders go nowhere: no settings file of the
    // toolkit's is written in the user's home.
    EXPECT_FALSE(QSettings(QSettings::UserScope, "QtProject").isWritable());
}

} // namespace
} // namespace quizloom::testing
