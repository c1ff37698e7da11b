#pragma once

#include <QString>
#include <optional>
#include <string>

#include "data/formats/ledger.h"

namespace hanaki {

// An item of the displayed day opened for correction (訂正): where it lives
// and what it held, so that Enter on an untouched field keeps it (変更なし).
struct Correction {
    int slot = 0;  // its ledger slot
    int row = 0;   // its 1-based row in the day grid
    int category = 0;
    int description = 0;
    QString categoryName;
    QString descriptionName;
    QString amount;          // as the amount field shows it, without the sign
    std::string amountText;  // the stored "+" or "-" and digits
    QString remark;
    // The amount shown is the old one: the first character typed replaces it.
    bool amountPrefilled = true;

    // Nullopt for a record whose numbers cannot be read.
    static std::optional<Correction> Of(const LedgerRecord& record, int slot, int row);
};

}  // namespace hanaki
