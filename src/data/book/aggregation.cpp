#include "data/book/aggregation.h"

#include <algorithm>
#include <cerrno>

#include "data/formats/ledger.h"

namespace hanaki {

void MonthTotals::AddItem(int category, int description, double amount, bool expense,
                          bool flagged) {
    // Description 0 is the category's own total: a record without a description counts once.
    if (description != 0) {
        cells[category][description] += amount;
        booked[category][description] = true;
    }
    cells[category][0] += amount;
    booked[category][0] = true;
    int total = expense ? 1 : 0;
    cells[0][total] += amount;
    if (flagged)
        cells[0][total + 2] += amount;
}

void MonthTotals::AddDeletedItem(int category, double amount, bool expense, bool flagged,
                                 std::string_view storedName) {
    DeletedCategorySum& sum = deleted[category][expense ? 1 : 0];
    if (!sum.present) {
        sum.present = true;
        sum.name = std::string(storedName.substr(0, storedName.find_last_not_of(' ') + 1));
    }
    sum.amount += amount;
    const int total = expense ? 1 : 0;
    cells[0][total] += amount;
    if (flagged)
        cells[0][total + 2] += amount;
}

namespace {

// Where the fields of a deleted category's item lie in a 104-byte record (see ledger.h).
constexpr std::size_t kCategoryNameAt = 8;
constexpr std::size_t kCategoryNameBytes = 12;
constexpr std::size_t kAmountSignAt = 34;

// Kind and flag of every category, looked up once per month instead of per item.
struct CategoryRoles {
    std::array<bool, 21> expense{};
    std::array<bool, 21> flagged{};
    std::array<bool, 21> named{};

    CategoryRoles(const CategoryTable& categories, const Settings& settings) {
        for (int c = 1; c <= kMaxCategories; ++c) {
            named[c] = !categories.names[c].empty();
            expense[c] = categories.IsExpense(c);
            flagged[c] = settings.summaryFlags[c] != 0;
        }
    }
};

// An item of a deleted category counts by its sign: false when it has none.
bool AddDeletedItem(MonthTotals& totals, int category, double amount, char sign, bool flagged,
                    std::string_view storedName) {
    if (sign != '+' && sign != '-')
        return false;
    totals.AddDeletedItem(category, amount, sign == '-', flagged, storedName);
    return true;
}

AggregationReport SumMonth(const DataFolder& folder, const CategoryRoles& roles, int year,
                           int month, std::string& bytes, MonthTotals& totals) {
    AggregationReport report;
    totals.Clear();
    IoResult read = folder.Read(LedgerFileName(year, month), bytes);
    if (!read.ok()) {
        if (read.error->code != ENOENT)
            report.io = read;
        return report;
    }
    if (!bytes.empty())
        totals.MarkHasItems();

    const std::string_view all(bytes);
    for (std::size_t i = 0; i < LedgerRecordCount(all.size()); ++i) {
        const std::optional<ItemNumbers> item =
            ReadLedgerRecord(all.substr(i * kLedgerRecordBytes, kLedgerRecordBytes));
        if (!item) {
            ++report.unreadableRecords;
            continue;
        }
        if (!roles.named[item->category]) {
            const std::string_view record = all.substr(i * kLedgerRecordBytes, kLedgerRecordBytes);
            if (!AddDeletedItem(totals, item->category, static_cast<double>(item->amount),
                                record[kAmountSignAt], true,
                                record.substr(kCategoryNameAt, kCategoryNameBytes)))
                ++report.unreadableRecords;
            continue;
        }
        totals.AddItem(item->category, item->description, static_cast<double>(item->amount),
                       roles.expense[item->category], roles.flagged[item->category]);
    }
    return report;
}

}  // namespace

AggregationReport AggregateMonth(const DataFolder& folder, const CategoryTable& categories,
                                 const Settings& settings, int year, int month,
                                 MonthTotals& totals) {
    std::string bytes;
    return SumMonth(folder, CategoryRoles(categories, settings), year, month, bytes, totals);
}

void SumMonthLedger(const MonthLedger& ledger, const CategoryTable& categories,
                    MonthTotals& totals) {
    totals.Clear();
    WalkChain(ledger, [&](int, const LedgerSlot& item) {
        if (item.unreadable)
            return;
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(item.record);
        if (!numbers)
            return;
        const double amount = static_cast<double>(numbers->amount);
        if (categories.names[numbers->category].empty())
            AddDeletedItem(totals, numbers->category, amount, item.record.amount.front(), false,
                           item.record.categoryName);
        else
            totals.AddItem(numbers->category, numbers->description, amount,
                           categories.IsExpense(numbers->category), false);
    });
}

AggregationReport AggregateTwelveMonths(const DataFolder& folder, const CategoryTable& categories,
                                        const Settings& settings, int year, int month,
                                        TrendTotals& trend) {
    AggregationReport report;
    const CategoryRoles roles(categories, settings);
    std::string bytes;
    for (int k = 0; k < 12; ++k) {
        const AccountingMonth slot = TrendMonthOfSlot(year, month, k);
        AggregationReport one =
            SumMonth(folder, roles, slot.year, slot.month, bytes, trend.months[k]);
        if (!one.io.ok() && report.io.ok())
            report.io = one.io;
        report.unreadableRecords += one.unreadableRecords;
    }
    return report;
}

int MonthsWithItems(const TrendTotals& trend) {
    return static_cast<int>(
        std::count_if(trend.months.begin(), trend.months.end(),
                      [](const MonthTotals& month) { return month.hasItems(); }));
}

}  // namespace hanaki
