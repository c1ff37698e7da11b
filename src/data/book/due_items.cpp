#include "data/book/due_items.h"

#include <algorithm>
#include <tuple>

namespace hanaki {
namespace {

int DaysInCalendarMonth(int year, int month) {
    // Accounting months of closing day 31 are the calendar months.
    return DaysInAccountingMonth(kMonthEnd, year, month);
}

// The first occurrence at or after `month`.
int OccurrenceFrom(const FixedItem& item, int month) {
    if (month <= item.firstMonth)
        return item.firstMonth;
    int steps = (month - item.firstMonth + item.every - 1) / item.every;
    return item.firstMonth + steps * item.every;
}

bool IsOccurrence(const FixedItem& item, int month) {
    return month >= item.firstMonth && (month - item.firstMonth) % item.every == 0 &&
           (!item.lastMonth || month <= *item.lastMonth);
}

DueOccurrence Place(int line, const FixedItem& item, int month, int closingDay) {
    DueOccurrence due;
    due.line = line;
    due.month = month;
    due.date = FixedItemDate(item, month);
    int year = due.date.year - 1900;
    due.accounting = {year, due.date.month};
    due.accountingDay = due.date.day;
    if (closingDay != kMonthEnd) {
        // As CalendarToAccounting reckons, without its text: past the closing
        // day the date belongs to the next month, up to it to its own month.
        const int day = due.date.day - closingDay;
        if (day < 1) {
            due.accountingDay = day + DaysInAccountingMonth(closingDay, year, due.date.month);
        } else {
            due.accountingDay = day;
            due.accounting = due.date.month == 12 ? AccountingMonth{year + 1, 1}
                                                  : AccountingMonth{year, due.date.month + 1};
        }
    }
    due.inLedgerYears = due.accounting.year >= kEarliestYear && due.accounting.year <= kLatestYear;
    return due;
}

}  // namespace

CivilDate FixedItemDate(const FixedItem& item, int month) {
    int year = YearOfMonthNumber(month);
    int calendarMonth = MonthOfMonthNumber(month);
    int last = DaysInCalendarMonth(year, calendarMonth);
    return {year, calendarMonth, item.monthEnd ? last : std::min(item.day, last)};
}

bool IsHandled(const FixedItem& item, int month) {
    return (item.handledThrough && month <= *item.handledThrough) ||
           std::binary_search(item.handledAfter.begin(), item.handledAfter.end(), month);
}

void MarkHandled(FixedItem& item, int month) {
    if (IsHandled(item, month))
        return;
    item.handledAfter.insert(
        std::upper_bound(item.handledAfter.begin(), item.handledAfter.end(), month), month);
    // Handled months that join the run from the start move into it, so that
    // the line stays short however long the item runs.
    for (;;) {
        int next =
            item.handledThrough ? OccurrenceFrom(item, *item.handledThrough + 1) : item.firstMonth;
        if (item.handledAfter.empty() || item.handledAfter.front() != next)
            break;
        item.handledThrough = next;
        item.handledAfter.erase(item.handledAfter.begin());
    }
}

std::vector<DueOccurrence> DueOccurrences(const FixedItems& items, int closingDay,
                                          const CivilDate& today) {
    std::vector<DueOccurrence> due;
    int thisMonth = MonthNumber(today.year, today.month);
    for (std::size_t line = 0; line < items.lines.size(); ++line) {
        const std::optional<FixedItem>& item = items.lines[line].item;
        if (!item)
            continue;
        int month = item->handledThrough ? OccurrenceFrom(*item, *item->handledThrough + 1)
                                         : item->firstMonth;
        for (; month <= thisMonth && IsOccurrence(*item, month); month += item->every) {
            if (IsHandled(*item, month))
                continue;
            DueOccurrence occurrence = Place(static_cast<int>(line), *item, month, closingDay);
            if (month == thisMonth && occurrence.date.day > today.day)
                break;
            due.push_back(occurrence);
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const DueOccurrence& a, const DueOccurrence& b) {
        return std::tie(a.date.year, a.date.month, a.date.day) <
               std::tie(b.date.year, b.date.month, b.date.day);
    });
    return due;
}

}  // namespace hanaki
