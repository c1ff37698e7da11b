#include "find/found_results.h"

#include <algorithm>
#include <cerrno>
#include <functional>

#include "data/book/ledger_search.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr int kFirstMonth = 1950 * 12;

std::uint32_t Check(std::string_view bytes, std::uint32_t seed = 2166136261u) {
    std::uint32_t hash = seed;  // FNV-1a
    for (const char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    return hash;
}

std::uint32_t MemoCheck(int day, std::string_view line) {
    return Check(line, Check(std::string_view(reinterpret_cast<const char*>(&day), sizeof day)));
}

int MemoDay(const FoundPlace& place) {
    return (place.where & ~kMemoPlace) >> 2;
}

}  // namespace

FoundResults::FoundResults(const DataFolder& folder) : folder_(folder) {}

void FoundResults::Clear(int closingDay) {
    closingDay_ = closingDay;
    places_.clear();
    places_.shrink_to_fit();
    items_ = 0;
    income_ = expense_ = 0;
    ForgetReadBack();
}

void FoundResults::ForgetReadBack() {
    for (CachedMonth& cached : ledgers_)
        cached.index = -1;
    memoIndex_ = -1;
}

void FoundResults::SearchMonth(int index, ItemTextMatch& match, const CategoryTable& categories,
                               std::vector<std::string>& problems) {
    const int year = index / 12;
    const int month = index % 12 + 1;
    const auto monthPlace = static_cast<std::uint16_t>(index - kFirstMonth);
    const auto first = static_cast<std::ptrdiff_t>(places_.size());
    LedgerSearch search;
    SearchMonthLedger(
        folder_, year, month, std::ref(match), buffer_, search, [&](const FoundRecord& found) {
            const ItemNumbers& numbers = found.fields.numbers;
            places_.push_back(
                {monthPlace, static_cast<std::uint16_t>(found.slot), Check(found.fields.bytes)});
            const bool income = IsIncomeItem(categories, numbers.category, found.fields.amount());
            (income ? income_ : expense_) += static_cast<double>(numbers.amount);
        });
    problems.insert(problems.end(), search.problems.begin(), search.problems.end());
    items_ += places_.size() - static_cast<std::size_t>(first);
    // Newest first: the items were found in file order.
    std::reverse(places_.begin() + first, places_.end());

    MemoMonth memo;
    const IoResult read = LoadMemo(folder_, closingDay_, year - 1900, month, memo);
    if (!read.ok()) {
        problems.push_back(DescribeIoError(*read.error));
        return;
    }
    std::vector<FoundPlace> lines;
    for (int day = 31; day >= 1; --day) {
        if (!memo.InUse(day))
            continue;
        for (int line = 0; line < 3; ++line) {
            const std::string_view text = WithoutTrailingBlanks(memo.days[day].lines[line]);
            if (!text.empty() && match.MatchesLine(text))
                lines.push_back({monthPlace,
                                 static_cast<std::uint16_t>(kMemoPlace + day * 4 + line),
                                 MemoCheck(day, text)});
        }
    }
    if (lines.empty())
        return;
    // Each day's memo lines go before the items of that day.
    std::vector<FoundPlace> merged;
    merged.reserve(places_.size() - static_cast<std::size_t>(first) + lines.size());
    auto nextLine = lines.begin();
    for (auto item = places_.begin() + first; item != places_.end(); ++item) {
        const std::string_view date =
            std::string_view(buffer_).substr((item->where - 1) * kLedgerRecordBytes, 6);
        const int day = std::stoi(CalendarToAccounting(closingDay_, date).substr(4, 2));
        while (nextLine != lines.end() && MemoDay(*nextLine) >= day)
            merged.push_back(*nextLine++);
        merged.push_back(*item);
    }
    merged.insert(merged.end(), nextLine, lines.end());
    places_.resize(static_cast<std::size_t>(first));
    places_.insert(places_.end(), merged.begin(), merged.end());
}

const std::string* FoundResults::MonthBytes(int index) const {
    for (const CachedMonth& cached : ledgers_) {
        if (cached.index == index)
            return &cached.bytes;
    }
    CachedMonth& cached = ledgers_[nextLedger_];
    nextLedger_ = 1 - nextLedger_;
    cached.index = -1;
    if (!folder_.Read(LedgerFileName(index / 12 - 1900, index % 12 + 1), cached.bytes).ok())
        return nullptr;
    cached.index = index;
    return &cached.bytes;
}

const MemoMonth* FoundResults::MonthMemo(int index) const {
    if (memoIndex_ != index) {
        memoIndex_ = -1;
        if (!LoadMemo(folder_, closingDay_, index / 12 - 1900, index % 12 + 1, memo_).ok())
            return nullptr;
        memoIndex_ = index;
    }
    return &memo_;
}

AccountingMonth FoundResults::MonthOf(std::size_t row) const {
    const int index = places_.at(row).month + kFirstMonth;
    return {index / 12, index % 12 + 1};
}

std::optional<FoundRow> FoundResults::Read(std::size_t row) const {
    const FoundPlace& place = places_.at(row);
    const int index = place.month + kFirstMonth;
    FoundRow found;
    found.year = index / 12;
    found.month = index % 12 + 1;
    if (place.where & kMemoPlace) {
        const MemoMonth* memo = MonthMemo(index);
        const int day = MemoDay(place);
        if (memo == nullptr || !memo->InUse(day))
            return std::nullopt;
        found.day = day;
        found.bytes = WithoutTrailingBlanks(memo->days[day].lines[place.where & 3]);
        return MemoCheck(day, found.bytes) == place.check ? std::optional(found) : std::nullopt;
    }
    const std::string* bytes = MonthBytes(index);
    const std::size_t offset = (place.where - 1u) * kLedgerRecordBytes;
    if (bytes == nullptr || offset + kLedgerRecordBytes > bytes->size())
        return std::nullopt;
    found.slot = place.where;
    found.bytes = std::string_view(*bytes).substr(offset, kLedgerRecordBytes);
    return Check(found.bytes) == place.check ? std::optional(found) : std::nullopt;
}

}  // namespace hanaki
