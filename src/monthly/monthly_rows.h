#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/formats/category_table.h"
#include "data/formats/ledger.h"

// The items of the open month as the monthly table lists them and the
// printout prints them: chain order, with the balance after each item.
namespace hanaki {

struct MonthlyRow {
    int slot = 0;  // the item's ledger slot
    LedgerRecord record;
    std::string calendarDate;  // yymmdd as the user's calendar has it
    long long amount = 0;
    bool income = false;
    long long balance = 0;  // from 0 at the month's first item
};

// Records that could not be read are left out, as everywhere on screen.
std::vector<MonthlyRow> CollectMonthlyRows(const MonthLedger& ledger,
                                           const CategoryTable& categories, int closingDay);

// "4/5" on screen; " 4/5" on paper (a leading zero of the month becomes a blank).
std::string TableDate(std::string_view yymmdd);
std::string PrintedDate(std::string_view yymmdd);

// The three totals as the main window shows them ("##,###,##0").
struct TotalsTexts {
    std::string income;
    std::string expense;
    std::string balance;
};
TotalsTexts ShownTotals(double income, double expense);
// The totals of the rows listed, as the table and the printout show them under the rows.
TotalsTexts TotalsOfRows(const std::vector<MonthlyRow>& rows);

}  // namespace hanaki
