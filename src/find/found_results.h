#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/formats/calendar.h"
#include "data/formats/category_table.h"
#include "data/formats/memo.h"
#include "find/item_text_match.h"

// What the find screen found: the items and memo lines of every month, newest
// first, each kept as where it is rather than as a copy, so that a century of
// results stays small; a result is read back from its file when it is shown.
namespace hanaki {

// One result: its accounting month, its ledger slot or memo line, and a check
// of the bytes found there, by which a result whose file changed is known.
struct FoundPlace {
    std::uint16_t month = 0;  // accounting months since January 1950
    std::uint16_t where = 0;  // ledger slot 1 …, or kMemoPlace + day * 4 + line
    std::uint32_t check = 0;
};
constexpr std::uint16_t kMemoPlace = 0x8000;

// A result read back as it was found.
struct FoundRow {
    int year = 0;  // accounting month, four digits
    int month = 0;
    int slot = 0;  // ledger slot; 0 for a memo line
    int day = 0;   // a memo line's accounting day
    // The record's 104 bytes, or the memo line without its trailing blanks
    // (code page 932); they last until the next read.
    std::string_view bytes;
    bool memo() const { return slot == 0; }
};

class FoundResults {
  public:
    explicit FoundResults(const DataFolder& folder);

    // Forgets every result, for a search with closing day `closingDay`.
    void Clear(int closingDay);
    // Searches accounting month `index` (year * 12 + month - 1) and adds what
    // `match` takes, newest first: a day's memo lines before its items. What
    // cannot be read is added to `problems` (Japanese, UTF-8).
    void SearchMonth(int index, ItemTextMatch& match, const CategoryTable& categories,
                     std::vector<std::string>& problems);

    std::size_t size() const { return places_.size(); }
    std::size_t items() const { return items_; }
    std::size_t memoLines() const { return places_.size() - items_; }
    double income() const { return income_; }
    double expense() const { return expense_; }

    // Result `row` as it was found; nullopt once its file no longer holds it.
    std::optional<FoundRow> Read(std::size_t row) const;
    AccountingMonth MonthOf(std::size_t row) const;
    // The files changed: results are read from them anew.
    void ForgetReadBack();

  private:
    const std::string* MonthBytes(int index) const;
    const MemoMonth* MonthMemo(int index) const;

    const DataFolder& folder_;
    int closingDay_ = 31;
    std::vector<FoundPlace> places_;
    std::size_t items_ = 0;
    double income_ = 0;
    double expense_ = 0;
    std::string buffer_;  // the month being searched
    // The months read back last: a page of results lies in one or two.
    struct CachedMonth {
        int index = -1;
        std::string bytes;
    };
    mutable CachedMonth ledgers_[2];
    mutable int nextLedger_ = 0;
    mutable int memoIndex_ = -1;
    mutable MemoMonth memo_;
};

}  // namespace hanaki
