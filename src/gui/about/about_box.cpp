#include "gui/about/about_box.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QtMath>

#include "gui/about/about_pictures.h"
#include "gui/about/jpeg.h"

namespace {

// Author, contact and legal texts of this edition.
constexpr const char* kSiteLine = "www.quizloom.example";
constexpr const char* kMailLine = "info@quizloom.example";
constexpr const char* kAuthorLine = "Автор: группа разработчиков учебного центра тестирования знаний";
constexpr const char* kVersionLine = "2003–2005 гг., версия 1.2";
// The licence of the LICENSE file, in six lines.
constexpr const char* kLegalNotice = "© 2003–2026 Quizloom developers.\n"
                                     "Свободная программа по лицензии MIT:\n"
                                     "её можно использовать, копировать,\n"
                                     "изменять и распространять бесплатно,\n"
                                     "сохраняя это уведомление. Программа\n"
                                     "поставляется «как есть», без гарантий.";

QFont formFont(int pointSize = 8) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(pointSize);
    return font;
}

QLabel* centredLine(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

// Shown as links but not clickable, as in the form.
void lookLikeLink(QLabel* label) {
    QFont font = formFont();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
}

// The height the box needs to show all of its text at its width, whatever
// font stands in for the form's.
int heightForAllText(QTextEdit* box) {
    const int frame = box->frameWidth();
    const int bar =
        box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
            ? box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box->verticalScrollBar())
            : 0;
    QTextDocument* text = box->document();
    text->setTextWidth(box->width() - 2 * frame - bar);
    return qCeil(text->size().height()) + 2 * frame;
}

QLabel* pictureBox(QWidget* parent, const char* name, QRect geometry, const unsigned char* jpeg,
                   std::size_t size) {
    auto* box = new QLabel(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    // Unscaled from the top-left corner: a picture taller than its box loses
    // its bottom rows.
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setScaledContents(false);
    const QImage image = quizloom::decodeJpeg(jpeg, size);
    if (!image.isNull())
        box->setPixmap(QPixmap::fromImage(image));
    return box;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(formFont());
    setModal(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 257, 217);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setLineWidth(2);

    ProductName = centredLine(Panel1, "ProductName", "Программа", QRect(2, 2, 253, 16));
    ProductName->setWordWrap(true);
    QFont productFont = formFont();
    productFont.setPixelSize(13);
    ProductName->setFont(productFont);

    Image1 = pictureBox(Panel1, "Image1", QRect(16, 40, 105, 97), quizloom::about::kSheetJpeg,
                        sizeof quizloom::about::kSheetJpeg);
    Image2 = pictureBox(Panel1, "Image2", QRect(144, 40, 97, 97), quizloom::about::kLoomJpeg,
                        sizeof quizloom::about::kLoomJpeg);

    // Stacked against the bottom edge of the panel, top to bottom.
    Label3 = centredLine(Panel1, "Label3", kSiteLine, QRect(2, 147, 253, 14));
    Label2 = centredLine(Panel1, "Label2", kMailLine, QRect(2, 161, 253, 14));
    Label1 = centredLine(Panel1, "Label1", kAuthorLine, QRect(2, 175, 253, 26));
    Label1->setWordWrap(true);
    Label4 = centredLine(Panel1, "Label4", kVersionLine, QRect(2, 201, 253, 14));
    lookLikeLink(Label3);
    lookLikeLink(Label2);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 232, 257, 49);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(QString::fromUtf8(kLegalNotice));
    Memo1->selectAll();
    Memo1->setAlignment(Qt::AlignHCenter);
    Memo1->moveCursor(QTextCursor::Start);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo1->setPalette(memoPalette);

    // The form's box is three lines high for six; it grows, and the button
    // and the dialog with it, until every line shows.
    const int grow = qMax(0, heightForAllText(Memo1) - Memo1->height());
    Memo1->resize(Memo1->width(), Memo1->height() + grow);
    setFixedSize(270, 322 + grow);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(96, 292 + grow, 82, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(OKButton, Memo1);
    OKButton->setFocus();
}

void TAboutBox::FormActivate() {
    if (QWidget* owner = parentWidget())
        ProductName->setText(owner->window()->windowTitle().remove(QStringLiteral("[*]")));
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());
    // Offscreen and some window managers never activate a dialog; the product
    // line must be right all the same.
    FormActivate();
}

void TAboutBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}
