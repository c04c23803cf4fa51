#include "products/ui/ProductListDelegates.h"

#include <QPainter>

bool FavouriteDelegate::IsFavourite(const QString& text) { return text.trimmed() == u"1"; }

void FavouriteDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->fillRect(option.rect, Qt::white);
    if (IsFavourite(index.data(Qt::DisplayRole).toString())) {
        const int size = std::max(4, std::min(option.rect.width(), option.rect.height()) - 8);
        QRect circle(0, 0, size, size);
        circle.moveCenter(option.rect.center());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 160, 0));
        painter->drawEllipse(circle);
    }
    painter->restore();
}

QSize FavouriteDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const { return QSize(20, 20); }

void RowTextDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = text_(index.row());
}
