#pragma once

#include <functional>

#include "data/aggregation.h"
#include "data/calendar.h"
#include "data/category_table.h"
#include "data/data_folder.h"
#include "data/ledger.h"
#include "data/settings.h"

namespace hanaki {

// Everything one running program shares between its screens. Screens get it
// by reference; a test builds as many as it likes.
struct ProgramState {
    ProgramState(DataFolder folder, std::function<CivilDate()> today)
        : folder(std::move(folder)), today(std::move(today)) {}

    DataFolder folder;
    std::function<CivilDate()> today;

    CategoryTable categories;
    Settings settings;
    CurrentDate date;
    MonthLedger ledger;
    MonthTotals monthTotals;
    TrendTotals trendTotals;

    int closingDay() const { return settings.closingDay; }
};

}  // namespace hanaki
