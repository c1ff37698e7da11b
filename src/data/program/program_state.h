#pragma once

#include <functional>

#include "data/disk/data_folder.h"
#include "data/formats/calendar.h"
#include "data/formats/category_table.h"
#include "data/formats/entry_options.h"
#include "data/formats/ledger.h"
#include "data/formats/settings.h"

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
    EntryOptions entryOptions;
    CurrentDate date;
    MonthLedger ledger;

    int closingDay() const { return settings.closingDay; }
};

}  // namespace hanaki
