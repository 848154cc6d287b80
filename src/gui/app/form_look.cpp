#include "gui/app/form_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
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

// Fixed captions take the width of their text, as labels that size
// themselves do; every control whose caption does not fit is widened.
void fitCaptions(QWidget& root, const QLabel* changingLabel) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const int needed = neededWidth(*widget);
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
    window.resize(684, window.menuBar()->sizeHint().height() + form.Panel1->minimumHeight() +
                           form.Panel2->maximumHeight() + form.StatusBar1->height());
    fitCaptions(window, form.LabelQue);
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
