#pragma once

#include <optional>
#include <vector>

#include "data/book/due_items.h"
#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"

// Entering the fixed items that fell due into the ledgers, as one change of
// the history: the months' files first, then the marks of what was handled,
// so that an occurrence is never lost. An occurrence whose item already
// stands in its day (a run stopped between the two) is marked, not entered
// again.
namespace hanaki {

struct DueChoice {
    int line = 0;                     // of the fixed items file
    int month = 0;                    // the occurrence's calendar month (MonthNumber)
    bool skip = false;                // never to be entered
    std::optional<long long> amount;  // typed for an item without one
};

enum class DueRefusal {
    None,
    NoAmount,         // an item without an amount, and none typed
    DeletedCategory,  // the master no longer has its category or description
    MonthFull,        // its month already holds 1000 items
    OutsideYears,     // its month lies past 2049
};

struct DueOutcome {
    DueOccurrence occurrence;
    DueRefusal refusal = DueRefusal::None;
    bool skipped = false;
    bool alreadyEntered = false;  // found in its day: only marked
    bool entered = false;         // stands in its ledger now
};

struct DueEntry {
    IoResult io;                       // the first write that failed; what went before it stands
    std::vector<DueOutcome> outcomes;  // of the choices still due, in the order of the due list
};

// The choices that are still due when the fixed items are read again; the
// rest (handled meanwhile) are left alone.
DueEntry EnterDueItems(const DataFolder& folder, const CategoryTable& categories, int closingDay,
                       const CivilDate& today, const std::vector<DueChoice>& choices);

// The ledger record an occurrence becomes.
LedgerRecord DueRecord(const CategoryTable& categories, const FixedItem& item,
                       const DueOccurrence& occurrence, long long amount);

}  // namespace hanaki
