#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"

// Finding items in every ledger file of the data folder. Which items match is
// the caller's rule; the search walks the files and names what it cannot read.
namespace hanaki {

// A readable record, its texts left in place as the file holds them (code page 932).
struct RecordFields {
    std::string_view bytes;  // the whole 104 bytes
    ItemNumbers numbers;

    std::string_view categoryName() const { return bytes.substr(8, 12); }
    std::string_view descriptionName() const { return bytes.substr(22, 12); }
    std::string_view amount() const { return bytes.substr(34, 10); }
    std::string_view remark() const { return bytes.substr(44, 60); }
};

// A field of a record without its trailing blanks.
std::string_view WithoutTrailingBlanks(std::string_view field);

using RecordMatch = std::function<bool(const RecordFields&)>;

struct FoundItem {
    int year = 0;  // accounting month, four-digit year
    int month = 0;
    // The record's slot as LoadMonthLedger numbers a month: file order from 1.
    int slot = 0;
    LedgerRecord record;  // as the file holds it: the calendar date
    ItemNumbers numbers;
};

// What a search met besides its finds.
struct LedgerSearch {
    // A Japanese sentence (UTF-8) for each file that could not be read and
    // each file holding records that cannot be read (those are not searched).
    std::vector<std::string> problems;
    bool readFailed = false;  // some file could not be read
};

// A record found, as the file holds it: its bytes last while the call that is handed it lasts.
struct FoundRecord {
    int year = 0;  // accounting month, four-digit year
    int month = 0;
    int slot = 0;  // as FoundItem's
    RecordFields fields;
};

// Searches the ledger file of accounting month (year, month) (four-digit year),
// handing each record found to `found` and adding its problems to `search`;
// `buffer` holds the file's bytes, and so the records found, after the call.
void SearchMonthLedger(const DataFolder& folder, int year, int month, const RecordMatch& match,
                       std::string& buffer, LedgerSearch& search,
                       const std::function<void(const FoundRecord& found)>& found);

// A span of accounting months, both ends included, as year * 12 + month - 1.
struct MonthSpan {
    int first = 1950 * 12;
    int last = 2049 * 12 + 11;
};

// Searches the ledger file of each month in `span`, oldest first, and hands
// each record found to `found` as it is read, so that a century's results are
// never held at once, nor copied out of the file's bytes; then hands the
// month's problems to `monthEnd`.
void SearchLedgers(const DataFolder& folder, MonthSpan span, const RecordMatch& match,
                   const std::function<void(const FoundRecord& found)>& found,
                   const std::function<void(const LedgerSearch& month)>& monthEnd);

// True when the item goes in the income column: by its category's kind in the
// master, or by the record's sign (the amount field's first byte) where the
// master has no such category.
bool IsIncomeItem(const CategoryTable& categories, int category, std::string_view amount);

// The calendar date of a record's yymmdd as "YYYY/MM/DD", in accounting month
// `accountingYear` (four digits): the century is that month's, which may
// begin in December of the year before (December 1949 in 1950年1月度).
std::string CalendarDateText(std::string_view yymmdd, int accountingYear);
// The same, added to `out`.
void AppendCalendarDate(std::string_view yymmdd, int accountingYear, std::string& out);

// The record found as a month read into a chain holds it: with the accounting date.
LedgerRecord ChainRecord(const FoundItem& item, int closingDay);

}  // namespace hanaki
