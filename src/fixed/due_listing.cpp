#include "fixed/due_listing.h"

#include <vector>

#include "data/book/amount_format.h"
#include "data/formats/cp932.h"
#include "data/formats/csv_line.h"
#include "data/formats/display_width.h"
#include "data/formats/fixed_field.h"
#include "fixed/fixed_item_cells.h"

namespace hanaki {
namespace {

struct DueFields {
    std::string date;   // "2026/12/27"
    std::string month;  // "2027/01"
    std::string categoryNumber;
    std::string category;
    std::string descriptionNumber;
    std::string description;
    std::string income;
    std::string expense;
    std::string remark;
};

DueFields FieldsOf(const CategoryTable& categories, const FixedItem& item,
                   const DueOccurrence& occurrence, std::optional<long long> amount, bool grouped) {
    DueFields fields;
    fields.date = std::to_string(occurrence.date.year) + "/" + TwoDigits(occurrence.date.month) +
                  "/" + TwoDigits(occurrence.date.day);
    fields.month = std::to_string(occurrence.accounting.year + 1900) + "/" +
                   TwoDigits(occurrence.accounting.month);
    fields.categoryNumber = std::to_string(item.category);
    fields.descriptionNumber = std::to_string(item.description);
    const std::string& category = categories.names[item.category];
    const std::string& description = categories.descriptions[item.category][item.description];
    fields.category = category.empty() ? kDeletedName : Cp932ToUtf8(category);
    fields.description = description.empty() ? kDeletedName : Cp932ToUtf8(description);
    if (!amount)
        amount = item.amount;
    if (amount) {
        const std::string text = grouped ? FormatGrouped(double(*amount)) : std::to_string(*amount);
        (categories.IsExpense(item.category) ? fields.expense : fields.income) = text;
    }
    fields.remark = Cp932ToUtf8(item.remark);
    return fields;
}

std::string Padded(const std::string& utf8, std::size_t cells, bool right) {
    const std::size_t width = DisplayWidth(utf8);
    const std::string blanks(cells > width ? cells - width : 0, ' ');
    return right ? blanks + utf8 : utf8 + blanks;
}

std::string TextLine(const DueFields& fields) {
    std::string line =
        fields.date + "  " + fields.month + "  " + Padded(fields.category, 12, false) + "  " +
        Padded(fields.description, 12, false) + "  " + Padded(fields.income, 11, true) + "  " +
        Padded(fields.expense, 11, true) + "  " + fields.remark;
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

}  // namespace

DueListing::DueListing(const CategoryTable& categories, const FixedItems& items, bool csv,
                       std::ostream& out)
    : categories_(categories), items_(items), csv_(csv), out_(out) {
    if (csv_)
        out_ << CsvLine(
            {"日付", "月度", "費目番号", "費目", "摘要番号", "摘要", "入金", "支出", "備考"});
}

void DueListing::Add(const DueOccurrence& occurrence, std::optional<long long> amount) {
    const FixedItem& item = *items_.lines[occurrence.line].item;
    if (!csv_) {
        out_ << TextLine(FieldsOf(categories_, item, occurrence, amount, true)) << "\n";
        return;
    }
    const DueFields f = FieldsOf(categories_, item, occurrence, amount, false);
    out_ << CsvLine({f.date, f.month, f.categoryNumber, f.category, f.descriptionNumber,
                     f.description, f.income, f.expense, SpreadsheetText(f.remark)});
}

std::string DueRefusalText(DueRefusal refusal, const DueOccurrence& occurrence) {
    switch (refusal) {
        case DueRefusal::NoAmount:
            return "金額が決まっていないため、記入しませんでした";
        case DueRefusal::DeletedCategory:
            return "費目か摘要が削除されているため、記入しませんでした";
        case DueRefusal::MonthFull:
            return std::to_string(occurrence.accounting.year + 1900) + "年" +
                   std::to_string(occurrence.accounting.month) +
                   "月度の項目は1000件までのため、記入しませんでした";
        case DueRefusal::OutsideYears:
            return "2049年より後の月度には記入できません";
        case DueRefusal::None:
            break;
    }
    return {};
}

std::string DueListing::Describe(const DueOccurrence& occurrence) const {
    const FixedItem& item = *items_.lines[occurrence.line].item;
    return TextLine(FieldsOf(categories_, item, occurrence, std::nullopt, true));
}

}  // namespace hanaki
