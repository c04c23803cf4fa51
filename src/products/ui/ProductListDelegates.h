#pragma once

#include <QStyledItemDelegate>
#include <functional>

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

// A column whose text the grid's model gives only for the current row (a looked-up or a
// calculated field): every row's text comes from `text(row)`.
class RowTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    RowTextDelegate(std::function<QString(int row)> text, QObject* parent)
        : QStyledItemDelegate(parent), text_(std::move(text)) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    std::function<QString(int)> text_;
};
