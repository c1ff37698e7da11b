#pragma once

#include <string>
#include <vector>

#include "data/formats/ledger.h"
#include "support/cp932_text.h"

namespace hanaki::testing {

// One item as a user reads it; the record holds the names and the remark in
// code page 932, the numbers as the file holds them (TwoDigits(n), or damaged).
// Every field has a default: a test names those it is about.
struct ItemFields {
    std::string date = "000101";  // yymmdd, the calendar date
    std::string category = "02";
    std::string categoryName = "";
    std::string description = "01";
    std::string descriptionName = "";
    std::string amount = "-1000";  // the sign, then the digits
    std::string remark = "";
};

// The record as a month's chain holds it.
inline LedgerRecord RecordOf(const ItemFields& item) {
    return {item.date,
            item.category,
            Sjis(item.categoryName),
            item.description,
            Sjis(item.descriptionName),
            item.amount,
            Sjis(item.remark)};
}

// The 104 bytes of one ledger record.
inline std::string RecordBytes(const ItemFields& item) {
    return EncodeLedgerRecord(RecordOf(item));
}

// A month's ledger file: the records back to back.
inline std::string LedgerFileBytes(const std::vector<ItemFields>& items) {
    std::string bytes;
    for (const ItemFields& item : items)
        bytes += RecordBytes(item);
    return bytes;
}

}  // namespace hanaki::testing
