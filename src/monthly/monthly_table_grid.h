#pragma once

#include <array>
#include <vector>

#include "monthly/monthly_rows.h"
#include "ui/screen_metrics.h"

class QFont;
class QTableWidget;
class QWidget;

// The monthly table's grid: its sizes by screen-size class, its columns and
// the rows it shows.
namespace hanaki {

// One screen-size class: the widths of columns 0, 1, 2 and 3, 4 … 6 and 7 in
// twips, and the font sizes.
struct MonthlyTableSize {
    ScreenSizeClass sizeClass;
    std::array<int, 5> columns;
    double gridPoints, remarkPoints, smallRemarkPoints;
};
const MonthlyTableSize& MonthlyTableSizeOf(ScreenSizeClass sizeClass);

// Grid columns 1 … 7 are the table's; column 0, the running number, is its row heading.
constexpr int kMonthlyColumnCount = 8;
constexpr int kMonthlyIncomeColumn = 4, kMonthlyExpenseColumn = 5, kMonthlyBalanceColumn = 6;
constexpr int kMonthlyVisibleItemRows = 25;

// The grid with its fixed behaviour, no rows filled yet.
QTableWidget* NewMonthlyGrid(const QFont& font, QWidget* parent);
// Sets the column widths; the left edge of each column and the right edge of the last.
std::array<int, kMonthlyColumnCount + 1> SetMonthlyColumnWidths(QTableWidget* grid,
                                                                const MonthlyTableSize& size);
// Shows the rows, at least 29 grid rows, scrolled to the top.
void FillMonthlyGrid(QTableWidget* grid, const std::vector<MonthlyRow>& rows,
                     const MonthlyTableSize& size);

}  // namespace hanaki
