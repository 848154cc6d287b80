#include "gui/overview/overview_controller.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/overview/question_overview.h"
#include "core/text/int_conv.h"
#include "gui/app/form_quizloom.h"

namespace ov = quizloom::overview;
using quizloom::editor::Field;

namespace {

// The panel's width, added to the window's when the panel comes up.
constexpr int kPanelWidth = 300;
constexpr int kVariantRole = Qt::UserRole;
constexpr int kQuestionRole = Qt::UserRole + 1;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString lines(const std::vector<std::string>& texts) {
    QStringList joined;
    for (const std::string& text : texts)
        joined << qs(text);
    return joined.join(QLatin1Char('\n'));
}

QString variantText(const ov::VariantRow& variant) {
    QString text = qs(variant.label());
    if (variant.problemCount > 0)
        text += QStringLiteral(" (вопросов с ошибками: %1)").arg(variant.problemCount);
    return text;
}

QTreeWidgetItem* questionItem(const ov::QuestionRow& row, const QIcon& problemIcon, const QBrush& grey) {
    auto* item = new QTreeWidgetItem(QStringList{qs(row.label())});
    item->setData(0, kVariantRole, row.position.variant);
    item->setData(0, kQuestionRole, row.position.question);
    QString tip = lines(row.reportLines);
    if (row.state == ov::QuestionState::Problem)
        item->setIcon(0, problemIcon);
    if (row.state == ov::QuestionState::Empty)
        item->setForeground(0, grey);
    if (row.skippedByCheck) {
        QFont font = item->font(0);
        font.setItalic(true);
        item->setFont(0, font);
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) +
               QStringLiteral("Проверка структуры этот вопрос не проверяет");
    }
    item->setToolTip(0, tip);
    return item;
}

} // namespace

OverviewController::OverviewController(TFormQuizloom& window)
    : QObject(&window), window_(window), dock_(new QDockWidget(QStringLiteral("Обзор вопросов"), &window)),
      tree_(new QTreeWidget), column_(new QVBoxLayout) {
    dock_->setObjectName(QStringLiteral("OverviewDock"));
    // Shown and hidden from the menu only, always on the right.
    dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock_->setAllowedAreas(Qt::RightDockWidgetArea);
    dock_->setMinimumWidth(kPanelWidth);
    // The panel handles its own Enter and Escape.
    dock_->setProperty("quizloomOwnKeys", true);
    tree_->setObjectName(QStringLiteral("OverviewTree"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setUniformRowHeights(true);
    tree_->setTextElideMode(Qt::ElideRight);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tree_->header()->setSectionResizeMode(QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(true);
    auto* body = new QWidget;
    column_->setContentsMargins(2, 2, 2, 2);
    column_->addWidget(tree_);
    body->setLayout(column_);
    dock_->setWidget(body);
    dock_->hide();
    window.addDockWidget(Qt::RightDockWidgetArea, dock_);
    const auto open = [this](QTreeWidgetItem* item) { window_.guarded([&] { openRow(item); }); };
    connect(tree_, &QTreeWidget::itemClicked, this, open);
    connect(tree_, &QTreeWidget::itemActivated, this, open);
}

void OverviewController::setShown(bool shown) {
    window_.session().options().overviewShown = shown;
}

OverviewController::Key OverviewController::currentKey() const {
    const quizloom::editor::EditingSession& session = window_.session();
    return {session.contentGeneration(), session.bank().generation(), session.bank().current(),
            session.text(Field::MaxVar), session.text(Field::MaxQue)};
}

void OverviewController::render() {
    const bool shown = window_.session().options().overviewShown;
    placePanel(shown);
    if (!shown)
        return;
    if (!built_ || builtKey_ != currentKey())
        rebuild();
    selectShown();
}

// At its own size the window grows by the panel and shrinks back after it,
// so the editor keeps its geometry; maximised, the panel takes its room
// from the editor.
void OverviewController::placePanel(bool shown) {
    if (shown == panelShown_)
        return;
    panelShown_ = shown;
    const bool grow = !window_.isMaximized() && !window_.isFullScreen();
    const QSize size = window_.size();
    const int width =
        dock_->minimumWidth() + window_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    dock_->setVisible(shown);
    if (grow)
        window_.resize(size.width() + (shown ? width : -width), size.height());
}

void OverviewController::rebuild() {
    const ov::QuestionOverview overview = ov::buildOverview(window_.session());
    builtKey_ = currentKey();
    built_ = true;
    const QIcon problemIcon = tree_->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QBrush grey = tree_->palette().brush(QPalette::Disabled, QPalette::Text);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    rows_.assign(overview.variants.size() + 1, {});
    QList<QTreeWidgetItem*> top;
    if (!overview.path.empty()) {
        auto* header = new QTreeWidgetItem(QStringList{QStringLiteral("Заголовок")});
        header->setToolTip(0, lines(overview.headerProblems));
        if (!overview.headerProblems.empty())
            header->setIcon(0, problemIcon);
        top << header;
    }
    for (const ov::VariantRow& variant : overview.variants) {
        auto* item = new QTreeWidgetItem(QStringList{variantText(variant)});
        std::vector<QTreeWidgetItem*>& rows = rows_[static_cast<std::size_t>(variant.variant)];
        rows.assign(variant.questions.size() + 1, nullptr);
        QList<QTreeWidgetItem*> children;
        for (const ov::QuestionRow& row : variant.questions) {
            QTreeWidgetItem* child = questionItem(row, problemIcon, grey);
            rows[static_cast<std::size_t>(row.position.question)] = child;
            children << child;
        }
        item->addChildren(children);
        top << item;
    }
    tree_->addTopLevelItems(top);
    tree_->setUpdatesEnabled(true);
}

void OverviewController::selectShown() {
    const quizloom::editor::EditingSession& session = window_.session();
    const auto variant = static_cast<std::size_t>(quizloom::strToInt(session.text(Field::NumVar)));
    const auto question = static_cast<std::size_t>(quizloom::strToInt(session.text(Field::NumQue)));
    QTreeWidgetItem* item = nullptr;
    if (variant < rows_.size() && question < rows_[variant].size())
        item = rows_[variant][question];
    if (!item || tree_->currentItem() == item)
        return;
    const QSignalBlocker block(tree_);
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
}

void OverviewController::openRow(QTreeWidgetItem* item) {
    const int question = item->data(0, kQuestionRole).toInt();
    if (question == 0) {
        item->setExpanded(true);
        return;
    }
    quizloom::editor::EditingSession& session = window_.session();
    session.saveQuestion();
    session.openQuestion(session.bank().currentPath(),
                         quizloom::check::QuestionPosition{item->data(0, kVariantRole).toInt(), question});
}
