#include "gui/app/settings_location.h"

#include <QStandardPaths>

#include "core/bank/settings.h"

QString settingsLocation(const QString& executablePath) {
    // An installed program cannot write beside itself; the per-user folder
    // is where this desktop keeps what a user's programs remember.
    const QString userConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QString::fromStdString(
        quizloom::chooseSettingsPath(executablePath.toStdString(), userConfig.toStdString()));
}
