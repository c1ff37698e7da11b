#include "data/formats/fixed_items.h"

#include <algorithm>
#include <cerrno>

#include "data/disk/text_lines.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr std::string_view kMonthEndWord = "\x96\x96";  // 末 in code page 932
constexpr char kNoteMark = ';';
constexpr int kFieldsBeforeRemark = 8;

std::optional<int> ParseNumberIn(std::string_view text, long long low, long long high) {
    std::optional<long long> value = ParseInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return static_cast<int>(*value);
}

// "202611": a calendar month the ledgers can hold.
std::optional<int> ParseMonth(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() != 6)
        return std::nullopt;
    std::optional<int> year =
        ParseNumberIn(text.substr(0, 4), 1900 + kEarliestYear, 1900 + kLatestYear);
    std::optional<int> month = ParseNumberIn(text.substr(4, 2), 1, 12);
    if (!year || !month)
        return std::nullopt;
    return MonthNumber(*year, *month);
}

std::string MonthText(int number) {
    return std::to_string(YearOfMonthNumber(number)) + TwoDigits(MonthOfMonthNumber(number));
}

// "202611+202701+202702": handled through 202611, and the two after it.
bool ParseHandled(std::string_view text, FixedItem& item) {
    text = TrimBlanks(text);
    if (text.empty())
        return true;
    std::size_t plus = text.find('+');
    std::string_view through = text.substr(0, plus);
    if (!TrimBlanks(through).empty()) {
        item.handledThrough = ParseMonth(through);
        if (!item.handledThrough)
            return false;
    }
    while (plus != std::string_view::npos) {
        text.remove_prefix(plus + 1);
        plus = text.find('+');
        std::optional<int> month = ParseMonth(text.substr(0, plus));
        if (!month || (item.handledThrough && *month <= *item.handledThrough) ||
            (!item.handledAfter.empty() && *month <= item.handledAfter.back()))
            return false;
        item.handledAfter.push_back(*month);
    }
    return true;
}

std::string HandledText(const FixedItem& item) {
    std::string text = item.handledThrough ? MonthText(*item.handledThrough) : "";
    for (int month : item.handledAfter)
        text += "+" + MonthText(month);
    return text;
}

bool IsNote(std::string_view line) {
    std::string_view trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed.front() == kNoteMark;
}

}  // namespace

int MonthNumber(int year, int month) {
    return year * 12 + month - 1;
}
int YearOfMonthNumber(int number) {
    return number / 12;
}
int MonthOfMonthNumber(int number) {
    return number % 12 + 1;
}

bool IsFixedInterval(int months) {
    return months == 1 || months == 2 || months == 3 || months == 6 || months == 12;
}

std::vector<int> FixedItems::UnreadableLines() const {
    std::vector<int> unreadable;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].item && !IsNote(lines[i].text))
            unreadable.push_back(static_cast<int>(i));
    return unreadable;
}

std::optional<FixedItem> ParseFixedItemLine(std::string_view line) {
    std::vector<std::string_view> fields;
    std::string_view rest = line;
    for (int i = 0; i < kFieldsBeforeRemark; ++i) {
        std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos)
            return std::nullopt;
        fields.push_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    FixedItem item;
    if (TrimBlanks(fields[0]) == kMonthEndWord) {
        item.monthEnd = true;
        item.day = 31;
    } else if (std::optional<int> day = ParseNumberIn(fields[0], 1, 31)) {
        item.day = *day;
    } else {
        return std::nullopt;
    }
    std::optional<int> category = ParseNumberIn(fields[1], 1, 20);
    std::optional<int> description = ParseNumberIn(fields[2], 1, 20);
    std::optional<int> every = ParseNumberIn(fields[4], 1, 12);
    std::optional<int> first = ParseMonth(fields[5]);
    if (!category || !description || !every || !IsFixedInterval(*every) || !first)
        return std::nullopt;
    item.category = *category;
    item.description = *description;
    item.every = *every;
    item.firstMonth = *first;
    if (!TrimBlanks(fields[3]).empty()) {
        std::optional<int> amount = ParseNumberIn(fields[3], 1, kFixedAmountLimit);
        if (!amount)
            return std::nullopt;
        item.amount = *amount;
    }
    if (!TrimBlanks(fields[6]).empty()) {
        item.lastMonth = ParseMonth(fields[6]);
        if (!item.lastMonth || *item.lastMonth < item.firstMonth)
            return std::nullopt;
    }
    if (!ParseHandled(fields[7], item) || rest.size() > kFixedRemarkBytes)
        return std::nullopt;
    item.remark = std::string(rest);
    return item;
}

std::string FixedItemLine(const FixedItem& item) {
    std::string line = item.monthEnd ? std::string(kMonthEndWord) : std::to_string(item.day);
    line += "," + std::to_string(item.category) + "," + std::to_string(item.description) + ",";
    if (item.amount)
        line += std::to_string(*item.amount);
    line += "," + std::to_string(item.every) + "," + MonthText(item.firstMonth) + ",";
    if (item.lastMonth)
        line += MonthText(*item.lastMonth);
    line += "," + HandledText(item) + "," + item.remark;
    return line;
}

FixedItems ParseFixedItems(std::string_view bytes) {
    FixedItems items;
    for (std::string& line : SplitLines(bytes)) {
        FixedItemsLine read{std::move(line), std::nullopt};
        if (!IsNote(read.text))
            read.item = ParseFixedItemLine(read.text);
        items.lines.push_back(std::move(read));
    }
    return items;
}

std::string SerializeFixedItems(const FixedItems& items) {
    std::vector<std::string> lines;
    lines.reserve(items.lines.size());
    for (const FixedItemsLine& line : items.lines) {
        bool unchanged = !line.item || ParseFixedItemLine(line.text) == line.item;
        lines.push_back(unchanged ? line.text : FixedItemLine(*line.item));
    }
    return JoinLinesCrLf(lines);
}

IoResult LoadFixedItems(const DataFolder& folder, FixedItems& items) {
    std::string bytes;
    IoResult result = folder.Read(kFixedItemsFileName, bytes);
    if (!result.ok() && result.error->code == ENOENT && result.error->refusal == IoRefusal::None) {
        items = {};
        return IoResult::Ok();
    }
    if (result.ok())
        items = ParseFixedItems(bytes);
    return result;
}

IoResult SaveFixedItems(const DataFolder& folder, const FixedItems& items, const ChangeNote& note) {
    return folder.Replace(kFixedItemsFileName, SerializeFixedItems(items), note);
}

}  // namespace hanaki
