#pragma once

#include "data/formats/ledger.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"
#include "ten_full_years.h"

// The heaviest household the main window meets: the twelve accounting months
// up to 30 November 2026 each hold all 1000 items, under seventeen categories
// with budgets.
namespace hanaki {

inline void WriteFullYear(const testing::TempFolder& dir) {
    dir.Write(
        "VERADIV.DAT",
        testing::Sjis("+給料\r\n月給,賞与\r\n+副収入\r\n\r\n+利息\r\n\r\n+臨時収入\r\n\r\n"
                      "+繰越\r\n\r\n-食費\r\nスーパー,外食\r\n-住居\r\n\r\n-光熱費\r\n\r\n"
                      "-通信費\r\n\r\n-交通費\r\n\r\n-医療費\r\n\r\n-娯楽費\r\n\r\n-教育費\r\n\r\n"
                      "-衣料費\r\n\r\n-日用品\r\n\r\n-交際費\r\n\r\n-雑費\r\n\r\n"));
    dir.Write("VERADIV.ENV", " 31 \r\n5,1\r\n,,,,,60000,80000,20000" + std::string(12, ',') +
                                 "\r\n1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1\r\n");
    for (int month = 0; month < 12; ++month) {
        const int year = month == 0 ? 2025 : 2026;
        const int number = month == 0 ? 12 : month;
        dir.Write(LedgerFileName(year - 1900, number), FullMonthOfRemarks(year, number));
    }
}

}  // namespace hanaki
