#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/book/aggregation.h"
#include "data/book/budget.h"
#include "data/book/share.h"
#include "data/formats/category_table.h"
#include "data/formats/settings.h"

// The figures of the monthly summary and the twelve-month trend, as the
// screens and the command-line reports show them. No Qt here.
namespace hanaki {

constexpr int kSummaryGridRows = 25;  // row 0 holds the headings
constexpr int kBalanceRow = 24;

enum class SummaryRowKind { Empty, Income, IncomeTotal, Expense, ExpenseTotal, Balance };

// The items of a category number the master no longer names, of one sign:
// a row of their own at the end of their block, out of the cursor's way.
struct DeletedCategoryRow {
    int category = 0;
    bool expense = false;
    std::string name;  // code page 932, as the record stored it

    friend bool operator==(const DeletedCategoryRow&, const DeletedCategoryRow&) = default;
};
// Income rows first, each block in ascending category number.
std::vector<DeletedCategoryRow> DeletedCategoryRows(const MonthTotals& month);
// Over twelve months, each named from the oldest month that has it.
std::vector<DeletedCategoryRow> DeletedCategoryRows(const TrendTotals& trend);
// The stored name followed by "（削除済み）", UTF-8.
std::string DeletedCategoryLabel(const DeletedCategoryRow& row);

// Where each row of the category grid goes: the named income categories from
// row 1, then the deleted ones, their total, an empty row, the expense
// categories likewise, their total, and the balance on row 24 or, when the
// rows run past it, on the row after the expense total.
struct SummaryLayout {
    int incomeCount = 0;  // rows of the income block, deleted ones included
    int expenseCount = 0;
    int namedIncomeCount = 0;
    int namedExpenseCount = 0;
    std::vector<int> categoryAt;  // by row; 0 on rows without a named category
    std::vector<DeletedCategoryRow> deleted;
    std::vector<int> deletedAt;  // by row; index into `deleted`, or -1

    int incomeTotalRow() const { return incomeCount + 1; }
    int firstExpenseRow() const { return incomeCount + 3; }
    int lastExpenseRow() const { return incomeCount + expenseCount + 2; }
    int expenseTotalRow() const { return incomeCount + expenseCount + 3; }
    int balanceRow() const {
        return expenseTotalRow() < kBalanceRow ? kBalanceRow : expenseTotalRow() + 1;
    }
    int rowCount() const { return balanceRow() + 1; }  // with the heading row
    SummaryRowKind KindOf(int row) const;
    // The deleted category on `row`, or nullptr.
    const DeletedCategoryRow* DeletedAt(int row) const;
    // The named category row a cursor moved to `row` stops on: down from the
    // last one of the income block it jumps to the first expense row, up from
    // there back, and it never leaves the last expense row downwards. 0 when
    // no row has a named category.
    int CursorRow(int row) const;
};

SummaryLayout LayOutSummary(const CategoryTable& categories,
                            std::vector<DeletedCategoryRow> deleted = {});

// One category row of the monthly summary.
struct CategoryLine {
    std::string amount;         // "##,###,##0"
    std::string share;          // of the flagged total; empty when the flag is off or the total 0
    std::string budget;         // UTF-8, as ReadBudget shows it; empty when none
    std::string budgetUse;      // empty unless the budget is usable
    bool budgetMarked = false;  // a budget that is no number or below 0: out of the ratios
    bool overBudget = false;
    bool excluded = false;  // summary flag off: struck through, out of the totals
};
CategoryLine MonthlyCategoryLine(const MonthTotals& totals, const CategoryTable& categories,
                                 const Settings& settings, int category);
// A deleted category's row: no budget, counted in the totals.
CategoryLine DeletedCategoryLine(const MonthTotals& totals, const DeletedCategoryRow& row);

// Under a summary when a listed category is left out of the totals: what its
// struck-through amount means and what the totals leave out; for one month
// also that the main window's 月計 is the total plus that. Empty when none is
// left out.
enum class LeftOutOf { Month, Months };
std::string ExclusionLine(const MonthTotals& totals, const CategoryTable& categories,
                          const Settings& settings, LeftOutOf span);

// The named descriptions of a category and their share of it ("0" while the
// category total is 0). Names stay code page 932.
struct DescriptionLine {
    int number = 0;
    std::string name;
    double value = 0;
    std::string amount;
    std::string share;
};
std::vector<DescriptionLine> DescriptionLines(const MonthTotals& totals,
                                              const CategoryTable& categories, int category);

// A month cell of the trend table.
struct TrendCell {
    double value = 0;
    std::string text;    // "##,###,##0"
    bool large = false;  // too wide for the grid font: the narrower one
    bool red = false;
    bool struck = false;
};
TrendCell MakeTrendCell(double value, bool red = false, bool struck = false);
TrendCell TrendCategoryCell(const MonthTotals& month, const CategoryTable& categories,
                            const Settings& settings, int category);
TrendCell TrendDeletedCell(const MonthTotals& month, const DeletedCategoryRow& row);
// The three total rows of one month; the balance rounded half to even.
TrendCell TrendTotalCell(const MonthTotals& month, SummaryRowKind kind);

}  // namespace hanaki
