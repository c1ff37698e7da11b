#include "data/aggregation.h"

#include <algorithm>
#include <cerrno>

#include "data/ledger.h"

namespace hanaki {

void MonthTotals::AddItem(int category, int description, double amount, bool expense,
                          bool flagged) {
    // Description 0 is the category's own total: a record without a description counts once.
    if (description != 0)
        cells[category][description] += amount;
    cells[category][0] += amount;
    int total = expense ? 1 : 0;
    cells[0][total] += amount;
    if (flagged)
        cells[0][total + 2] += amount;
}

void MonthTotals::AddDeletedItem(int category, double amount, bool expense, bool flagged,
                                 std::string_view storedName) {
    DeletedCategorySum& sum = deleted[category][expense ? 1 : 0];
    if (!sum.present) {
        sum.present = true;
        sum.name = std::string(storedName.substr(0, storedName.find_last_not_of(' ') + 1));
    }
    sum.amount += amount;
    const int total = expense ? 1 : 0;
    cells[0][total] += amount;
    if (flagged)
        cells[0][total + 2] += amount;
}

namespace {

// Where the summed fields lie in a 104-byte record (see ledger.h): the sums
// read these three and nothing else, so no record is decoded into texts.
constexpr std::size_t kCategoryAt = 6;
constexpr std::size_t kCategoryNameAt = 8;
constexpr std::size_t kCategoryNameBytes = 12;
constexpr std::size_t kAmountSignAt = 34;
constexpr std::size_t kDescriptionAt = 20;
constexpr std::size_t kAmountDigitsAt = 35;  // after the amount's sign character
constexpr std::size_t kAmountDigits = 9;

inline bool IsDigit(char c) {
    return static_cast<unsigned char>(c) - unsigned('0') <= 9;
}

// ParseInteger's rule (blanks around, an optional "-", 1 … 18 digits), here
// where the compiler can fold it into the loop: it runs three times per item.
inline std::optional<long long> FieldNumber(std::string_view field) {
    std::size_t begin = 0;
    std::size_t end = field.size();
    while (begin < end && field[begin] == ' ')
        ++begin;
    while (end > begin && field[end - 1] == ' ')
        --end;
    const bool negative = begin < end && field[begin] == '-';
    if (negative)
        ++begin;
    if (begin == end || end - begin > 18)
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (!IsDigit(field[i]))
            return std::nullopt;
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

inline std::optional<int> SmallNumberAt(std::string_view record, std::size_t at) {
    const char tens = record[at];
    const char ones = record[at + 1];
    std::optional<long long> value;
    if (IsDigit(tens) && IsDigit(ones))  // "01" … "20", as this program writes them
        value = (tens - '0') * 10 + (ones - '0');
    else
        value = FieldNumber(record.substr(at, 2));
    if (!value || *value < 0 || *value > 20)
        return std::nullopt;
    return static_cast<int>(*value);
}

// The amount's digits, left-aligned and padded with blanks as this program
// writes them, read in one pass; anything else takes the general rule.
inline std::optional<long long> AmountAt(std::string_view record) {
    const std::string_view field = record.substr(kAmountDigitsAt, kAmountDigits);
    long long value = 0;
    std::size_t i = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i)
        value = value * 10 + (field[i] - '0');
    if (i == 0)
        return FieldNumber(field);
    for (std::size_t j = i; j < field.size(); ++j) {
        if (field[j] != ' ')
            return FieldNumber(field);
    }
    return value;
}

// Kind and flag of every category, looked up once per month instead of per item.
struct CategoryRoles {
    std::array<bool, 21> expense{};
    std::array<bool, 21> flagged{};
    std::array<bool, 21> named{};

    CategoryRoles(const CategoryTable& categories, const Settings& settings) {
        for (int c = 1; c <= kMaxCategories; ++c) {
            named[c] = !categories.names[c].empty();
            expense[c] = categories.IsExpense(c);
            flagged[c] = settings.summaryFlags[c] != 0;
        }
    }
};

// An item of a deleted category counts by its sign: false when it has none.
bool AddDeletedItem(MonthTotals& totals, int category, double amount, char sign, bool flagged,
                    std::string_view storedName) {
    if (sign != '+' && sign != '-')
        return false;
    totals.AddDeletedItem(category, amount, sign == '-', flagged, storedName);
    return true;
}

AggregationReport SumMonth(const DataFolder& folder, const CategoryRoles& roles, int year,
                           int month, std::string& bytes, MonthTotals& totals) {
    AggregationReport report;
    totals.Clear();
    IoResult read = folder.Read(LedgerFileName(year, month), bytes);
    if (!read.ok()) {
        if (read.error->code != ENOENT)
            report.io = read;
        return report;
    }
    if (!bytes.empty())
        totals.MarkHasItems();

    const std::string_view all(bytes);
    for (std::size_t i = 0; i < LedgerRecordCount(all.size()); ++i) {
        const std::string_view record = all.substr(i * kLedgerRecordBytes, kLedgerRecordBytes);
        if (record.size() < kLedgerRecordBytes) {
            ++report.unreadableRecords;
            continue;
        }
        std::optional<int> category = SmallNumberAt(record, kCategoryAt);
        std::optional<int> description = SmallNumberAt(record, kDescriptionAt);
        std::optional<long long> amount = AmountAt(record);
        if (!category || !description || !amount || *category < 1) {
            ++report.unreadableRecords;
            continue;
        }
        if (!roles.named[*category]) {
            if (!AddDeletedItem(totals, *category, static_cast<double>(*amount),
                                record[kAmountSignAt], true,
                                record.substr(kCategoryNameAt, kCategoryNameBytes)))
                ++report.unreadableRecords;
            continue;
        }
        totals.AddItem(*category, *description, static_cast<double>(*amount),
                       roles.expense[*category], roles.flagged[*category]);
    }
    return report;
}

}  // namespace

AggregationReport AggregateMonth(const DataFolder& folder, const CategoryTable& categories,
                                 const Settings& settings, int year, int month,
                                 MonthTotals& totals) {
    std::string bytes;
    return SumMonth(folder, CategoryRoles(categories, settings), year, month, bytes, totals);
}

void SumMonthLedger(const MonthLedger& ledger, const CategoryTable& categories,
                    MonthTotals& totals) {
    totals.Clear();
    WalkChain(ledger, [&](int, const LedgerSlot& item) {
        if (item.unreadable)
            return;
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(item.record);
        if (!numbers)
            return;
        const double amount = static_cast<double>(numbers->amount);
        if (categories.names[numbers->category].empty())
            AddDeletedItem(totals, numbers->category, amount, item.record.amount.front(), false,
                           item.record.categoryName);
        else
            totals.AddItem(numbers->category, numbers->description, amount,
                           categories.IsExpense(numbers->category), false);
    });
}

AggregationReport AggregateTwelveMonths(const DataFolder& folder, const CategoryTable& categories,
                                        const Settings& settings, int year, int month,
                                        TrendTotals& trend) {
    AggregationReport report;
    const CategoryRoles roles(categories, settings);
    std::string bytes;
    for (int k = 0; k < 12; ++k) {
        const AccountingMonth slot = TrendMonthOfSlot(year, month, k);
        AggregationReport one =
            SumMonth(folder, roles, slot.year, slot.month, bytes, trend.months[k]);
        if (!one.io.ok() && report.io.ok())
            report.io = one.io;
        report.unreadableRecords += one.unreadableRecords;
    }
    return report;
}

int MonthsWithItems(const TrendTotals& trend) {
    return static_cast<int>(
        std::count_if(trend.months.begin(), trend.months.end(),
                      [](const MonthTotals& month) { return month.hasItems(); }));
}

}  // namespace hanaki
