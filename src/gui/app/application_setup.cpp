#include "gui/app/application_setup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace quizloom {

namespace {

// The sizes rendered into data/icons/hicolor (tools/make_icons.sh).
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon programIcon() {
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
                     QSize(size, size));
    return icon;
}

} // namespace

bool installToolkitTranslation(QCoreApplication& app) {
    auto* toolkitTexts = new QTranslator(&app);
    if (!toolkitTexts->load(QStringLiteral("qtbase_ru"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete toolkitTexts;
        return false;
    }
    QCoreApplication::installTranslator(toolkitTexts);
    return true;
}

bool setUpApplication(QApplication& app) {
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
    // Every text of the program is Russian; the toolkit's are made to match
    // instead of following the user's locale.
    return installToolkitTranslation(app);
}

QString applicationTitle() {
    return QStringLiteral("Quizloom");
}

} // namespace quizloom
