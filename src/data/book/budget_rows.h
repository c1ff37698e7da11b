#pragma once

#include <array>

#include "data/book/aggregation.h"
#include "data/formats/category_table.h"

// The rows of the budget editor, counted from 1 under the heading: the income
// categories, their total row, the expense categories, their total row.
namespace hanaki {

constexpr int kBudgetRows = 22;  // 20 categories and two total rows at most

struct BudgetRows {
    int incomeCount = 0;
    int expenseCount = 0;

    static BudgetRows Of(const CategoryTable& categories);
    int IncomeTotalRow() const { return incomeCount + 1; }
    int ExpenseTotalRow() const { return incomeCount + expenseCount + 2; }
    bool IsCategoryRow(int row) const;
    // The category row a move from `previousRow` to `row` comes to rest on; 0
    // when there is none.
    int RestingRow(int row, int previousRow) const;
};

// The guide beside each budget: the category's sum over the months with
// items, averaged and cut to whole thousands; 0 where the sum is not positive.
std::array<long long, kMaxCategories + 1> PastAverages(const TrendTotals& trend);

}  // namespace hanaki
