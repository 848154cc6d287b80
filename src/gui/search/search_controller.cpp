#include "gui/search/search_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/app/form_quizloom.h"
#include "gui/editor/cp1251_validator.h"
#include "gui/overview/overview_controller.h"
#include "gui/search/result_delegate.h"

namespace se = quizloom::search;

namespace {

// The pause after the last key before the text is searched.
constexpr int kTypingPauseMs = 250;
constexpr int kPathRole = Qt::UserRole;
constexpr int kVariantRole = Qt::UserRole + 1;
constexpr int kQuestionRole = Qt::UserRole + 2;

// Scopes in the order of the scope box.
constexpr se::SearchScope kScopes[] = {se::SearchScope::CurrentTest, se::SearchScope::EveryTest};

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString prefix(const se::SearchHit& hit) {
    return QStringLiteral("%1 · вариант %2 · вопрос %3 · ")
        .arg(qs(hit.name))
        .arg(hit.variant)
        .arg(hit.question);
}

// The row with the match in bold; the offsets are bytes of the UTF-8 context.
QString rowHtml(const se::SearchHit& hit) {
    const std::string_view context = hit.context;
    const std::size_t start = std::min(hit.matchStart, context.size());
    const std::size_t length = std::min(hit.matchLength, context.size() - start);
    return prefix(hit).toHtmlEscaped() + qs(context.substr(0, start)).toHtmlEscaped() +
           QStringLiteral("<b>") + qs(context.substr(start, length)).toHtmlEscaped() +
           QStringLiteral("</b>") + qs(context.substr(start + length)).toHtmlEscaped();
}

} // namespace

SearchController::SearchController(TFormQuizloom& window, OverviewController& overview)
    : QObject(&window), window_(window), overview_(overview), bar_(new QWidget), text_(new QLineEdit),
      scope_(new QComboBox), matchCase_(new QCheckBox(QStringLiteral("Учитывать регистр"))),
      yoAsYe_(new QCheckBox(QStringLiteral("ё = е"))), results_(new QListWidget), truncated_(new QLabel),
      pause_(new QTimer(this)) {
    bar_->setObjectName(QStringLiteral("SearchBar"));
    text_->setObjectName(QStringLiteral("SearchText"));
    scope_->setObjectName(QStringLiteral("SearchScope"));
    matchCase_->setObjectName(QStringLiteral("SearchMatchCase"));
    yoAsYe_->setObjectName(QStringLiteral("SearchYoAsYe"));
    results_->setObjectName(QStringLiteral("SearchResults"));
    truncated_->setObjectName(QStringLiteral("SearchTruncated"));
    scope_->addItems({QStringLiteral("Текущий тест"), QStringLiteral("Все тесты каталога")});
    yoAsYe_->setChecked(true);
    text_->setClearButtonEnabled(true);
    // A text the files cannot hold would match nothing.
    quizloom::installCp1251Validator(text_);
    results_->setItemDelegate(new ResultDelegate(results_));
    results_->setUniformItemSizes(true);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    truncated_->setText(QStringLiteral("Показаны первые %1 совпадений").arg(se::kShownResultLimit));
    truncated_->hide();

    auto* layout = new QGridLayout(bar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_, 0, 0, 1, 2);
    layout->addWidget(scope_, 1, 0, 1, 2);
    layout->addWidget(matchCase_, 2, 0);
    layout->addWidget(yoAsYe_, 2, 1);
    layout->addWidget(results_, 3, 0, 1, 2);
    layout->addWidget(truncated_, 4, 0, 1, 2);
    overview_.column()->addWidget(bar_, 1);
    bar_->hide();

    pause_->setSingleShot(true);
    pause_->setInterval(kTypingPauseMs);
    connect(pause_, &QTimer::timeout, this, &SearchController::start);
    // The list is stale from the first key on.
    connect(text_, &QLineEdit::textChanged, this, [this] {
        shownText_.clear();
        pause_->start();
    });
    for (QCheckBox* box : {matchCase_, yoAsYe_})
        connect(box, &QCheckBox::toggled, this, &SearchController::start);
    connect(scope_, &QComboBox::currentIndexChanged, this, &SearchController::start);
    // Enter in the field goes on to the results, as the down arrow does.
    connect(text_, &QLineEdit::returnPressed, this, [this] {
        if (results_->count() == 0)
            return;
        results_->setFocus();
        results_->setCurrentRow(0);
    });
    auto* escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), bar_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &SearchController::close);
    connect(results_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { window_.guarded([&] { openResult(item); }); });
    // One query at a time here; the search itself runs on every core.
    pool_.setMaxThreadCount(1);
}

SearchController::~SearchController() {
    latest_.stop();
    pool_.waitForDone();
}

void SearchController::open() {
    overview_.setShown(true);
    window_.render();
    bar_->show();
    text_->setFocus();
    text_->selectAll();
}

void SearchController::close() {
    latest_.stop();
    pause_->stop();
    ++query_;
    bar_->hide();
    overview_.tree()->setFocus();
}

void SearchController::start() {
    pause_->stop();
    const unsigned query = ++query_;
    const std::stop_token stop = latest_.restart();
    results_->clear();
    truncated_->hide();
    queryText_ = text_->text();
    const std::string text = queryText_.toStdString();
    if (text.empty() || !bar_->isVisible()) {
        shownText_ = queryText_;
        return;
    }
    shownText_.clear();
    se::SearchOptions options;
    options.match = {matchCase_->isChecked(), yoAsYe_->isChecked()};
    options.stop = stop;
    std::vector<quizloom::QuizEntry> tests =
        se::testsInScope(window_.session().bank(), kScopes[scope_->currentIndex()]);
    pool_.start([this, tests = std::move(tests), text, options, query] {
        auto result = std::make_shared<se::SearchResult>();
        try {
            *result = se::searchQuizzes(tests, text, options);
        } catch (const std::exception&) {
            // A folder that changed under the search: what was found stays.
        }
        QMetaObject::invokeMethod(
            this, [this, result, query] { show(*result, query); }, Qt::QueuedConnection);
    });
}

void SearchController::show(const se::SearchResult& result, unsigned query) {
    if (query != query_)
        return;
    shownText_ = queryText_;
    results_->setUpdatesEnabled(false);
    for (const se::SearchHit& hit : result.hits) {
        auto* item = new QListWidgetItem(prefix(hit) + qs(hit.context));
        item->setData(ResultDelegate::kHtmlRole, rowHtml(hit));
        item->setData(kPathRole, QString::fromStdString(hit.path));
        item->setData(kVariantRole, hit.variant);
        item->setData(kQuestionRole, hit.question);
        results_->addItem(item);
    }
    results_->setUpdatesEnabled(true);
    truncated_->setVisible(result.truncated);
}

void SearchController::openResult(QListWidgetItem* item) {
    if (!window_.settleUnsavedEdits())
        return;
    window_.session().openQuestion(item->data(kPathRole).toString().toStdString(),
                                   quizloom::check::QuestionPosition{item->data(kVariantRole).toInt(),
                                                                     item->data(kQuestionRole).toInt()});
}
