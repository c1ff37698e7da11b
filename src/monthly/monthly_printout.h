#pragma once

#include <string>
#include <vector>

#include "data/disk/io_result.h"
#include "data/formats/memo.h"
#include "monthly/monthly_rows.h"

namespace hanaki {

class PrintSurface;

// Everything the printout of one accounting month shows.
struct MonthlyPrintout {
    int year = 2000;  // four digits
    int month = 1;
    int closingDay = 31;
    std::vector<MonthlyRow> rows;
    TotalsTexts totals;  // as the monthly table shows them
    bool hasMemoFile = false;
    MemoMonth memo;
};

// "   1999年(平成11年)12月度     家 計 簿 一 覧" (UTF-8).
std::string PrintoutTitle(int year, int month);

// The ruled list, 58 items a page, the totals and the memo section; ends the
// document and reports whether it could be finished.
IoResult PrintMonthlyTable(PrintSurface& surface, const MonthlyPrintout& printout);

}  // namespace hanaki
