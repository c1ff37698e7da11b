#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "data/book/ledger_search.h"
#include "data/formats/category_table.h"

// `hanaki --find TEXT [--from YYYY MM] [--to YYYY MM] [--csv [--encoding cp932]]`:
// the items of every month that the find rule matches, oldest first, without a display.
namespace hanaki {

struct FindRequest {
    std::optional<std::string> text;  // UTF-8; nullopt until --find is given
    MonthSpan span;
    bool csv = false;
    bool cp932 = false;  // code page 932 instead of UTF-8
};

// --find, --from and --to.
bool IsFindArgument(const std::string& arg);
// Takes args[i], one of those, with its values into `find` and moves `i` to
// its last value; returns a Japanese message when they cannot be used.
std::string TakeFindArgument(const std::vector<std::string>& args, std::size_t& i,
                             std::optional<FindRequest>& find);
// A Japanese message when the request as a whole cannot be used, else empty.
std::string FindRequestError(const FindRequest& find);

// "見つかった項目 3件  入金合計 200,000  支出合計 1,300": the count and the
// totals of the items found, and the memo lines found when there are any (UTF-8).
std::string FoundTotalsLine(std::size_t items, std::size_t memoLines, double income,
                            double expense);

// Returns the exit code: 0 something was found and every record searched;
// 1 nothing was found, or the folder or its master is missing, or a month
// file or a damaged record could not be searched (every file that could is
// still searched). What could not be searched is named on `err`.
int RunFindCommand(const std::string& dataDir, const FindRequest& request, std::ostream& out,
                   std::ostream& err);

}  // namespace hanaki
