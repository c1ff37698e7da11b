#pragma once

#include <array>

#include "data/category_table.h"
#include "data/data_folder.h"
#include "data/ledger.h"
#include "data/settings.h"

// Sums of whole accounting months by category and description.
namespace hanaki {

struct MonthTotals {
    // (c, d): items of category c, description d; (c, 0): all of category c;
    // (0, 0) income, (0, 1) expense, (0, 2)/(0, 3) the same for categories
    // with the summary flag on; (0, 20) 1 when the file holds anything.
    std::array<std::array<double, 21>, 21> cells{};

    double& at(int category, int description) { return cells[category][description]; }
    double at(int category, int description) const { return cells[category][description]; }
    void Clear() { cells = {}; }

    double income() const { return cells[0][0]; }
    double expense() const { return cells[0][1]; }
    double flaggedIncome() const { return cells[0][2]; }
    double flaggedExpense() const { return cells[0][3]; }
    bool hasItems() const { return cells[0][20] != 0; }
    void MarkHasItems() { cells[0][20] = 1; }
    // Counts one item in its category, its description and the month's totals.
    void AddItem(int category, int description, double amount, bool expense, bool flagged);
};

struct TrendTotals {
    std::array<MonthTotals, 12> months;  // oldest first; [11] is the month asked for
};

// How many of the twelve months have a file with anything in it: the divisor
// of every twelve-month average.
int MonthsWithItems(const TrendTotals& trend);

struct AggregationReport {
    IoResult io;
    int unreadableRecords = 0;
};

// Sums the ledger file of accounting month (year, month) into `totals`.
AggregationReport AggregateMonth(const DataFolder& folder, const CategoryTable& categories,
                                 const Settings& settings, int year, int month,
                                 MonthTotals& totals);
// Sums the open month's chain into `totals` as the day view shows them: by
// category and description, income and expense. The summary-flag cells and
// the has-items cell stay 0; unreadable records are left out.
void SumMonthLedger(const MonthLedger& ledger, const CategoryTable& categories,
                    MonthTotals& totals);
// The twelve accounting months ending with (year, month).
AggregationReport AggregateTwelveMonths(const DataFolder& folder, const CategoryTable& categories,
                                        const Settings& settings, int year, int month,
                                        TrendTotals& trend);

}  // namespace hanaki
