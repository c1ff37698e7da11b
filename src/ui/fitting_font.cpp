#include "ui/fitting_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace hanaki {
namespace {

constexpr double kStep = 0.9;
// Below this a user cannot read a figure at all: type shrinks no further, the
// column widens or the label gives up its blanks instead.
constexpr int kReadablePixels = 8;

int PixelsOf(const QFont& font) {
    return QFontInfo(font).pixelSize();
}

}  // namespace

QFont FittingFont(const QFont& font, const QString& text, int width) {
    QFont fitting = font;
    // Screen fonts are sized in pixels; a font from elsewhere may be in points.
    const bool pixels = fitting.pixelSize() > 0;
    double size = pixels ? fitting.pixelSize() : fitting.pointSizeF();
    while (QFontMetrics(fitting).horizontalAdvance(text) > width) {
        QFont smaller = fitting;
        size *= kStep;
        if (pixels)
            smaller.setPixelSize(static_cast<int>(size));
        else
            smaller.setPointSizeF(size);
        if (PixelsOf(smaller) < kReadablePixels)
            break;
        fitting = smaller;
    }
    return fitting;
}

int CellTextRoom(const QTableWidget* grid, int column) {
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return grid->columnWidth(column) - 2 * margin - 1;
}

void FitCellsToColumns(QTableWidget* grid, int firstColumn, int lastColumn) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
        const int room = CellTextRoom(grid, c);
        int widest = room;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QTableWidgetItem* item = grid->item(r, c);
            if (item == nullptr || item->text().isEmpty())
                continue;
            const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : grid->font();
            if (QFontMetrics(font).horizontalAdvance(item->text()) <= room)
                continue;
            const QFont fitting = FittingFont(font, item->text(), room);
            item->setFont(fitting);
            widest = std::max(widest, QFontMetrics(fitting).horizontalAdvance(item->text()));
        }
        // What readable type cannot fit widens its column; the grid scrolls to it.
        if (widest > room)
            grid->setColumnWidth(c, grid->columnWidth(c) + widest - room);
    }
}

void FitLabel(QLabel* label, const QFont& font) {
    label->setFont(FittingFont(font, label->text(), label->contentsRect().width()));
}

void FitWrappedLabel(QLabel* label, const QFont& font) {
    const QRect room = label->contentsRect();
    for (int pixels = font.pixelSize(); pixels >= kReadablePixels; --pixels) {
        QFont smaller = font;
        smaller.setPixelSize(pixels);
        label->setFont(smaller);
        if (label->heightForWidth(room.width()) <= room.height())
            return;
    }
}

}  // namespace hanaki
