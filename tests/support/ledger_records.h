#pragma once

#include <string>
#include <vector>

#include "data/fixed_field.h"
#include "data/ledger.h"
#include "support/cp932_text.h"

namespace hanaki::testing {

// One item as a user reads it; the record holds the names and the remark in
// code page 932.
struct ItemFields {
    std::string date;  // yymmdd, the calendar date
    int category = 2;
    std::string categoryName;
    int description = 1;
    std::string descriptionName;
    std::string amount = "-1000";  // the sign, then the digits
    std::string remark;
};

// The 104 bytes of one ledger record.
inline std::string RecordBytes(const ItemFields& item) {
    return EncodeLedgerRecord({item.date, TwoDigits(item.category), Sjis(item.categoryName),
                               TwoDigits(item.description), Sjis(item.descriptionName), item.amount,
                               Sjis(item.remark)});
}

// A month's ledger file: the records back to back.
inline std::string LedgerFileBytes(const std::vector<ItemFields>& items) {
    std::string bytes;
    for (const ItemFields& item : items)
        bytes += RecordBytes(item);
    return bytes;
}

}  // namespace hanaki::testing
