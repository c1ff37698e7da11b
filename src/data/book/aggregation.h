#pragma once

#include <array>
#include <string>
#include <string_view>

#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "data/formats/settings.h"

// Sums of whole accounting months by category and description.
namespace hanaki {

// Items of a category number that has no name in the master any more, of
// one sign: counted by the sign they were entered with.
struct DeletedCategorySum {
    bool present = false;
    double amount = 0;
    std::string name;  // code page 932: the month's first such record's category name
};

struct MonthTotals {
    // (c, d): items of category c, description d; (c, 0): all of category c;
    // (0, 0) income, (0, 1) expense, (0, 2)/(0, 3) the same for categories
    // with the summary flag on; (0, 20) 1 when the file holds anything.
    std::array<std::array<double, 21>, 21> cells{};
    // [category][0] income, [category][1] expense; also in (0, 0) … (0, 3).
    std::array<std::array<DeletedCategorySum, 2>, 21> deleted{};
    // (c, d) and (c, 0) as `cells`: whether any item was counted there, so that
    // items that cancel out are told from none.
    std::array<std::array<bool, 21>, 21> booked{};

    double& at(int category, int description) { return cells[category][description]; }
    double at(int category, int description) const { return cells[category][description]; }
    bool hasItemsIn(int category, int description) const { return booked[category][description]; }
    void Clear() {
        cells = {};
        deleted = {};
        booked = {};
    }

    double income() const { return cells[0][0]; }
    double expense() const { return cells[0][1]; }
    double flaggedIncome() const { return cells[0][2]; }
    double flaggedExpense() const { return cells[0][3]; }
    bool hasItems() const { return cells[0][20] != 0; }
    void MarkHasItems() { cells[0][20] = 1; }
    // Counts one item in its category, its description and the month's totals.
    void AddItem(int category, int description, double amount, bool expense, bool flagged);
    // Counts an item of a category without a name (it has no summary flag of its own).
    void AddDeletedItem(int category, double amount, bool expense, bool flagged,
                        std::string_view storedName);
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
