#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

// Ledger and memo files of one month as the monthly tests build them.
namespace hanaki::testing {

// 1 給料 (income), 2 食費, 3 住居 (expense).
inline constexpr const char* kMonthlyMaster =
    "+給料\r\n月給,賞与\r\n-食費\r\n朝食,昼食,夕食\r\n-住居\r\n家賃\r\n";

inline std::string ClosingDaySettings(int closingDay) {
    return " " + std::to_string(closingDay) + " \r\n0,0\r\n" + std::string(19, ',') + "\r\n";
}

struct Item {
    Item(std::string date, int category = 2, long long amount = 1000, std::string remark = "")
        : date(std::move(date)), category(category), amount(amount), remark(std::move(remark)) {}
    std::string date;  // yymmdd as the file holds it (a calendar date)
    int category;
    long long amount;
    std::string remark;  // UTF-8
};

inline std::string LedgerBytes(const std::vector<Item>& items) {
    static const char* const names[][2] = {
        {"", ""}, {"給料", "月給"}, {"食費", "昼食"}, {"住居", "家賃"}};
    std::vector<ItemFields> fields;
    for (const Item& item : items)
        fields.push_back({.date = item.date,
                          .category = TwoDigits(item.category),
                          .categoryName = names[item.category][0],
                          .descriptionName = names[item.category][1],
                          .amount = (item.category == 1 ? "+" : "-") + std::to_string(item.amount),
                          .remark = item.remark});
    return LedgerFileBytes(fields);
}

// `count` expenses of 1000 in December 2026, spread over the month in date order.
inline std::vector<Item> DecemberItems(int count) {
    std::vector<Item> items;
    for (int i = 0; i < count; ++i)
        items.push_back(
            {"2612" + TwoDigits(i * 31 / count + 1), 2, 1000, "品目" + std::to_string(i + 1)});
    return items;
}

// A memo file: day, then its three lines (UTF-8).
struct MemoDay {
    int day;
    std::array<std::string, 3> lines;
};
inline std::string MemoBytes(const std::vector<MemoDay>& days) {
    std::string bytes;
    for (const MemoDay& memo : days) {
        MemoRecord record;
        const std::string field = TwoDigits(memo.day);
        for (int i = 0; i < 3; ++i) {
            record.dayFields[i] = field;
            record.lines[i] = Sjis(memo.lines[i]);
        }
        bytes += EncodeMemoRecord(record);
    }
    return bytes;
}

}  // namespace hanaki::testing
