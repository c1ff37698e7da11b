#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/aggregation.h"
#include "data/category_table.h"
#include "data/settings.h"

// The figures of the monthly summary and the twelve-month trend, as the
// screens and the command-line reports show them. No Qt here.
namespace hanaki {

constexpr int kSummaryGridRows = 25;  // row 0 holds the headings
constexpr int kBalanceRow = 24;

enum class SummaryRowKind { Empty, Income, IncomeTotal, Expense, ExpenseTotal, Balance };

// Where each row of the category grid goes: the named income categories from
// row 1, their total, an empty row, the expense categories, their total, and
// the balance on the last row.
struct SummaryLayout {
    int incomeCount = 0;
    int expenseCount = 0;
    std::array<int, kSummaryGridRows> categoryAt{};  // 0 on rows without a category

    int incomeTotalRow() const { return incomeCount + 1; }
    int firstExpenseRow() const { return incomeCount + 3; }
    int lastExpenseRow() const { return incomeCount + expenseCount + 2; }
    int expenseTotalRow() const { return incomeCount + expenseCount + 3; }
    SummaryRowKind KindOf(int row) const;
    // The category row a cursor moved to `row` stops on: down from the last
    // income row it jumps to the first expense row, up from there back, and
    // it never leaves the last expense row downwards. 0 when no row has a category.
    int CursorRow(int row) const;
};

SummaryLayout LayOutSummary(const CategoryTable& categories);

// "fixed" of part × 100 / whole from the exact quotient: two decimals, halves
// away from zero, never "-0.00". The whole must not be 0.
std::string RatioText(double part, double whole);

// An expense above a budget greater than 0 shows red; equal stays plain.
bool IsOverBudget(const CategoryTable& categories, const Settings& settings, int category,
                  double total);

// One category row of the monthly summary.
struct CategoryLine {
    std::string amount;     // "##,###,##0"
    std::string share;      // of the flagged total; empty when the flag is off or the total 0
    std::string budget;     // the budget text in the amount picture, empty when none
    std::string budgetUse;  // empty unless the budget is above 0
    bool overBudget = false;
    bool excluded = false;  // summary flag off: struck through, out of the totals
};
CategoryLine MonthlyCategoryLine(const MonthTotals& totals, const CategoryTable& categories,
                                 const Settings& settings, int category);

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
// The three total rows of one month; the balance rounded half to even.
TrendCell TrendTotalCell(const MonthTotals& month, SummaryRowKind kind);

}  // namespace hanaki
