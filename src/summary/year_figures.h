#pragma once

#include "data/aggregation.h"
#include "data/settings.h"

// The figures of a year of twelve accounting months, built on the monthly
// summary's rules: the twelve months summed as one month, against budgets for
// twelve months. No Qt here.
namespace hanaki {

// Every cell the sum of the twelve months' cells.
MonthTotals SumOfMonths(const TrendTotals& trend);

// The settings with each budget there is taken twelve times.
Settings YearBudgets(const Settings& settings);


}  // namespace hanaki
