#pragma once
// The About dialog: the program's name, two pictures, author and contact
// lines and a legal notice. It is built for one showing and reads nothing
// but the caption of the window that owns it.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // owner: the main window, whose caption becomes the product line.
    explicit TAboutBox(QWidget* owner);

    QFrame* Panel1;
    QLabel* ProductName;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Label3; // web site
    QLabel* Label2; // e-mail
    QLabel* Label1; // author
    QLabel* Label4; // years and version
    QTextEdit* Memo1;
    QPushButton* OKButton;

    // Puts the owner's caption into the product line.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
};
