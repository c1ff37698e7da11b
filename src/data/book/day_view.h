#pragma once

#include <string>
#include <vector>

#include "data/formats/category_table.h"
#include "data/formats/ledger.h"

// The items of one accounting day with the running day balance, as the main
// window lists them.
namespace hanaki {

struct DayRow {
    int slot = 0;
    long long amount = 0;
    bool expense = false;
    long long balance = 0;  // the day's income minus expense after this row
};

struct DayView {
    std::vector<DayRow> rows;  // chain order
    int insertionPoint = 0;    // the slot a new item of that day goes after
};

// Whether an item adds or spends is its category's kind today, not the stored
// sign; only an item of a category the master no longer names goes by its sign.
DayView BuildDayView(const MonthLedger& ledger, const CategoryTable& categories,
                     const std::string& dateKey);

}  // namespace hanaki
