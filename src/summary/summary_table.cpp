#include "summary/summary_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/amount_format.h"

namespace hanaki {

SummaryRowKind SummaryLayout::KindOf(int row) const {
    if (row == kBalanceRow)
        return SummaryRowKind::Balance;
    if (row >= 1 && row <= incomeCount)
        return SummaryRowKind::Income;
    if (row == incomeTotalRow())
        return SummaryRowKind::IncomeTotal;
    if (row >= firstExpenseRow() && row <= lastExpenseRow())
        return SummaryRowKind::Expense;
    if (row == expenseTotalRow())
        return SummaryRowKind::ExpenseTotal;
    return SummaryRowKind::Empty;
}

int SummaryLayout::CursorRow(int row) const {
    if (row <= 0)
        row = 1;
    if (row == incomeTotalRow())
        row = firstExpenseRow();
    else if (row == incomeTotalRow() + 1)
        row = incomeCount;
    else if (row > lastExpenseRow())
        row = lastExpenseRow();
    if (row >= 1 && row < kSummaryGridRows && categoryAt[row] != 0)
        return row;
    // One block is empty: the nearest category row above, else below.
    row = std::clamp(row, 1, kSummaryGridRows - 1);
    for (int r = row; r >= 1; --r) {
        if (categoryAt[r] != 0)
            return r;
    }
    for (int r = row; r < kSummaryGridRows; ++r) {
        if (categoryAt[r] != 0)
            return r;
    }
    return 0;
}

SummaryLayout LayOutSummary(const CategoryTable& categories) {
    SummaryLayout layout;
    for (int c = 1; c <= kMaxCategories; ++c) {
        if (categories.IsExpense(c))
            ++layout.expenseCount;
        else if (!categories.names[c].empty())
            ++layout.incomeCount;
    }
    int incomeRow = 1;
    int expenseRow = layout.firstExpenseRow();
    for (int c = 1; c <= kMaxCategories; ++c) {
        if (categories.IsExpense(c))
            layout.categoryAt[expenseRow++] = c;
        else if (!categories.names[c].empty())
            layout.categoryAt[incomeRow++] = c;
    }
    return layout;
}

std::string RatioText(double part, double whole) {
    // Sums are whole yen, so the quotient is exact in hundredths of a per cent.
    const long long numerator = std::llround(part) * 10000;
    const long long denominator = std::llround(whole);
    long long hundredths = numerator / denominator;
    const long long remainder = std::llabs(numerator % denominator);
    if (remainder * 2 >= std::llabs(denominator))
        hundredths += (numerator < 0) == (denominator < 0) ? 1 : -1;
    const long long units = std::llabs(hundredths);
    std::string cents = std::to_string(units % 100);
    if (cents.size() < 2)
        cents.insert(cents.begin(), '0');
    return (hundredths < 0 ? "-" : "") + std::to_string(units / 100) + "." + cents;
}

bool IsOverBudget(const CategoryTable& categories, const Settings& settings, int category,
                  double total) {
    if (!categories.IsExpense(category) || settings.budgets[category].empty())
        return false;
    const long long budget = settings.BudgetOf(category);
    return budget > 0 && total > double(budget);
}

CategoryLine MonthlyCategoryLine(const MonthTotals& totals, const CategoryTable& categories,
                                 const Settings& settings, int category) {
    CategoryLine line;
    const double total = totals.at(category, 0);
    const double flaggedTotal =
        categories.IsExpense(category) ? totals.flaggedExpense() : totals.flaggedIncome();
    line.amount = FormatGrouped(total);
    line.excluded = settings.summaryFlags[category] == 0;
    if (!line.excluded && flaggedTotal != 0)
        line.share = RatioText(total, flaggedTotal);
    line.overBudget = IsOverBudget(categories, settings, category, total);
    if (!settings.budgets[category].empty()) {
        const long long budget = settings.BudgetOf(category);
        line.budget = FormatGrouped(double(budget));
        if (budget > 0)
            line.budgetUse = RatioText(total, double(budget));
    }
    return line;
}

std::vector<DescriptionLine> DescriptionLines(const MonthTotals& totals,
                                              const CategoryTable& categories, int category) {
    std::vector<DescriptionLine> lines;
    const double total = totals.at(category, 0);
    for (int d = 1; d <= kMaxDescriptions; ++d) {
        const std::string& name = categories.descriptions[category][d];
        if (name.empty())
            continue;
        const double value = totals.at(category, d);
        lines.push_back({d, name, value, FormatGrouped(value),
                         total != 0 ? RatioText(value, total) : std::string("0")});
    }
    return lines;
}

TrendCell MakeTrendCell(double value, bool red, bool struck) {
    return {value, FormatGrouped(value), value > 999999 || value < -99999, red, struck};
}

TrendCell TrendCategoryCell(const MonthTotals& month, const CategoryTable& categories,
                            const Settings& settings, int category) {
    const double value = month.at(category, 0);
    return MakeTrendCell(value, IsOverBudget(categories, settings, category, value),
                         settings.summaryFlags[category] == 0);
}

TrendCell TrendTotalCell(const MonthTotals& month, SummaryRowKind kind) {
    switch (kind) {
        case SummaryRowKind::IncomeTotal:
            return MakeTrendCell(month.flaggedIncome());
        case SummaryRowKind::ExpenseTotal:
            return MakeTrendCell(month.flaggedExpense());
        case SummaryRowKind::Balance: {
            const double balance =
                double(RoundHalfEven(month.flaggedIncome() - month.flaggedExpense()));
            return MakeTrendCell(balance, balance < 0);
        }
        default:
            return {};
    }
}

}  // namespace hanaki
