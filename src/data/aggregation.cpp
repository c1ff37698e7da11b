#include "data/aggregation.h"

#include <cerrno>

#include "data/ledger.h"

namespace hanaki {

void MonthTotals::AddItem(int category, int description, double amount, bool expense,
                          bool flagged) {
    // Description 0 is the category's own total: a record without a description counts once.
    if (description != 0)
        cells[category][description] += amount;
    cells[category][0] += amount;
    int total = expense ? 1 : 0;
    cells[0][total] += amount;
    if (flagged)
        cells[0][total + 2] += amount;
}

namespace {

// Kind and flag of every category, looked up once per month instead of per item.
struct CategoryRoles {
    std::array<bool, 21> expense{};
    std::array<bool, 21> flagged{};

    CategoryRoles(const CategoryTable& categories, const Settings& settings) {
        for (int c = 1; c <= kMaxCategories; ++c) {
            expense[c] = categories.IsExpense(c);
            flagged[c] = settings.summaryFlags[c] != 0;
        }
    }
};

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
    for (std::size_t offset = 0; offset < all.size(); offset += kLedgerRecordBytes) {
        const std::optional<ItemNumbers> item =
            ReadLedgerRecord(all.substr(offset, kLedgerRecordBytes));
        if (!item) {
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
        if (const std::optional<ItemNumbers> numbers = ReadItemNumbers(item.record))
            totals.AddItem(numbers->category, numbers->description,
                           static_cast<double>(numbers->amount),
                           categories.IsExpense(numbers->category), false);
    });
}

AggregationReport AggregateTwelveMonths(const DataFolder& folder, const CategoryTable& categories,
                                        const Settings& settings, int year, int month,
                                        MonthTotals& totals, TrendTotals& trend) {
    AggregationReport report;
    const CategoryRoles roles(categories, settings);
    std::string bytes;
    for (int k = 0; k < 12; ++k) {
        // Slot 11 is (year, month); slot 0 eleven months earlier.
        int index = year * 12 + (month - 1) - (11 - k);
        AggregationReport one = SumMonth(folder, roles, index / 12, index % 12 + 1, bytes, totals);
        if (!one.io.ok() && report.io.ok())
            report.io = one.io;
        report.unreadableRecords += one.unreadableRecords;
        trend.months[k] = totals;
    }
    return report;
}

}  // namespace hanaki
