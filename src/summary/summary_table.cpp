#include "summary/summary_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/book/amount_format.h"
#include "data/formats/cp932.h"

namespace hanaki {

SummaryRowKind SummaryLayout::KindOf(int row) const {
    if (row == balanceRow())
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

const DeletedCategoryRow* SummaryLayout::DeletedAt(int row) const {
    if (row < 0 || row >= static_cast<int>(deletedAt.size()) || deletedAt[row] < 0)
        return nullptr;
    return &deleted[deletedAt[row]];
}

int SummaryLayout::CursorRow(int row) const {
    const int lastNamedExpenseRow = firstExpenseRow() + namedExpenseCount - 1;
    if (row <= 0)
        row = 1;
    if (row > namedIncomeCount && row <= incomeTotalRow())
        row = firstExpenseRow();
    else if (row == incomeTotalRow() + 1)
        row = namedIncomeCount;
    else if (row > lastNamedExpenseRow)
        row = lastNamedExpenseRow;
    const int rows = static_cast<int>(categoryAt.size());
    if (row >= 1 && row < rows && categoryAt[row] != 0)
        return row;
    // One block is empty: the nearest category row above, else below.
    row = std::clamp(row, 1, rows - 1);
    for (int r = row; r >= 1; --r) {
        if (categoryAt[r] != 0)
            return r;
    }
    for (int r = row; r < rows; ++r) {
        if (categoryAt[r] != 0)
            return r;
    }
    return 0;
}

std::vector<DeletedCategoryRow> DeletedCategoryRows(const MonthTotals& month) {
    std::vector<DeletedCategoryRow> rows;
    for (int sign = 0; sign < 2; ++sign) {
        for (int c = 1; c <= kMaxCategories; ++c) {
            if (const DeletedCategorySum& sum = month.deleted[c][sign]; sum.present)
                rows.push_back({c, sign == 1, sum.name});
        }
    }
    return rows;
}

std::vector<DeletedCategoryRow> DeletedCategoryRows(const TrendTotals& trend) {
    std::vector<DeletedCategoryRow> rows;
    for (const MonthTotals& month : trend.months) {
        for (DeletedCategoryRow& row : DeletedCategoryRows(month)) {
            const auto same = [&](const DeletedCategoryRow& known) {
                return known.category == row.category && known.expense == row.expense;
            };
            if (std::none_of(rows.begin(), rows.end(), same))
                rows.push_back(std::move(row));
        }
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return std::pair(a.expense, a.category) < std::pair(b.expense, b.category);
    });
    return rows;
}

std::string DeletedCategoryLabel(const DeletedCategoryRow& row) {
    return Cp932ToUtf8(row.name) + "（削除済み）";
}

SummaryLayout LayOutSummary(const CategoryTable& categories,
                            std::vector<DeletedCategoryRow> deleted) {
    SummaryLayout layout;
    for (int c = 1; c <= kMaxCategories; ++c) {
        if (categories.IsExpense(c))
            ++layout.namedExpenseCount;
        else if (!categories.names[c].empty())
            ++layout.namedIncomeCount;
    }
    const auto deletedExpenses =
        std::count_if(deleted.begin(), deleted.end(), [](const auto& row) { return row.expense; });
    layout.incomeCount =
        layout.namedIncomeCount + static_cast<int>(deleted.size() - deletedExpenses);
    layout.expenseCount = layout.namedExpenseCount + static_cast<int>(deletedExpenses);
    layout.categoryAt.assign(layout.rowCount(), 0);
    layout.deletedAt.assign(layout.rowCount(), -1);
    int incomeRow = 1;
    int expenseRow = layout.firstExpenseRow();
    for (int c = 1; c <= kMaxCategories; ++c) {
        if (categories.IsExpense(c))
            layout.categoryAt[expenseRow++] = c;
        else if (!categories.names[c].empty())
            layout.categoryAt[incomeRow++] = c;
    }
    for (std::size_t i = 0; i < deleted.size(); ++i)
        layout.deletedAt[deleted[i].expense ? expenseRow++ : incomeRow++] = static_cast<int>(i);
    layout.deleted = std::move(deleted);
    return layout;
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
    const BudgetReading budget = ReadBudget(settings.budgets[category]);
    line.budget = budget.shown;
    line.budgetUse = BudgetUseText(total, budget);
    line.budgetMarked = budget.marked();
    return line;
}

std::string ExclusionLine(const MonthTotals& totals, const CategoryTable& categories,
                          const Settings& settings, LeftOutOf span) {
    bool leftOut = false;
    for (int c = 1; c <= kMaxCategories; ++c) {
        const bool listed = categories.IsExpense(c) || !categories.names[c].empty();
        leftOut = leftOut || (listed && settings.summaryFlags[c] == 0);
    }
    if (!leftOut)
        return {};
    const std::string line = "取り消し線は集計対象外の費目（合計と比率に含めない）。対象外 入金 " +
                             FormatGrouped(totals.income() - totals.flaggedIncome()) + "・出金 " +
                             FormatGrouped(totals.expense() - totals.flaggedExpense());
    return span == LeftOutOf::Month ? line + "（月計 ＝ 合計 ＋ 対象外）" : line;
}

CategoryLine DeletedCategoryLine(const MonthTotals& totals, const DeletedCategoryRow& row) {
    CategoryLine line;
    const double total = totals.deleted[row.category][row.expense ? 1 : 0].amount;
    const double flaggedTotal = row.expense ? totals.flaggedExpense() : totals.flaggedIncome();
    line.amount = FormatGrouped(total);
    if (flaggedTotal != 0)
        line.share = RatioText(total, flaggedTotal);
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

TrendCell TrendDeletedCell(const MonthTotals& month, const DeletedCategoryRow& row) {
    return MakeTrendCell(month.deleted[row.category][row.expense ? 1 : 0].amount);
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
