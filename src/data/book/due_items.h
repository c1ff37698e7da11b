#pragma once

#include <vector>

#include "data/formats/calendar.h"
#include "data/formats/fixed_items.h"

// When fixed items fall due, and which of their occurrences are still to be
// entered or skipped.
namespace hanaki {

struct DueOccurrence {
    int line = 0;    // of the fixed items file
    int month = 0;   // the calendar month it falls in (MonthNumber)
    CivilDate date;  // its day: the item's day, or the month's last when shorter
    // Where it goes: the accounting month (years since 1900) and day. Outside
    // 1950 … 2049 (a 26 December 2049 past closing day 25) it cannot be entered.
    AccountingMonth accounting;
    int accountingDay = 1;
    bool inLedgerYears = true;
};

// The calendar date the item falls on in `month`.
CivilDate FixedItemDate(const FixedItem& item, int month);

bool IsHandled(const FixedItem& item, int month);
// Marks the occurrence of `month` entered or skipped for good.
void MarkHandled(FixedItem& item, int month);

// Every occurrence dated up to `today` and neither entered nor skipped, every
// missed month included, oldest first (by date, then by line).
std::vector<DueOccurrence> DueOccurrences(const FixedItems& items, int closingDay,
                                          const CivilDate& today);

}  // namespace hanaki
