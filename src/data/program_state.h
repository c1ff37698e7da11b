#pragma once

#include <functional>

#include "data/aggregation.h"
#include "data/calendar.h"
#include "data/category_table.h"
#include "data/data_folder.h"
#include "data/ledger.h"
#include "data/settings.h"

namespace hanaki {

// Which graph the graph window draws. The summary screens set it before
// opening the window; the window's Tab switches bar and pie, so the choice
// lasts as long as the screen that opened it.
enum class GraphSource { MonthlyBar = 1, MonthlyPie = 2, Trend = 3 };
struct GraphChoice {
    GraphSource source = GraphSource::MonthlyBar;
    int selector = 0;  // 0: all categories (or the totals); 1 … 20: that category
    int year = 0;      // four-digit accounting year and month the titles name
    int month = 0;
};

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
    GraphChoice graph;

    int closingDay() const { return settings.closingDay; }
};

}  // namespace hanaki
