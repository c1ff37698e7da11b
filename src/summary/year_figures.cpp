#include "summary/year_figures.h"

#include "data/book/amount_format.h"
#include "data/book/budget.h"
#include "data/book/monthly_average.h"

namespace hanaki {
MonthTotals SumOfMonths(const TrendTotals& trend) {
    MonthTotals year;
    for (const MonthTotals& month : trend.months) {
        for (std::size_t c = 0; c < year.cells.size(); ++c) {
            for (std::size_t d = 0; d < year.cells[c].size(); ++d) {
                year.cells[c][d] += month.cells[c][d];
                year.booked[c][d] = year.booked[c][d] || month.booked[c][d];
            }
            // A deleted category is named as the oldest month with such an item names it.
            for (std::size_t sign = 0; sign < 2; ++sign) {
                const DeletedCategorySum& one = month.deleted[c][sign];
                DeletedCategorySum& sum = year.deleted[c][sign];
                if (!one.present)
                    continue;
                if (!sum.present)
                    sum.name = one.name;
                sum.present = true;
                sum.amount += one.amount;
            }
        }
    }
    return year;
}

Settings YearBudgets(const Settings& settings) {
    Settings year = settings;
    for (int c = 1; c <= 20; ++c) {
        // A text that is no number stays as it stands, marked wherever it is shown.
        const BudgetReading budget = ReadBudget(settings.budgets[c]);
        if (budget.number())
            year.budgets[c] = std::to_string(budget.yen * 12);
    }
    return year;
}

std::string MonthlyAverageText(double sum, const TrendTotals& trend, bool grouped) {
    const int filledMonths = MonthsWithItems(trend);
    if (filledMonths == 0)
        return {};
    const long long average = MonthlyAverage(sum, filledMonths);
    return grouped ? FormatGrouped(double(average)) : std::to_string(average);
}

double YearTotal(const TrendTotals& trend, SummaryRowKind kind) {
    double sum = 0;
    for (const MonthTotals& month : trend.months)
        sum += TrendTotalCell(month, kind).value;
    return sum;
}

}  // namespace hanaki
