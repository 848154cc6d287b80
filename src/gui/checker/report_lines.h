#pragma once
// Report lines that open what they are about: a double-click or Enter on a
// line of a test's section opens that test, on a question's lines that
// question, and the editor view comes back. Other lines keep the report
// box's own behaviour.
#include <QObject>

class TFormQuizloom;

class ReportLines : public QObject {
    Q_OBJECT
public:
    explicit ReportLines(TFormQuizloom& window);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Opens what report line `line` (from 0) is about; false when it is
    // about nothing.
    bool open(int line);

private:
    TFormQuizloom& window_;
};
