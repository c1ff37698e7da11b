#include "summary/summary_cells.h"

#include <QTableWidget>

#include "data/book/amount_format.h"
#include "summary/summary_grid.h"
#include "ui/fitting_font.h"
#include "ui/row_tints.h"
#include "ui/text_codec.h"

namespace hanaki {

void WriteCategoryNames(QTableWidget* grid, const SummaryLayout& layout,
                        const CategoryTable& categories, int lastTintedColumn) {
    ClearCells(grid, 0, 1);
    ResetTints(grid, 1, lastTintedColumn);
    for (int row = 1; row < layout.rowCount(); ++row) {
        if (const int c = layout.categoryAt[row]; c != 0) {
            SetCell(grid, row, 0, QString::number(c));
            SetCell(grid, row, 1, FromCp932(categories.names[c]));
        } else if (const DeletedCategoryRow* gone = layout.DeletedAt(row)) {
            SetCell(grid, row, 0, QString::number(gone->category));
            SetCell(grid, row, 1, QString::fromStdString(DeletedCategoryLabel(*gone)));
        }
    }
    FitCellsToColumns(grid, 0, 1);
    TintCells(grid, 1, layout.incomeCount, 1, lastTintedColumn, kIncomeTint);
    TintCells(grid, layout.firstExpenseRow(), layout.lastExpenseRow(), 1, lastTintedColumn,
              kExpenseTint);
}

void WriteNamesBeside(QTableWidget* grid, QTableWidget* breakdown, const SummaryLayout& layout,
                      const CategoryTable& categories, int lastTintedColumn) {
    WriteCategoryNames(grid, layout, categories, lastTintedColumn);
    SetCell(grid, layout.incomeTotalRow(), 1, QStringLiteral("入金 合計"));
    SetCell(grid, layout.expenseTotalRow(), 1, QStringLiteral("出金 合計"));
    SetCell(grid, layout.balanceRow(), 1, QStringLiteral("合    計"));
    for (QTableWidget* shown : {grid, breakdown}) {
        for (int row = 1; row <= shown->rowCount(); ++row) {
            for (int c = 1; c < shown->columnCount(); ++c)
                shown->item(row - 1, c)
                    ->setTextAlignment(c == 1 ? Qt::AlignCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

void WriteAmountCell(QTableWidget* grid, int row, const CategoryLine& line) {
    QTableWidgetItem* amount = grid->item(row - 1, 2);
    amount->setText(QString::fromStdString(line.amount));
    if (line.overBudget)
        amount->setForeground(kOverBudgetRed);
    if (line.excluded) {
        QFont struck = grid->font();
        struck.setStrikeOut(true);
        amount->setFont(struck);
    }
}

void ShowDescriptions(QTableWidget* breakdown, const MonthTotals& totals,
                      const CategoryTable& categories, int category) {
    ClearCells(breakdown, 0, 3);
    ResetTints(breakdown, 1, 3);
    int n = 0;
    for (const DescriptionLine& line : DescriptionLines(totals, categories, category)) {
        ++n;
        SetCell(breakdown, n, 0, QString::number(line.number));
        SetCell(breakdown, n, 1, FromCp932(line.name));
        SetCell(breakdown, n, 2, QString::fromStdString(line.amount));
        SetCell(breakdown, n, 3, QString::fromStdString(line.share));
    }
    SetCell(breakdown, n + 1, 1, QStringLiteral("摘 要 計"));
    SetCell(breakdown, n + 1, 2, QString::fromStdString(FormatGrouped(totals.at(category, 0))));
    TintCells(breakdown, 1, n, 1, 3, categories.IsExpense(category) ? kExpenseTint : kIncomeTint);
    FitSummaryCells(breakdown, 1, 3);
}

}  // namespace hanaki
