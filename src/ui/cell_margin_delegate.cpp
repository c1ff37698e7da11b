#include "ui/cell_margin_delegate.h"

#include <QApplication>
#include <QPainter>

namespace hanaki {

CellMarginDelegate::CellMarginDelegate(int margin, QObject* parent)
    : QStyledItemDelegate(parent), margin_(margin) {}

void CellMarginDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    // The style draws background and selection; the text goes in by hand, inset.
    cell.text.clear();
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const bool selected = cell.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setFont(cell.font);
    painter->setPen(
        cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    // The blank goes on the side the text leans to; the other side may take text to the border.
    QRect room = cell.rect;
    if (cell.displayAlignment & Qt::AlignLeft)
        room.setLeft(room.left() + margin_);
    else if (cell.displayAlignment & Qt::AlignRight)
        room.setRight(room.right() - margin_);
    else
        room.adjust(margin_, 0, -margin_, 0);
    painter->drawText(room, static_cast<int>(cell.displayAlignment) | Qt::TextSingleLine, text);
    painter->restore();
}

QSize CellMarginDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(margin_, 0);
}

}  // namespace hanaki
