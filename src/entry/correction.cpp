#include "entry/correction.h"

#include "data/formats/fixed_field.h"
#include "ui/text_codec.h"

namespace hanaki {

std::optional<Correction> Correction::Of(const LedgerRecord& record, int slot, int row) {
    const std::optional<ItemNumbers> numbers = ReadItemNumbers(record);
    if (!numbers)
        return std::nullopt;
    Correction correction;
    correction.slot = slot;
    correction.row = row;
    correction.category = numbers->category;
    correction.description = numbers->description;
    correction.categoryName = FromCp932(TrimRight(record.categoryName));
    correction.descriptionName = FromCp932(TrimRight(record.descriptionName));
    correction.amountText = TrimRight(record.amount);
    correction.amount = QString::fromStdString(correction.amountText.substr(1));
    correction.remark = FromCp932(TrimRight(record.remark));
    return correction;
}

}  // namespace hanaki
