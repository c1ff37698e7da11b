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

AggregationReport AggregateMonth(const DataFolder& folder, const CategoryTable& categories,
                                 const Settings& settings, int year, int month,
                                 MonthTotals& totals) {
    AggregationReport report;
    totals.Clear();
    std::string bytes;
    IoResult read = folder.Read(LedgerFileName(year, month), bytes);
    if (!read.ok()) {
        if (read.error->code != ENOENT)
            report.io = read;
        return report;
    }
    if (!bytes.empty())
        totals.MarkHasItems();

    for (std::size_t offset = 0; offset < bytes.size(); offset += kLedgerRecordBytes) {
        std::string_view chunk = std::string_view(bytes).substr(offset, kLedgerRecordBytes);
        std::optional<ItemNumbers> item = ReadItemNumbers(DecodeLedgerRecord(chunk));
        if (chunk.size() < kLedgerRecordBytes || !item || item->category < 1) {
            ++report.unreadableRecords;
            continue;
        }
        totals.AddItem(item->category, item->description, static_cast<double>(item->amount),
                       categories.IsExpense(item->category),
                       settings.summaryFlags[item->category] != 0);
    }
    return report;
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
    for (int k = 0; k < 12; ++k) {
        // Slot 11 is (year, month); slot 0 eleven months earlier.
        int index = year * 12 + (month - 1) - (11 - k);
        AggregationReport one =
            AggregateMonth(folder, categories, settings, index / 12, index % 12 + 1, totals);
        if (!one.io.ok() && report.io.ok())
            report.io = one.io;
        report.unreadableRecords += one.unreadableRecords;
        trend.months[k] = totals;
    }
    return report;
}

}  // namespace hanaki
