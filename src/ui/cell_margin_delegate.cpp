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
    painter->drawText(cell.rect.adjusted(margin_, 0, -margin_, 0),
                      static_cast<int>(cell.displayAlignment) | Qt::TextSingleLine, text);
    painter->restore();
}

QSize CellMarginDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(2 * margin_, 0);
}

}  // namespace hanaki
