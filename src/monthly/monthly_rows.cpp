#include "monthly/monthly_rows.h"

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"

namespace hanaki {

std::vector<MonthlyRow> CollectMonthlyRows(const MonthLedger& ledger,
                                           const CategoryTable& categories, int closingDay) {
    std::vector<MonthlyRow> rows;
    long long balance = 0;
    int slot = ledger.head;
    for (std::size_t guard = 0; slot != 0 && guard < ledger.entries.size(); ++guard) {
        const LedgerSlot& item = ledger.entries[slot];
        const std::optional<ItemNumbers> numbers =
            item.unreadable ? std::nullopt : ReadItemNumbers(item.record);
        if (numbers) {
            MonthlyRow row;
            row.slot = slot;
            row.record = item.record;
            row.calendarDate = AccountingToCalendar(closingDay, item.record.date);
            row.amount = numbers->amount;
            row.income = !categories.IsExpenseItem(numbers->category, item.record.amount);
            // Wider than the 32 bits of old: a month of large amounts must not wrap.
            balance += row.income ? row.amount : -row.amount;
            row.balance = balance;
            rows.push_back(std::move(row));
        }
        slot = item.next;
    }
    return rows;
}

namespace {

std::string NumberAt(std::string_view yymmdd, std::size_t at) {
    return std::to_string(ParseInteger(yymmdd.substr(at, 2)).value_or(0));
}

}  // namespace

std::string TableDate(std::string_view yymmdd) {
    if (yymmdd.size() != 6)
        return std::string(yymmdd);
    return NumberAt(yymmdd, 2) + "/" + NumberAt(yymmdd, 4);
}

std::string PrintedDate(std::string_view yymmdd) {
    if (yymmdd.size() != 6)
        return std::string(yymmdd);
    std::string text = std::string(yymmdd.substr(2, 2)) + "/" + NumberAt(yymmdd, 4);
    if (text[0] == '0')
        text[0] = ' ';
    return text;
}

TotalsTexts ShownTotals(double income, double expense) {
    return {FormatGrouped(income), FormatGrouped(expense), FormatGrouped(income - expense)};
}

TotalsTexts TotalsOfRows(const std::vector<MonthlyRow>& rows) {
    double income = 0;
    double expense = 0;
    for (const MonthlyRow& row : rows)
        (row.income ? income : expense) += static_cast<double>(row.amount);
    return ShownTotals(income, expense);
}

}  // namespace hanaki
