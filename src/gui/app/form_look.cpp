#include "gui/app/form_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>

#include "ui_form_quizloom.h"

namespace quizloom {

namespace {

struct StatusPanelLayout {
    const char* name;
    const char* text;
    int width; // 0: takes the rest of the bar
};
constexpr StatusPanelLayout kStatusPanels[] = {
    {"StatusPanel1", "Статус", 45},
    {"StatusPanel2", "Файл:", 42},
    {"StatusPanel3", "", 0}, // the file of the current test
};

// The form's font when the system has it; else the platform's general
// font at the form's size, so that the layout stays as designed.
QFont formFont(const QString& family, int pointSize) {
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QApplication::font();
    font.setPointSize(pointSize);
    return font;
}

int textWidth(const QWidget& widget, const QString& text) {
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    return widget.fontMetrics().horizontalAdvance(shown);
}

// The width a control needs to show its caption whole.
int neededWidth(const QWidget& widget) {
    if (auto* label = qobject_cast<const QLabel*>(&widget))
        return label->wordWrap() ? 0 : label->sizeHint().width();
    auto* button = qobject_cast<const QAbstractButton*>(&widget);
    if (!button || button->text().isEmpty())
        return 0;
    if (button->inherits("QPushButton")) {
        QStyle* style = widget.style();
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &widget) +
                           style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget);
        return textWidth(widget, button->text()) + 2 * margin;
    }
    return button->sizeHint().width(); // check and radio boxes: indicator, spacing, text
}

bool isFrame(const QWidget* widget) {
    return widget->inherits("QFrame") && !qobject_cast<const QLabel*>(widget);
}

bool inLayout(const QWidget& widget) {
    return widget.parentWidget() && widget.parentWidget()->layout() &&
           widget.parentWidget()->layout()->indexOf(&widget) >= 0;
}

// The width the form gives the control: a laid-out control's fixed width
// (0 when the layout sizes it to its caption), else its own.
int formWidth(const QWidget& widget) {
    if (!inLayout(widget))
        return widget.width();
    return widget.minimumWidth() == widget.maximumWidth() ? widget.maximumWidth() : 0;
}

// A caption a little too wide for the form's width (another font than
// the form's) is set a little tighter, so that the control keeps its place
// and size; more than a pixel less per letter would be hard to read.
void tightenToFit(QWidget& widget, int width) {
    constexpr qreal kStep = 0.1;
    constexpr qreal kMostPerLetter = 1.0;
    QFont font = widget.font();
    for (qreal tighter = kStep; neededWidth(widget) > width && tighter <= kMostPerLetter; tighter += kStep) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, -tighter);
        widget.setFont(font);
    }
}

// A widened control pushes the controls it now overlaps on its right.
void makeRoomRightOf(QWidget& widened) {
    QWidget* parent = widened.parentWidget();
    if (!parent)
        return;
    for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling == &widened || isFrame(sibling) || sibling->inherits("QGroupBox"))
            continue;
        if (sibling->x() > widened.x() && sibling->geometry().intersects(widened.geometry()))
            sibling->move(widened.geometry().right() + 1, sibling->y());
    }
}

// Every control whose caption does not fit its width is tightened, or
// widened when that is not enough (a laid-out one through its layout);
// fixed captions outside layouts take the width of their text, as labels
// that size themselves do.
void fitCaptions(QWidget& root, const QLabel* changingLabel) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const int width = formWidth(*widget);
        if (width > 0 && neededWidth(*widget) > width)
            tightenToFit(*widget, width);
        const int needed = neededWidth(*widget);
        if (inLayout(*widget)) {
            if (width > 0 && needed > width)
                widget->setFixedWidth(needed);
            continue;
        }
        const bool autoSized = qobject_cast<QLabel*>(widget) && widget != changingLabel && needed > 0;
        if (needed <= widget->width() && !autoSized)
            continue;
        const bool grows = needed > widget->width();
        widget->resize(needed, widget->height());
        if (grows)
            makeRoomRightOf(*widget);
    }
}

} // namespace

void applyFormLook(QMainWindow& window, Ui::TFormQuizloom& form) {
    window.setFont(formFont(QStringLiteral("MS Sans Serif"), 8));
    const QFont editorFont = formFont(QStringLiteral("Verdana"), 8);
    form.Panel1->setFont(editorFont);
    form.Panel2->setFont(editorFont);
    QFont labelQue = editorFont;
    labelQue.setItalic(true);
    form.LabelQue->setFont(labelQue);

    QFont reportFont = formFont(QStringLiteral("MS Sans Serif"), 8);
    reportFont.setPixelSize(12);
    form.Memo1->setFont(reportFont);
    QPalette report = form.Memo1->palette();
    report.setColor(QPalette::Base, Qt::black);
    report.setColor(QPalette::Text, Qt::white);
    form.Memo1->setPalette(report);

    form.StatusBar1->setFixedHeight(19);
    // The answers' layout places its rows from the box's top left corner,
    // as the form does, not below the title.
    form.GroupVar->setAttribute(Qt::WA_LayoutOnEntireRect);
    fitCaptions(window, form.LabelQue);
    // The form's size is the smallest the window takes, in either view.
    const QSize formSize(form.Panel1->minimumWidth(),
                         window.menuBar()->sizeHint().height() + form.Panel1->minimumHeight() +
                             form.Panel2->maximumHeight() + form.StatusBar1->height());
    window.setMinimumSize(formSize);
    window.resize(formSize);
}

std::array<QLabel*, 3> createStatusPanels(QStatusBar& bar) {
    std::array<QLabel*, 3> panels{};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const StatusPanelLayout& entry = kStatusPanels[i];
        auto* panel = new QLabel(QString::fromUtf8(entry.text), &bar);
        panel->setObjectName(QString::fromUtf8(entry.name));
        if (entry.width > 0)
            panel->setMinimumWidth(entry.width);
        bar.addWidget(panel, entry.width > 0 ? 0 : 1);
        panels[i] = panel;
    }
    return panels;
}

} // namespace quizloom
