#pragma once

#include <cstdint>

#include "data/disk/data_folder.h"
#include "data/disk/io_result.h"
#include "data/formats/category_table.h"
#include "data/formats/settings.h"

// What a new accounting month may carry over from the one before it.
namespace hanaki {

struct CarryOverProposal {
    IoResult io;  // a failed read of the month before: nothing is proposed
    // That month's income less expense, rounded to whole yen; 0 proposes nothing.
    std::int32_t balance = 0;
};

// The balance of the accounting month before (year, month).
CarryOverProposal ProposeCarryOver(const DataFolder& folder, const CategoryTable& categories,
                                   const Settings& settings, int year, int month);

}  // namespace hanaki
