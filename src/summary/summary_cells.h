#pragma once

#include "data/book/aggregation.h"
#include "data/formats/category_table.h"
#include "summary/summary_table.h"

class QTableWidget;

// The cells the summaries by category write alike: the category names with
// their tints, a category's amount, and the breakdown of its descriptions.
namespace hanaki {

// The number and name of each category of `layout` in columns 0 and 1 of
// `grid`, the income and expense rows tinted from column 1 to `lastTintedColumn`.
void WriteCategoryNames(QTableWidget* grid, const SummaryLayout& layout,
                        const CategoryTable& categories, int lastTintedColumn);
// WriteCategoryNames, the total rows' names, and in both grids names centred
// and figures to the right: the summaries with a breakdown grid.
void WriteNamesBeside(QTableWidget* grid, QTableWidget* breakdown, const SummaryLayout& layout,
                      const CategoryTable& categories, int lastTintedColumn);
// A category's amount in column 2: red over budget, struck through when left
// out of the totals.
void WriteAmountCell(QTableWidget* grid, int row, const CategoryLine& line);
// Category `category`'s named descriptions in `breakdown`, with their shares
// and the category's total under them.
void ShowDescriptions(QTableWidget* breakdown, const MonthTotals& totals,
                      const CategoryTable& categories, int category);

}  // namespace hanaki
