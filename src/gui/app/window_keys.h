#pragma once
// The main window's keys that act from whichever control has the focus:
// Escape presses "Выход", Enter presses "Сохранить" (or the focused
// button), and in the report view Page Up/Down page the report. Installed
// as an application event filter, so it sees a key before the control does.
#include <QObject>

class QMainWindow;
class QWidget;
namespace Ui {
class TFormQuizloom;
}

class WindowKeys : public QObject {
    Q_OBJECT
public:
    WindowKeys(QMainWindow& window, Ui::TFormQuizloom& ui);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was used.
    bool handleDialogKey(QWidget* target, int key);

    QMainWindow& window_;
    Ui::TFormQuizloom& ui_;
};
