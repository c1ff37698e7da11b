#include "data/ledger_search.h"

#include <cerrno>

#include "data/calendar.h"

namespace hanaki {

void SearchMonthLedger(const DataFolder& folder, int year, int month, const RecordMatch& match,
                       std::string& buffer, LedgerSearch& search) {
    const std::string name = LedgerFileName(year - 1900, month);
    const IoResult read = folder.Read(name, buffer);
    if (!read.ok()) {
        if (read.error->code != ENOENT) {
            search.problems.push_back(DescribeIoError(*read.error));
            search.readFailed = true;
        }
        return;
    }
    int unreadable = 0;
    const std::string_view all(buffer);
    for (std::size_t offset = 0; offset < all.size(); offset += kLedgerRecordBytes) {
        const std::string_view bytes = all.substr(offset, kLedgerRecordBytes);
        const std::optional<ItemNumbers> numbers = ReadLedgerRecord(bytes);
        if (!numbers) {
            ++unreadable;
            continue;
        }
        if (match(RecordFields{bytes, *numbers})) {
            const int slot = static_cast<int>(offset / kLedgerRecordBytes) + 1;
            search.items.push_back({year, month, slot, DecodeLedgerRecord(bytes), *numbers});
        }
    }
    if (unreadable > 0) {
        search.problems.push_back(name + " の " + std::to_string(unreadable) +
                                  "件の記録が読み取れません。これらの記録は検索されません。");
    }
}

void SearchLedgers(const DataFolder& folder, MonthSpan span, const RecordMatch& match,
                   const std::function<void(const LedgerSearch& month)>& found) {
    std::string buffer;
    LedgerSearch month;
    for (int index = span.first; index <= span.last; ++index) {
        month.items.clear();  // keeps its room for the next month
        month.problems.clear();
        month.readFailed = false;
        SearchMonthLedger(folder, index / 12, index % 12 + 1, match, buffer, month);
        found(month);
    }
}

bool IsIncomeItem(const CategoryTable& categories, const FoundItem& item) {
    if (categories.HasCategory(item.numbers.category))
        return !categories.IsExpense(item.numbers.category);
    return !item.record.amount.empty() && item.record.amount.front() == '+';
}

std::string CalendarDateText(std::string_view yymmdd) {
    const int yy = (yymmdd[0] - '0') * 10 + (yymmdd[1] - '0');
    return std::to_string(ExpandTwoDigitYear(yy) + 1900) + "/" + std::string(yymmdd.substr(2, 2)) +
           "/" + std::string(yymmdd.substr(4, 2));
}

bool StillHolds(const MonthLedger& ledger, const FoundItem& item, int closingDay) {
    LedgerRecord found = item.record;
    found.date = CalendarToAccounting(closingDay, found.date);
    return HoldsItem(ledger, item.slot, found);
}

}  // namespace hanaki
