#pragma once

#include <string>

#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

// Full years of ledgers (1000 items a month; ten years: 2016 to 2025) for the find benchmarks.
namespace hanaki {

inline std::string FullMonthOfRemarks(int year, int month) {
    static const char* const kRemarks[] = {
        "駅前の店で夕食の材料", "ガソリン代",       "ｶﾞｿﾘﾝ",        "電気代 3月分", "",
        "ＡＢＣマート",         "自動車保険の更新", "Amazon 日用品"};
    std::string bytes;
    for (int i = 0; i < kLedgerSlots; ++i) {
        const int category = 1 + i % 17;
        bytes += testing::RecordBytes(
            {.date = TwoDigits(year % 100) + TwoDigits(month) + TwoDigits(1 + i * 28 / 1000),
             .category = TwoDigits(category),
             .categoryName = category <= 5 ? "給料" : "食費",
             .description = TwoDigits(1 + i % 3),
             .descriptionName = "スーパー",
             .amount = (category <= 5 ? "+" : "-") + std::to_string(100 + i * 37 % 50000),
             .remark = std::string(kRemarks[i % 8]) + " " + std::to_string(i)});
    }
    return bytes;
}

// Full months from January `first` to December `last`.
inline void WriteFullYears(const testing::TempFolder& dir, int first, int last) {
    for (int year = first; year <= last; ++year) {
        for (int month = 1; month <= 12; ++month)
            dir.Write(LedgerFileName(year - 1900, month), FullMonthOfRemarks(year, month));
    }
}

inline void WriteTenFullYears(const testing::TempFolder& dir) {
    WriteFullYears(dir, 2016, 2025);
}

}  // namespace hanaki
