#pragma once

#include "data/book/aggregation.h"
#include "data/formats/settings.h"
#include "summary/summary_table.h"

// The figures of a year of twelve accounting months, built on the monthly
// summary's rules: the twelve months summed as one month, against budgets for
// twelve months. No Qt here.
namespace hanaki {

// Every cell the sum of the twelve months' cells.
MonthTotals SumOfMonths(const TrendTotals& trend);

// The settings with each budget there is taken twelve times.
Settings YearBudgets(const Settings& settings);

// The trend's 平均 of a sum over the twelve months: over the months with
// items, halves to even, grouped by thousands when `grouped`; empty when no
// month has any.
std::string MonthlyAverageText(double sum, const TrendTotals& trend, bool grouped);

// A total row (入金 合計, 出金 合計 or the balance) summed over the twelve months.
double YearTotal(const TrendTotals& trend, SummaryRowKind kind);

}  // namespace hanaki
