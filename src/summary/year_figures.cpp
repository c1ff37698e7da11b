#include "summary/year_figures.h"

namespace hanaki {

MonthTotals SumOfMonths(const TrendTotals& trend) {
    MonthTotals year;
    for (const MonthTotals& month : trend.months) {
        for (std::size_t c = 0; c < year.cells.size(); ++c) {
            for (std::size_t d = 0; d < year.cells[c].size(); ++d)
                year.cells[c][d] += month.cells[c][d];
        }
    }
    return year;
}

Settings YearBudgets(const Settings& settings) {
    Settings year = settings;
    for (int c = 1; c <= 20; ++c) {
        if (!settings.budgets[c].empty())
            year.budgets[c] = std::to_string(settings.BudgetOf(c) * 12);
    }
    return year;
}

int MonthsWithItems(const TrendTotals& trend) {
    int months = 0;
    for (const MonthTotals& month : trend.months)
        months += month.hasItems() ? 1 : 0;
    return months;
}

}  // namespace hanaki
