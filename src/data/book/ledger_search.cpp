#include "data/book/ledger_search.h"

#include <cerrno>

#include "data/formats/calendar.h"

namespace hanaki {

std::string_view WithoutTrailingBlanks(std::string_view field) {
    std::size_t size = field.size();
    // A remark is mostly blanks: eight at a time.
    while (size >= 8 && field.substr(size - 8, 8) == "        ")
        size -= 8;
    while (size > 0 && field[size - 1] == ' ')
        --size;
    return field.substr(0, size);
}

// The core of every search: hands each readable record of the month that
// `match` takes to `found`, and adds the month's problems to `search`.
void SearchMonthLedger(const DataFolder& folder, int year, int month, const RecordMatch& match,
                       std::string& buffer, LedgerSearch& search,
                       const std::function<void(const FoundRecord& found)>& found) {
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
        const RecordFields fields{bytes, *numbers};
        if (match(fields))
            found({year, month, static_cast<int>(offset / kLedgerRecordBytes) + 1, fields});
    }
    if (unreadable > 0) {
        search.problems.push_back(name + " の " + std::to_string(unreadable) +
                                  "件の記録が読み取れません。これらの記録は検索されません。");
    }
}

void SearchLedgers(const DataFolder& folder, MonthSpan span, const RecordMatch& match,
                   const std::function<void(const FoundRecord& found)>& found,
                   const std::function<void(const LedgerSearch& month)>& monthEnd) {
    std::string buffer;
    LedgerSearch month;
    for (int index = span.first; index <= span.last; ++index) {
        month.problems.clear();
        month.readFailed = false;
        SearchMonthLedger(folder, index / 12, index % 12 + 1, match, buffer, month, found);
        monthEnd(month);
    }
}

bool IsIncomeItem(const CategoryTable& categories, int category, std::string_view amount) {
    if (categories.HasCategory(category))
        return !categories.IsExpense(category);
    return !amount.empty() && amount.front() == '+';
}

std::string CalendarDateText(std::string_view yymmdd, int accountingYear) {
    std::string text;
    AppendCalendarDate(yymmdd, accountingYear, text);
    return text;
}

void AppendCalendarDate(std::string_view yymmdd, int accountingYear, std::string& out) {
    const int yy = (yymmdd[0] - '0') * 10 + (yymmdd[1] - '0');
    // The year of those two digits nearest to the accounting month's.
    int year = accountingYear - accountingYear % 100 + yy;
    if (year - accountingYear > 50)
        year -= 100;
    else if (accountingYear - year > 50)
        year += 100;
    const char text[] = {char('0' + year / 1000),
                         char('0' + year / 100 % 10),
                         char('0' + year / 10 % 10),
                         char('0' + year % 10),
                         '/',
                         yymmdd[2],
                         yymmdd[3],
                         '/',
                         yymmdd[4],
                         yymmdd[5]};
    out.append(text, sizeof text);
}

LedgerRecord ChainRecord(const FoundItem& item, int closingDay) {
    LedgerRecord record = item.record;
    record.date = CalendarToAccounting(closingDay, record.date);
    return record;
}

}  // namespace hanaki
