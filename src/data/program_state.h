#pragma once

#include <functional>

#include "data/calendar.h"
#include "data/category_table.h"
#include "data/data_folder.h"
#include "data/ledger.h"
#include "data/settings.h"

namespace hanaki {

// What one running program keeps for as long as it runs and shares between
// its screens: the folder, the master, the settings, the date and the open
// month. The figures a screen shows are its own. Screens get this by
// reference; a test builds as many as it likes.
struct ProgramState {
    ProgramState(DataFolder folder, std::function<CivilDate()> today)
        : folder(std::move(folder)), today(std::move(today)) {}

    DataFolder folder;
    std::function<CivilDate()> today;

    CategoryTable categories;
    Settings settings;
    CurrentDate date;
    MonthLedger ledger;

    int closingDay() const { return settings.closingDay; }
};

}  // namespace hanaki
