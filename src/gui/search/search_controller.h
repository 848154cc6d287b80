#pragma once
// The search bar at the bottom of the overview panel: a text searched in
// the current or every test as it is typed (after a short pause), off the
// GUI thread, a new query stopping the one before; a result opens its test
// and question once unsaved edits are settled.
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <memory>

#include "core/search/quiz_search.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QWidget;
class OverviewController;
class TFormQuizloom;

class SearchController : public QObject {
    Q_OBJECT
public:
    SearchController(TFormQuizloom& window, OverviewController& overview);
    ~SearchController() override;

    // Brings the panel and the bar up with the focus in the text field.
    void open();
    void close();
    // The result's test and question, after unsaved edits are settled.
    void openResult(QListWidgetItem* item);

    QWidget* bar() const { return bar_; }
    QLineEdit* textField() const { return text_; }
    QListWidget* results() const { return results_; }
    QLabel* truncatedNote() const { return truncated_; }
    // The text whose results the list shows.
    const QString& shownText() const { return shownText_; }

private:
    void start();
    void show(const quizloom::search::SearchResult& result, unsigned query);

    TFormQuizloom& window_;
    OverviewController& overview_;
    QWidget* bar_;
    QLineEdit* text_;
    QComboBox* scope_;
    QCheckBox* matchCase_;
    QCheckBox* yoAsYe_;
    QListWidget* results_;
    QLabel* truncated_;
    QTimer* pause_;
    unsigned query_ = 0;
    QString queryText_;
    QString shownText_;
    quizloom::search::LatestSearch latest_;
    // Last: destroyed first, waiting for the search that runs.
    QThreadPool pool_;
};
