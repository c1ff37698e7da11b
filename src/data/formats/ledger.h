#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/formats/calendar.h"

// One ledger file per accounting month ("200001.DAT"): 104-byte records of
// fixed-width code page 932 text, and the in-memory chain of item slots.
namespace hanaki {

constexpr std::size_t kLedgerRecordBytes = 104;
constexpr int kLedgerSlots = 1000;  // usable slots per open month

struct LedgerRecord {
    std::string date;               // 6: yymmdd (calendar in the file, accounting in the chain)
    std::string categoryNumber;     // 2: "01" … "20"
    std::string categoryName;       // 12
    std::string descriptionNumber;  // 2
    std::string descriptionName;    // 12
    std::string amount;             // 10: "+" or "-", then digits
    std::string remark;             // 60

    friend bool operator==(const LedgerRecord&, const LedgerRecord&) = default;
};

// Records in a ledger file of `fileBytes` bytes. A cut-off last record counts,
// as a damaged one: it is reported and kept, never silently dropped.
std::size_t LedgerRecordCount(std::size_t fileBytes);

// Exactly 104 bytes, every field fitted to its width.
std::string EncodeLedgerRecord(const LedgerRecord& record);
// From up to 104 bytes; a short input is padded with blanks.
LedgerRecord DecodeLedgerRecord(std::string_view bytes);

// The numbers of a record, or nullopt when a field cannot be read (damaged file).
struct ItemNumbers {
    int category = 0;      // 1 … 20
    int description = 0;   // 1 … 20
    long long amount = 0;  // from the amount's second character on
};
std::optional<ItemNumbers> ReadItemNumbers(const LedgerRecord& record);
// The one rule every reader (the window, the printout, the summaries, the CSV
// export) applies to a record of a month file: 104 bytes, a calendar date that
// exists (no 30 February), category 1 … 20, description 0 … 20 and an amount.
// The numbers of a readable record, else nullopt: the record is skipped.
std::optional<ItemNumbers> ReadLedgerRecord(std::string_view raw);

// True for a whole record whose date the calendar has (no 30 February): the
// part of that rule the CSV export, which passes on any numbers, shares.
bool HasLedgerDate(std::string_view raw);

// What every reader says about the `count` records it skipped.
std::string UnreadableRecordsNote(int count);

// "200001.DAT" for year 100, month 1.
std::string LedgerFileName(int year, int month);

struct LedgerSlot {
    LedgerRecord record;
    int next = 0;
    // A record whose date or numbers cannot be read: kept byte for byte in
    // `raw` and written back unchanged, never shown or summed.
    bool unreadable = false;
    std::string raw;
};

struct MonthLedger {
    MonthLedger() : entries(kLedgerSlots + 1) {}

    // Slot 0 unused. A file of more than 1000 records (written by another
    // program) gets as many slots as it needs; the month is then full.
    std::vector<LedgerSlot> entries;
    int head = 0;      // 0: no items
    int nextFree = 1;  // only grows while the month is open
    int insertionPoint = 0;
    int unreadableRecords = 0;  // counted by the last load
    // The file as the last load found or the last save left it (empty: no
    // file), so that a save can tell a change made by another program.
    std::string onDisk;

    bool IsFull() const { return nextFree > kLedgerSlots; }
    // The slot whose successor is 0, or 0 for an empty chain.
    int LastSlot() const;
};

// Calls visit(slot, entry) for each slot along the chain; a visitor that
// returns bool stops the walk with false. A chain damaged into a loop ends
// after as many steps as there are slots.
template <typename Visit>
void WalkChain(const MonthLedger& ledger, Visit visit) {
    int slot = ledger.head;
    for (std::size_t steps = 0; slot != 0 && steps < ledger.entries.size(); ++steps) {
        const LedgerSlot& entry = ledger.entries[slot];
        const int next = entry.next;
        if constexpr (std::is_same_v<std::invoke_result_t<Visit, int, const LedgerSlot&>, bool>) {
            if (!visit(slot, entry))
                return;
        } else {
            visit(slot, entry);
        }
        slot = next;
    }
}

// Reads the month's file into the chain (dates become accounting dates).
// A missing file is an empty month. On a read error the chain is left as it was.
IoResult LoadMonthLedger(const DataFolder& folder, int closingDay, int year, int month,
                         MonthLedger& ledger);
// Writes the chain as the month's whole file (dates back to calendar dates).
// An empty chain removes the file. A file that no longer holds what the chain
// was loaded from (another program wrote it) is left as it is and the save is
// refused with IoRefusal::ChangedOnDisk: the caller reloads the month. `note`
// names the change for the history when the caller knows more than the file
// (the item added, deleted, corrected is told from the bytes).
IoResult SaveMonthLedger(const DataFolder& folder, int closingDay, int year, int month,
                         MonthLedger& ledger, const ChangeNote& note = {});
// The bytes SaveMonthLedger writes.
std::string SerializeMonthLedger(int closingDay, const MonthLedger& ledger);

// The items of one accounting day, as the day view walks the chain.
struct DayItems {
    std::vector<int> items;  // slot numbers in chain order
    int insertionPoint = 0;  // the slot a new item of that day goes after
};
DayItems CollectDay(const MonthLedger& ledger, const std::string& dateKey);

// Puts a new item into the next free slot and links it after `after` (0: at
// the head). Returns its slot, or 0 (nothing changes) when the month is full.
int AppendItem(MonthLedger& ledger, int after, const LedgerRecord& record);
// A corrected item: the slot's contents change, its place in the chain stays.
void ReplaceItem(MonthLedger& ledger, int slot, const LedgerRecord& record);
void UnlinkItem(MonthLedger& ledger, int slot);
// Whether `slot` is a readable item on the chain.
bool IsLinkedItem(const MonthLedger& ledger, int slot);
// Whether `slot` still holds the item `record`: a hand-off by slot is honoured
// only while the slot holds the item that was picked.
bool HoldsItem(const MonthLedger& ledger, int slot, const LedgerRecord& record);
// Where the item that slot `slot` held as `record` is now, after the month was
// changed or read again: its own slot while it holds the item, else the slot
// nearest to it that holds the same record (a reload numbers the chain anew);
// 0 when the item was changed or is gone.
int LocateItem(const MonthLedger& ledger, int slot, const LedgerRecord& record);

// The calendar date of the chain's last readable item, or nullopt when the
// month has none.
std::optional<CivilDate> LastEntryDate(const MonthLedger& ledger, int closingDay);

}  // namespace hanaki
