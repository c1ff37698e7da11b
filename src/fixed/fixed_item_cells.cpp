#include "fixed/fixed_item_cells.h"

#include <algorithm>
#include <array>

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr char kMonthEndWord[] = "末";
constexpr std::array<int, 5> kIntervals{1, 2, 3, 6, 12};
const int kEarliestMonth = MonthNumber(1900 + kEarliestYear, 1);
const int kLatestMonth = MonthNumber(1900 + kLatestYear, 12);

std::string Trimmed(std::string_view text) {
    return std::string(TrimBlanks(text));
}

std::optional<long long> Number(std::string_view text) {
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(digits);
}

std::string MonthShown(int month) {
    return std::to_string(YearOfMonthNumber(month)) + "/" + TwoDigits(MonthOfMonthNumber(month));
}

// "2026/01", "2026/1" or "202601".
std::optional<int> ParseShownMonth(std::string_view text) {
    std::string month = Trimmed(text);
    std::optional<long long> year;
    std::optional<long long> number;
    if (const std::size_t slash = month.find('/'); slash != std::string::npos) {
        year = Number(std::string_view(month).substr(0, slash));
        number = Number(std::string_view(month).substr(slash + 1));
    } else if (month.size() == 6) {
        year = Number(std::string_view(month).substr(0, 4));
        number = Number(std::string_view(month).substr(4));
    }
    if (!year || !number || *number < 1 || *number > 12)
        return std::nullopt;
    if (*year < 1900 + kEarliestYear || *year > 1900 + kLatestYear)
        return std::nullopt;
    return MonthNumber(static_cast<int>(*year), static_cast<int>(*number));
}

std::string Numbered(int number, const std::string& name) {
    return std::to_string(number) + " " + (name.empty() ? kDeletedName : Cp932ToUtf8(name));
}

}  // namespace

std::string FixedCellText(const CategoryTable& categories, const FixedItem& item,
                          FixedColumn column) {
    switch (column) {
        case FixedColumn::Category:
            return Numbered(item.category, categories.names[item.category]);
        case FixedColumn::Description:
            return Numbered(item.description,
                            categories.names[item.category].empty()
                                ? std::string()
                                : categories.descriptions[item.category][item.description]);
        case FixedColumn::Amount:
            return item.amount ? FormatGrouped(double(*item.amount)) : std::string();
        case FixedColumn::Every:
            return item.every == 1 ? "毎月" : std::to_string(item.every) + "か月ごと";
        default:
            return FixedEditText(item, column);
    }
}

std::string FixedEditText(const FixedItem& item, FixedColumn column) {
    switch (column) {
        case FixedColumn::Day:
            return item.monthEnd ? kMonthEndWord : std::to_string(item.day);
        case FixedColumn::Category:
            return std::to_string(item.category);
        case FixedColumn::Description:
            return std::to_string(item.description);
        case FixedColumn::Amount:
            return item.amount ? std::to_string(*item.amount) : std::string();
        case FixedColumn::Remark:
            return Cp932ToUtf8(item.remark);
        case FixedColumn::Every:
            return std::to_string(item.every);
        case FixedColumn::First:
            return MonthShown(item.firstMonth);
        case FixedColumn::Last:
            return item.lastMonth ? MonthShown(*item.lastMonth) : std::string();
    }
    return {};
}

std::optional<std::string> SetFixedField(const CategoryTable& categories, FixedItem& item,
                                         FixedColumn column, std::string_view text) {
    const std::string typed = Trimmed(text);
    const std::optional<long long> number = Number(typed);
    switch (column) {
        case FixedColumn::Day:
            if (typed == kMonthEndWord) {
                item.monthEnd = true;
                item.day = 31;
            } else if (number && *number >= 1 && *number <= 31) {
                item.monthEnd = false;
                item.day = static_cast<int>(*number);
            } else {
                return "日は 1〜31 か「末」(月末) で入力してください。";
            }
            return std::nullopt;
        case FixedColumn::Category:
            if (!number || !categories.HasCategory(static_cast<int>(*number)))
                return "その番号の費目はありません。費目設定にある番号を入力してください。";
            item.category = static_cast<int>(*number);
            // A description the new category lacks becomes its first.
            if (!categories.HasDescription(item.category, item.description))
                item.description = 1;
            return std::nullopt;
        case FixedColumn::Description:
            if (!number || !categories.HasDescription(item.category, static_cast<int>(*number)))
                return "その番号の摘要はありません。費目設定にある番号を入力してください。";
            item.description = static_cast<int>(*number);
            return std::nullopt;
        case FixedColumn::Amount:
            if (typed.empty()) {
                item.amount.reset();  // asked each time
                return std::nullopt;
            }
            if (!number || *number < 1 || *number > kFixedAmountLimit)
                return "金額は 1〜999,999,999 円で入力してください (空欄は毎回入力)。";
            item.amount = *number;
            return std::nullopt;
        case FixedColumn::Remark: {
            // The field keeps to 60 bytes; a text set from elsewhere is cut whole characters.
            const std::string bytes = Utf8ToCp932Lossy(text);
            item.remark = CutToBytes(bytes, kFixedRemarkBytes);
            return std::nullopt;
        }
        case FixedColumn::Every:
            if (!number || !IsFixedInterval(static_cast<int>(*number)))
                return "何か月ごとかは 1・2・3・6・12 のどれかで入力してください。";
            item.every = static_cast<int>(*number);
            return std::nullopt;
        case FixedColumn::First:
        case FixedColumn::Last: {
            const bool last = column == FixedColumn::Last;
            if (last && typed.empty()) {
                item.lastMonth.reset();
                return std::nullopt;
            }
            const std::optional<int> month = ParseShownMonth(typed);
            if (!month)
                return "月は 2026/01 のように、1950年〜2049年の年と月で入力してください。";
            if (last ? *month < item.firstMonth : item.lastMonth && *month > *item.lastMonth)
                return "最後の月は最初の月より前にできません。";
            if (last)
                item.lastMonth = *month;
            else
                item.firstMonth = *month;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool StepFixedField(FixedItem& item, FixedColumn column, int step) {
    switch (column) {
        case FixedColumn::Day: {
            // 1 … 31, then 末 as a 32nd.
            const int now = item.monthEnd ? 32 : item.day;
            const int next = now + step;
            if (next < 1 || next > 32)
                return false;
            item.monthEnd = next == 32;
            item.day = std::min(next, 31);
            return true;
        }
        case FixedColumn::Every: {
            const auto at = std::find(kIntervals.begin(), kIntervals.end(), item.every);
            const long index = (at - kIntervals.begin()) + step;
            if (at == kIntervals.end() || index < 0 || index >= long(kIntervals.size()))
                return false;
            item.every = kIntervals[index];
            return true;
        }
        case FixedColumn::First: {
            const int next = item.firstMonth + step;
            if (next < kEarliestMonth || (item.lastMonth && next > *item.lastMonth))
                return false;
            item.firstMonth = next;
            return true;
        }
        case FixedColumn::Last: {
            const int next = item.lastMonth ? *item.lastMonth + step : item.firstMonth;
            if (next < item.firstMonth || next > kLatestMonth)
                return false;
            item.lastMonth = next;
            return true;
        }
        default:
            return false;
    }
}

FixedItem NewFixedItem(int month) {
    FixedItem item;
    item.firstMonth = month;
    return item;
}

bool SameButMarks(FixedItem a, FixedItem b) {
    for (FixedItem* item : {&a, &b}) {
        item->handledThrough.reset();
        item->handledAfter.clear();
    }
    return a == b;
}

std::optional<FixedItems> EditedFixedItems(const FixedItems& read, const FixedItems& now,
                                           const std::vector<FixedRow>& rows) {
    if (now.lines.size() != read.lines.size())
        return std::nullopt;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        const FixedItemsLine& before = read.lines[i];
        const FixedItemsLine& after = now.lines[i];
        if (before.item.has_value() != after.item.has_value())
            return std::nullopt;
        if (before.item ? !SameButMarks(*before.item, *after.item) : before.text != after.text)
            return std::nullopt;
    }
    FixedItems edited;
    for (std::size_t i = 0; i < now.lines.size(); ++i) {
        const FixedItemsLine& line = now.lines[i];
        if (!line.item) {
            edited.lines.push_back(line);
            continue;
        }
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [i](const FixedRow& r) { return r.origin == int(i); });
        if (row == rows.end())
            continue;  // removed in the editor
        FixedItem item = row->item;
        item.handledThrough = line.item->handledThrough;
        item.handledAfter = line.item->handledAfter;
        edited.lines.push_back({line.text, item});
    }
    for (const FixedRow& row : rows)
        if (row.origin < 0)
            edited.lines.push_back({std::string(), row.item});
    return edited;
}

}  // namespace hanaki
