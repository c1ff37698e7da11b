#pragma once

#include "data/disk/data_folder.h"
#include "data/disk/io_result.h"

// The largest figures a household can make, for looking at every screen at
// its limits: a December 2026 of a thousand items of 999,999,999 yen (450 in,
// 550 out, one category 97 % of the spending beside six thin ones), a
// November with a refund, a deleted category and a budget of
// 123,456,789,012 yen, ten ordinary months before them, names of twelve bytes
// and budgets typed by hand that are no plain number. Closing day 31.
namespace hanaki::sample {

IoResult WriteExtremeHousehold(const DataFolder& folder);

}  // namespace hanaki::sample
