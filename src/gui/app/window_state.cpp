#include "gui/app/window_state.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kPlaceBeforeMaximize[] = "quizloomPlaceBeforeMaximize";

// Only a window manager frames a window on X; an unframed X window has
// nobody to act on state requests.
bool withoutWindowManager(const QWidget& window) {
    return QGuiApplication::platformName() == QLatin1String("xcb") && window.isVisible() &&
           window.frameGeometry() == window.geometry();
}

} // namespace

void maximizeWindow(QWidget& window) {
    if (window.isMaximized())
        return;
    const bool unmanaged = withoutWindowManager(window);
    const QRect place = window.geometry();
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (unmanaged && window.screen()) {
        window.setProperty(kPlaceBeforeMaximize, place);
        window.setGeometry(window.screen()->availableGeometry());
    }
}

void restoreWindow(QWidget& window) {
    window.setWindowState(window.windowState() &
                          ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QVariant place = window.property(kPlaceBeforeMaximize);
    if (place.isValid()) {
        window.setProperty(kPlaceBeforeMaximize, QVariant());
        window.setGeometry(place.toRect());
    }
}
