#include "app/gui_dialogs.h"

#include <QDialog>

void QtDialogs::errorBox(QWidget*, const QString&, const QString&) {}
void QtDialogs::messageBox(QWidget*, const QString&, const QString&) {}
bool QtDialogs::confirm(QWidget*, const QString&, const QString&) { return false; }
std::optional<QString> QtDialogs::inputText(QWidget*, const QString&, const QString&, const QString&) { return std::nullopt; }
std::optional<QString> QtDialogs::openFile(QWidget*, const QString&, const QString&, const QString&) { return std::nullopt; }
int QtDialogs::execDialog(QDialog& dialog) { return dialog.exec(); }
