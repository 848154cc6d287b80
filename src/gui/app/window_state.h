#pragma once
// Maximizing and restoring the main window. The request goes to the window
// manager; an X server without one ignores it, and the window then takes the
// screen's free area itself and gets its earlier place back on restore.
class QWidget;

void maximizeWindow(QWidget& window);
// Back to the normal state (a minimized or full-screen window too).
void restoreWindow(QWidget& window);
