#pragma once

#include <string>

#include "data/formats/fixed_field.h"
#include "settings/household.h"
#include "support/ledger_records.h"

namespace hanaki::testing {

// Five income and twelve expense categories; 食費 (6) has a budget of 30,000,
// 娯楽費 (12) is left out of the summaries.
inline const char* const kSeventeenCategories =
    "+給料\r\n月給,賞与\r\n+副収入\r\n\r\n+利息\r\n\r\n+臨時収入\r\n\r\n+繰越\r\n\r\n"
    "-食費\r\n朝食,夕食\r\n-住居\r\n\r\n-光熱費\r\n\r\n-通信費\r\n\r\n-交通費\r\n\r\n"
    "-医療費\r\n\r\n-娯楽費\r\n\r\n-教育費\r\n\r\n-衣料費\r\n\r\n-日用品\r\n\r\n"
    "-交際費\r\n\r\n-雑費\r\n\r\n";
inline const char* const kSeventeenSettings =
    " 31 \r\n0,0\r\n,,,,,30000,,,,,,,,,,,,,,\r\n1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1\r\n";

// One item as a ledger file holds it.
inline std::string Item(int category, int description, long long amount) {
    // The sign character is not read.
    return RecordBytes({.date = "990310",
                        .category = TwoDigits(category),
                        .description = TwoDigits(description),
                        .amount = "+" + std::to_string(amount)});
}

// An item as it was entered, with its sign and the category name of the time.
inline std::string SignedItem(int category, const std::string& name,
                              const std::string& signedAmount) {
    return RecordBytes({.date = "990310",
                        .category = TwoDigits(category),
                        .categoryName = name,
                        .amount = signedAmount});
}

struct SummaryHousehold : Household {
    SummaryHousehold() {
        UseCategories(kSeventeenCategories);
        UseSettings(kSeventeenSettings);
        state.date = CurrentDate{99, 3, 10};
    }
};

}  // namespace hanaki::testing
