#include "summary/year_figures.h"

#include "data/amount_format.h"
#include "data/budget.h"

namespace hanaki {
namespace {

// A budget as the settings file would hold it: digits, a point before the decimals.
std::string PlainBudget(long long units, int decimals) {
    std::string digits = std::to_string(units);
    if (decimals == 0)
        return digits;
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, ".");
    return digits;
}

}  // namespace

MonthTotals SumOfMonths(const TrendTotals& trend) {
    MonthTotals year;
    for (const MonthTotals& month : trend.months) {
        for (std::size_t c = 0; c < year.cells.size(); ++c) {
            for (std::size_t d = 0; d < year.cells[c].size(); ++d)
                year.cells[c][d] += month.cells[c][d];
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
        // A budget that is no number stays as it stands, marked wherever it is shown.
        const BudgetReading budget = ReadBudget(settings.budgets[c]);
        if (budget.usable())
            year.budgets[c] = PlainBudget(budget.units * 12, budget.decimals);
    }
    return year;
}

std::string MonthlyAverageText(double sum, const TrendTotals& trend, bool grouped) {
    const int filledMonths = MonthsWithItems(trend);
    if (filledMonths == 0)
        return {};
    const long long average = RoundHalfEven(sum / filledMonths);
    return grouped ? FormatGrouped(double(average)) : std::to_string(average);
}

double YearTotal(const TrendTotals& trend, SummaryRowKind kind) {
    double sum = 0;
    for (const MonthTotals& month : trend.months)
        sum += TrendTotalCell(month, kind).value;
    return sum;
}

}  // namespace hanaki
