#include "data/book/budget_rows.h"

#include "data/book/amount_format.h"
#include "data/book/monthly_average.h"

namespace hanaki {

BudgetRows BudgetRows::Of(const CategoryTable& categories) {
    BudgetRows rows;
    for (int c = 1; c <= categories.CategoryCount(); ++c)
        ++(categories.IsExpense(c) ? rows.expenseCount : rows.incomeCount);
    return rows;
}

bool BudgetRows::IsCategoryRow(int row) const {
    return (row >= 1 && row <= incomeCount) || (row > IncomeTotalRow() && row < ExpenseTotalRow());
}

int BudgetRows::RestingRow(int row, int previousRow) const {
    if (IsCategoryRow(row))
        return row;
    // Off the category rows (a heading, a total row, the rows below): go on in
    // the direction of the move, else back; with no category nowhere. The
    // income total row is passed downwards only from the last income row;
    // reached any other way (a click, a jump) it gives way upwards.
    const bool down = row == IncomeTotalRow() ? previousRow == incomeCount : row >= previousRow;
    const int step = down ? 1 : -1;
    for (int direction : {step, -step}) {
        for (int r = row + direction; r >= 1 && r <= kBudgetRows; r += direction) {
            if (IsCategoryRow(r))
                return r;
        }
    }
    return 0;
}

std::array<long long, kMaxCategories + 1> PastAverages(const TrendTotals& trend) {
    std::array<long long, kMaxCategories + 1> averages{};
    const int months = MonthsWithItems(trend);
    if (months == 0)
        return averages;
    for (int c = 1; c <= kMaxCategories; ++c) {
        long long sum = 0;
        for (const MonthTotals& month : trend.months)
            sum = RoundHalfEven(double(sum) + month.at(c, 0));
        if (sum > 0)
            averages[c] = MonthlyAverage(double(sum), months) / 1000 * 1000;
    }
    return averages;
}

}  // namespace hanaki
