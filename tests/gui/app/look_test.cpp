// The window as the form lays it out: size, fonts, readable captions.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

using WindowLook = GuiWindowTest;

TEST_F(WindowLook, ClientAreaIsTheFormsSize) {
    TFormQuizloom& w = open();
    EXPECT_EQ(w.width(), 684);
    EXPECT_EQ(w.height() - w.menuBar()->height(), 457);
    EXPECT_EQ(form().Panel2->height(), 40);
}

TEST_F(WindowLook, NoCaptionIsClipped) {
    open();
    for (QLabel* label : window().findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap())
            continue;
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->objectName().toStdString();
        EXPECT_LE(label->fontMetrics().height(), label->height()) << label->objectName().toStdString();
    }
    for (QAbstractButton* button : window().findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        // A push button's own minimum width is not its caption's.
        QStyle* style = button->style();
        const int pushMargin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                               style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        const int needed = button->inherits("QPushButton")
                               ? button->fontMetrics().horizontalAdvance(button->text()) + 2 * pushMargin
                               : button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
        EXPECT_LE(button->fontMetrics().height(), button->height()) << button->objectName().toStdString();
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(window().statusPanel(i)->fontMetrics().height(), window().statusPanel(i)->height());
    QLabel* wrapped = form().Label15;
    EXPECT_LE(wrapped->heightForWidth(wrapped->width()), wrapped->height());
}

// Widened captions must not run into their neighbours or out of their panel.
TEST_F(WindowLook, ControlsDoNotOverlap) {
    open();
    auto isControl = [](QWidget* w) {
        return !w->isWindow() && (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                  qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w));
    };
    const std::vector<QWidget*> parents{form().Panel1, form().Panel2, form().Panel3, form().GroupVar};
    for (QWidget* parent : parents) {
        const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* a : children) {
            for (QWidget* b : children) {
                if (!isControl(a))
                    continue;
                if (a == b) {
                    EXPECT_TRUE(parent->rect().contains(a->geometry())) << a->objectName().toStdString();
                }
                if (a >= b || !isControl(b))
                    continue;
                // The form's own radio buttons touch by one pixel.
                const QRect overlap = a->geometry().intersected(b->geometry());
                if (overlap.width() == 1 && qobject_cast<QRadioButton*>(a) && qobject_cast<QRadioButton*>(b))
                    continue;
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
    }
}

} // namespace
} // namespace quizloom::testing
