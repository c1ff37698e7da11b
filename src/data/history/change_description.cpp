#include "data/history/change_description.h"

#include <algorithm>

#include "data/formats/category_table.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/fixed_items.h"
#include "data/formats/ledger.h"
#include "data/formats/settings.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"

namespace hanaki {
namespace {

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool HasMonthName(std::string_view fileName, std::string_view extension) {
    return fileName.size() == 10 && IsDigits(fileName.substr(0, 6)) &&
           fileName.substr(6) == extension;
}

std::string_view Record(std::string_view bytes, std::size_t index) {
    return bytes.substr(index * kLedgerRecordBytes, kLedgerRecordBytes);
}

// The records that differ between the two files once their common beginning
// and end are set aside: an item is added, deleted or corrected in place, so
// one record on either side tells which.
ChangeNote DescribeLedgerChange(std::string_view fileName, std::string_view before,
                                std::string_view after) {
    const std::size_t oldCount = (before.size() + kLedgerRecordBytes - 1) / kLedgerRecordBytes;
    const std::size_t newCount = (after.size() + kLedgerRecordBytes - 1) / kLedgerRecordBytes;
    std::size_t head = 0;
    while (head < oldCount && head < newCount && Record(before, head) == Record(after, head))
        ++head;
    std::size_t tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           Record(before, oldCount - 1 - tail) == Record(after, newCount - 1 - tail))
        ++tail;
    const std::size_t removed = oldCount - head - tail;
    const std::size_t added = newCount - head - tail;
    if (removed == 0 && added == 1)
        return {ChangeKind::Add, DescribeLedgerItem(Record(after, head))};
    if (removed == 1 && added == 0)
        return {ChangeKind::Delete, DescribeLedgerItem(Record(before, head))};
    if (removed == 1 && added == 1)
        return {ChangeKind::Correct, DescribeLedgerItem(Record(after, head))};
    const ChangeKind kind = added == 0     ? ChangeKind::Delete
                            : removed == 0 ? ChangeKind::Add
                                           : ChangeKind::Correct;
    return {kind, AccountingMonthOfFile(fileName) + "の" +
                      std::to_string(std::max(removed, added)) + "件"};
}

}  // namespace

std::string AccountingMonthOfFile(std::string_view fileName) {
    if (!HasMonthName(fileName, ".DAT") && !HasMonthName(fileName, ".MEM"))
        return {};
    const int month = std::stoi(std::string(fileName.substr(4, 2)));
    return std::string(fileName.substr(0, 4)) + "年" + std::to_string(month) + "月度";
}

std::string DataFileInWords(std::string_view fileName) {
    const std::string name(fileName);
    if (HasMonthName(fileName, ".DAT"))
        return AccountingMonthOfFile(fileName) + "のファイル(" + name + ")";
    if (HasMonthName(fileName, ".MEM"))
        return AccountingMonthOfFile(fileName) + "のメモのファイル(" + name + ")";
    if (fileName == kCategoryFileName)
        return "費目ファイル(" + name + ")";
    if (fileName == kSettingsFileName)
        return "設定ファイル(" + name + ")";
    return name;
}

std::string DescribeLedgerItem(std::string_view record) {
    const LedgerRecord item = DecodeLedgerRecord(record);
    std::string text;
    auto add = [&](std::string_view cp932) {
        std::string_view word = TrimBlanks(cp932);
        if (!word.empty())
            text += (text.empty() ? "" : " ") + Cp932ToUtf8(word);
    };
    const std::string_view date = item.date;
    if (IsDigits(date))
        text = std::to_string(std::stoi(std::string(date.substr(2, 2)))) + "/" +
               std::to_string(std::stoi(std::string(date.substr(4, 2))));
    add(item.categoryName);
    add(item.descriptionName);
    const std::string_view digits = TrimBlanks(std::string_view(item.amount).substr(1));
    if (IsDigits(digits))
        add(std::to_string(std::stoll(std::string(digits))));
    add(item.remark);
    return text;
}

ChangeNote DescribeChange(std::string_view fileName, const std::optional<std::string_view>& before,
                          const std::optional<std::string_view>& after) {
    if (HasMonthName(fileName, ".DAT"))
        return DescribeLedgerChange(fileName, before.value_or(""), after.value_or(""));
    if (HasMonthName(fileName, ".MEM"))
        return {ChangeKind::Memo, AccountingMonthOfFile(fileName) + "のメモ"};
    if (fileName == kCategoryFileName)
        return {ChangeKind::Categories, "費目・摘要の変更"};
    if (fileName == kSettingsFileName)
        return {ChangeKind::Settings, "設定の変更"};
    if (fileName == kFixedItemsFileName)
        return {ChangeKind::FixedItems, "定期項目の変更"};
    if (fileName == kStatementRulesFileName)
        return {ChangeKind::Statement, "取り込みの規則の変更"};
    if (fileName == kStatementLayoutsFileName)
        return {ChangeKind::Statement, "明細の形の記憶"};
    return {ChangeKind::Correct, std::string(fileName)};
}

}  // namespace hanaki
