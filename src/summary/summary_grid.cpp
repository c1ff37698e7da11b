#include "summary/summary_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "data/book/aggregation.h"
#include "summary/summary_table.h"
#include "ui/fitting_font.h"
#include "ui/fonts.h"
#include "ui/screen_metrics.h"

namespace hanaki {

int SummaryScale::X(int twips) const {
    return TwipsToPixels(static_cast<int>(std::lround(twips * fx)));
}

int SummaryScale::Y(int twips) const {
    return TwipsToPixels(static_cast<int>(std::lround(twips * fy)));
}

QFont SummaryScale::Font(double points) const {
    return GothicFont(points * fx);
}

SummaryScale PickSummaryScale(const ScreenMetrics& metrics, double smallFy, double middleFx,
                              double middleFy) {
    switch (metrics.sizeClass()) {
        case ScreenSizeClass::Small:
            return {ScreenSizeClass::Small, 723.0 / 1024.0, smallFy};
        case ScreenSizeClass::Middle:
            return {ScreenSizeClass::Middle, middleFx, middleFy};
        case ScreenSizeClass::Full:
            break;
    }
    return {};
}

QTableWidget* NewSummaryGrid(int columns, const QFont& font, int rowPixels, QWidget* parent) {
    auto* grid = new QTableWidget(0, columns, parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setTabKeyNavigation(false);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);  // "10" in the narrow number column
    grid->verticalHeader()->hide();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A figure too wide for its column in readable type widens the column.
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setFont(font);
    QHeaderView* header = grid->horizontalHeader();
    header->setFont(font);
    header->setFixedHeight(rowPixels);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(rowPixels);
    for (int c = 0; c < columns; ++c)
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem);
    SetBodyRows(grid, kSummaryGridRows - 1);
    return grid;
}

void SetBodyRows(QTableWidget* grid, int rows) {
    const int before = grid->rowCount();
    grid->setRowCount(rows);
    for (int r = before; r < rows; ++r) {
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    }
}

namespace {

QTableWidgetItem* Item(const QTableWidget* grid, int row, int column) {
    return row == 0 ? grid->horizontalHeaderItem(column) : grid->item(row - 1, column);
}

}  // namespace

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
    Item(grid, row, column)->setText(text);
}

QString CellText(const QTableWidget* grid, int row, int column) {
    return Item(grid, row, column)->text();
}

void TintCells(QTableWidget* grid, int firstRow, int lastRow, int firstColumn, int lastColumn,
               const QColor& colour) {
    for (int r = std::max(firstRow, 1); r <= lastRow && r <= grid->rowCount(); ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c)
            grid->item(r - 1, c)->setBackground(colour);
    }
}

void ResetTints(QTableWidget* grid, int firstColumn, int lastColumn) {
    for (int r = 1; r <= grid->rowCount(); ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c)
            grid->item(r - 1, c)->setData(Qt::BackgroundRole, QVariant());
    }
}

void ClearCells(QTableWidget* grid, int firstColumn, int lastColumn) {
    for (int r = 1; r <= grid->rowCount(); ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            QTableWidgetItem* item = grid->item(r - 1, c);
            item->setText(QString());
            item->setData(Qt::ForegroundRole, QVariant());
            item->setData(Qt::FontRole, QVariant());
            item->setData(Qt::ToolTipRole, QVariant());
        }
    }
}

void SetBudgetCell(QTableWidget* grid, int row, int column, const std::string& shown, bool marked) {
    QTableWidgetItem* item = Item(grid, row, column);
    item->setText(QString::fromStdString(marked ? shown + kUnusableBudgetMark : shown));
    item->setToolTip(marked ? QString::fromUtf8(kUnusableBudgetMeaning) : QString());
}

int GridWidth(const QTableWidget* grid) {
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

void FitSummaryCells(QTableWidget* grid, int firstColumn, int lastColumn) {
    FitCellsToColumns(grid, firstColumn, lastColumn);
    constexpr const char* kGrown = "grownForScrollBar";
    if (GridWidth(grid) <= grid->width() || grid->property(kGrown).toBool())
        return;
    grid->setProperty(kGrown, true);
    // As far as the scroll bar needs, short of what lies below the grid.
    int room = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect area = grid->geometry();
    for (const QWidget* other :
         grid->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect below = other->geometry();
        if (other != grid && below.top() > area.bottom() && below.left() <= area.right() &&
            below.right() >= area.left())
            room = std::min(room, below.top() - area.bottom() - 2);
    }
    if (room > 0)
        grid->resize(area.width(), area.height() + room);
}

QLineEdit* NewMonthField(const char* name, const QFont& font, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFont(font);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    return field;
}

QString AggregationNote(const AggregationReport& report) {
    if (!report.io.ok())
        return QString::fromStdString(DescribeIoError(*report.io.error));
    if (report.unreadableRecords > 0)
        return QStringLiteral("読み取れない記録 %1 件は集計に含めていません。")
            .arg(report.unreadableRecords);
    return QString();
}

}  // namespace hanaki
