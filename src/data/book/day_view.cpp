#include "data/book/day_view.h"

namespace hanaki {

DayView BuildDayView(const MonthLedger& ledger, const CategoryTable& categories,
                     const std::string& dateKey) {
    const DayItems day = CollectDay(ledger, dateKey);
    DayView view;
    view.insertionPoint = day.insertionPoint;
    view.rows.reserve(day.items.size());
    long long balance = 0;
    for (int slot : day.items) {
        DayRow row{slot};
        if (const std::optional<ItemNumbers> numbers =
                ReadItemNumbers(ledger.entries[slot].record)) {
            row.amount = numbers->amount;
            row.expense =
                categories.IsExpenseItem(numbers->category, ledger.entries[slot].record.amount);
        }
        balance += row.expense ? -row.amount : row.amount;
        row.balance = balance;
        view.rows.push_back(row);
    }
    return view;
}

}  // namespace hanaki
