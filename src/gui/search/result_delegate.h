#pragma once
// Draws a search result row from its rich text (the match in bold), one
// line high; what does not fit is clipped.
#include <QStyledItemDelegate>

class ResultDelegate : public QStyledItemDelegate {
public:
    // The role that holds the row's HTML.
    static constexpr int kHtmlRole = Qt::UserRole + 10;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
