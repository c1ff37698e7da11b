#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/change_note.h"
#include "data/disk/data_folder.h"

// TEIKI.TXT: the household's fixed items (rent, salary, bills), one per line of
// code page 932 text that a person can read and edit:
//
//   27,7,1,85000,1,202601,,202611,家賃
//   末,8,3,,2,202602,202912,202610+202612,水道代
//
// day (1 … 31, or 末 for the month's last day), category, description, amount
// (blank: asked each time), every how many months, first and last calendar
// month (last blank: no end), the months already entered or skipped (every
// occurrence up to the first month, then single later ones after "+"), and
// the remark, which runs to the line's end and so may hold commas. Lines
// starting with ";" are notes. A line that cannot be read is kept as it stands.
namespace hanaki {

inline constexpr std::string_view kFixedItemsFileName = "TEIKI.TXT";
inline constexpr std::size_t kFixedRemarkBytes = 60;  // the ledger's remark
inline constexpr long long kFixedAmountLimit = 999'999'999;

// A calendar month as one number: year * 12 + month - 1 (four-digit years).
int MonthNumber(int year, int month);
int YearOfMonthNumber(int number);
int MonthOfMonthNumber(int number);

struct FixedItem {
    int day = 1;            // 1 … 31; past the month's end it falls on its last day
    bool monthEnd = false;  // written 末; falls like 31
    int category = 1;
    int description = 1;
    std::optional<long long> amount;  // none: asked each time
    int every = 1;                    // 1, 2, 3, 6 or 12 months
    int firstMonth = 0;               // MonthNumber
    std::optional<int> lastMonth;
    // Every occurrence up to this month was entered or skipped ...
    std::optional<int> handledThrough;
    // ... and these later ones too, ascending.
    std::vector<int> handledAfter;
    std::string remark;  // code page 932, at most 60 bytes

    friend bool operator==(const FixedItem&, const FixedItem&) = default;
};

bool IsFixedInterval(int months);

struct FixedItemsLine {
    std::string text;               // the line as read (code page 932, no line end)
    std::optional<FixedItem> item;  // none: a note, a blank line or a line that cannot be read
};

struct FixedItems {
    std::vector<FixedItemsLine> lines;

    // The lines that hold something other than a fixed item or a note.
    std::vector<int> UnreadableLines() const;
};

std::optional<FixedItem> ParseFixedItemLine(std::string_view line);
std::string FixedItemLine(const FixedItem& item);

FixedItems ParseFixedItems(std::string_view bytes);
// Every line CR LF; an item that did not change keeps its line as read, so a
// hand-written " 27, 7" stays as the person wrote it.
std::string SerializeFixedItems(const FixedItems& items);

// A missing file is no fixed items.
IoResult LoadFixedItems(const DataFolder& folder, FixedItems& items);
IoResult SaveFixedItems(const DataFolder& folder, const FixedItems& items, const ChangeNote& note);

}  // namespace hanaki
