#pragma once

#include <QStyledItemDelegate>

// The product list's favourite column: white, with a green filled circle where
// `user_favorite` is 1 and nothing else.
class FavouriteDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Whether a cell's text marks a favourite.
    static bool IsFavourite(const QString& text);
};
