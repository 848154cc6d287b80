#include "gui/checker/report_lines.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "gui/app/form_quizloom.h"
#include "ui_form_quizloom.h"

ReportLines::ReportLines(TFormQuizloom& window) : QObject(&window), window_(window) {
    QPlainTextEdit* report = window.form().Memo1;
    report->installEventFilter(this);
    report->viewport()->installEventFilter(this);
}

bool ReportLines::eventFilter(QObject* watched, QEvent* event) {
    QPlainTextEdit* report = window_.form().Memo1;
    if (event->type() == QEvent::KeyPress && watched == report) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier)
            return open(report->textCursor().blockNumber());
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == report->viewport()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        return open(report->cursorForPosition(at).blockNumber());
    }
    return QObject::eventFilter(watched, event);
}

bool ReportLines::open(int line) {
    if (line < 0)
        return false;
    quizloom::editor::EditingSession& session = window_.session();
    const std::optional<quizloom::editor::ReportTarget> target =
        session.reportLineTarget(static_cast<std::size_t>(line));
    if (!target)
        return false;
    window_.guarded([&] {
        if (window_.settleUnsavedEdits())
            session.openQuestion(target->path, target->question);
    });
    return true;
}
