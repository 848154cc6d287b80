// What the entry point sets on the application: the icon from the theme's
// PNGs and the toolkit's texts in Russian whatever the locale.
#include "gui/app/application_setup.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace quizloom {
namespace {

class ApplicationSetup : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The user's locale must not matter.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        translated_ = setUpApplication(*qApp);
    }
    static bool translated_;
};
bool ApplicationSetup::translated_ = false;

TEST_F(ApplicationSetup, TheWindowIconHasEveryThemeSize) {
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_FALSE(QApplication::windowIcon().pixmap(QSize(256, 256)).isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), kApplicationId);
}

TEST_F(ApplicationSetup, TheToolkitsOwnTextsAreRussian) {
    ASSERT_TRUE(translated_) << "qt6-translations-l10n provides qtbase_ru";
    // Standard buttons of message boxes.
    QMessageBox box(QMessageBox::Question, "t", "x",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(QString(box.button(QMessageBox::Yes)->text()).remove('&').toStdString(), "Да");
    EXPECT_EQ(QString(box.button(QMessageBox::No)->text()).remove('&').toStdString(), "Нет");
    EXPECT_EQ(QString(box.button(QMessageBox::Cancel)->text()).remove('&').toStdString(), "Отмена");
    // A field's context menu.
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << QString(action->text()).remove('&');
    EXPECT_TRUE(entries.join('|').contains("Копировать")) << entries.join('|').toStdString();
}

} // namespace
} // namespace quizloom
