#pragma once

#include <QStyledItemDelegate>

namespace hanaki {

// Draws a grid's cell texts with a blank of `margin` pixels inside the border
// they are aligned to, so that a right-aligned number never runs into the
// left-aligned text of the cell after it.
class CellMarginDelegate : public QStyledItemDelegate {
  public:
    CellMarginDelegate(int margin, QObject* parent);

    int margin() const { return margin_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    int margin_;
};

}  // namespace hanaki
