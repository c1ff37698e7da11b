#include "data/formats/calendar.h"

#include <algorithm>

#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

struct KeyParts {
    int yy, mm, dd;
};

bool SplitKey(std::string_view key, KeyParts& parts) {
    if (key.size() != 6)
        return false;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
    }
    parts = {(key[0] - '0') * 10 + (key[1] - '0'), (key[2] - '0') * 10 + (key[3] - '0'),
             (key[4] - '0') * 10 + (key[5] - '0')};
    return parts.mm >= 1 && parts.mm <= 12;
}

std::string JoinKey(int yy, int mm, int dd) {
    return TwoDigits(yy) + TwoDigits(mm) + TwoDigits(dd);
}

int CalendarMonthLength(int year, int month) {
    switch (month) {
        case 2:
            return year % 4 == 0 ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

}  // namespace

std::string CurrentDate::MonthText() const {
    return TwoDigits(month);
}
std::string CurrentDate::DayText() const {
    return TwoDigits(day);
}
std::string CurrentDate::DateKey() const {
    return TwoDigits(year % 100) + MonthText() + DayText();
}

int DaysInAccountingMonth(int closingDay, int year, int month) {
    if (closingDay == kMonthEnd)
        return CalendarMonthLength(year, month);
    // The accounting month runs over the calendar month before it.
    return CalendarMonthLength(year, month == 1 ? 12 : month - 1);
}

std::string CalendarToAccounting(int closingDay, std::string_view yymmdd) {
    KeyParts p{};
    if (closingDay == kMonthEnd || !SplitKey(yymmdd, p))
        return std::string(yymmdd);
    int d = p.dd - closingDay;
    if (d < 1) {
        d += DaysInAccountingMonth(closingDay, p.yy, p.mm);
    } else if (p.mm == 12) {
        p.mm = 1;
        p.yy = (p.yy + 1) % 100;
    } else {
        ++p.mm;
    }
    return JoinKey(p.yy, p.mm, d);
}

std::string AccountingToCalendar(int closingDay, std::string_view yymmdd) {
    KeyParts p{};
    if (closingDay == kMonthEnd || !SplitKey(yymmdd, p))
        return std::string(yymmdd);
    int n = DaysInAccountingMonth(closingDay, p.yy, p.mm);
    int d = p.dd + closingDay;
    if (d > n) {
        d -= n;
    } else if (p.mm == 1) {
        p.mm = 12;
        p.yy = (p.yy + 99) % 100;
    } else {
        --p.mm;
    }
    return JoinKey(p.yy, p.mm, d);
}

int ExpandTwoDigitYear(int yy) {
    return yy < kEarliestYear ? yy + 100 : yy;
}

CurrentDate PlaceToday(int closingDay, const CivilDate& today) {
    CurrentDate date{today.year - 1900, today.month, today.day};
    if (closingDay != kMonthEnd) {
        KeyParts p{};
        SplitKey(CalendarToAccounting(closingDay, JoinKey(date.year % 100, date.month, date.day)),
                 p);
        date = {ExpandTwoDigitYear(p.yy), p.mm, p.dd};
    }
    return date;
}

CivilDate RealDate(int closingDay, const CurrentDate& date) {
    if (closingDay == kMonthEnd)
        return {date.year + 1900, date.month, date.day};
    KeyParts p{};
    SplitKey(AccountingToCalendar(closingDay, date.DateKey()), p);
    // The first days of January lie in December of the year before (of 1949 in 1950年1月度).
    return {date.year + 1900 - (p.mm > date.month ? 1 : 0), p.mm, p.dd};
}

std::optional<CivilDate> CalendarDateOfKey(int closingDay, std::string_view accountingKey) {
    KeyParts p{};
    if (!SplitKey(AccountingToCalendar(closingDay, accountingKey), p))
        return std::nullopt;
    return CivilDate{ExpandTwoDigitYear(p.yy) + 1900, p.mm, p.dd};
}

bool StepPreviousDay(int closingDay, CurrentDate& date) {
    if (date.day > 1) {
        --date.day;
        return false;
    }
    StepMonth(date, -1);
    date.day = DaysInAccountingMonth(closingDay, date.year, date.month);
    return true;
}

bool StepNextDay(int closingDay, CurrentDate& date) {
    if (date.day < DaysInAccountingMonth(closingDay, date.year, date.month)) {
        ++date.day;
        return false;
    }
    StepMonth(date, 1);
    return true;
}

void StepMonth(int& year, int& month, int delta) {
    const int index = year * 12 + (month - 1) + delta;
    year = index / 12;
    month = index % 12 + 1;
}

bool StepYear(int& year, int delta) {
    const int stepped = year + delta;
    if (stepped < kEarliestYear || stepped > kLatestYear)
        return false;
    year = stepped;
    return true;
}

namespace {

void KeepDayWithinMonth(int closingDay, CurrentDate& date) {
    date.day = std::min(date.day, DaysInAccountingMonth(closingDay, date.year, date.month));
}

}  // namespace

void StepMonth(int closingDay, CurrentDate& date, int delta) {
    StepMonth(date.year, date.month, delta);
    KeepDayWithinMonth(closingDay, date);
}

bool StepYear(int closingDay, CurrentDate& date, int delta) {
    if (!StepYear(date.year, delta))
        return false;
    KeepDayWithinMonth(closingDay, date);
    return true;
}

void StepMonth(CurrentDate& date, int delta) {
    StepMonth(date.year, date.month, delta);
    date.day = 1;
}

bool StepYear(CurrentDate& date, int delta) {
    if (!StepYear(date.year, delta))
        return false;
    date.day = 1;
    return true;
}

AccountingMonth TrendMonthOfSlot(int lastYear, int lastMonth, int slot) {
    AccountingMonth slotMonth{lastYear, lastMonth};
    StepMonth(slotMonth.year, slotMonth.month, slot - 11);
    return slotMonth;
}

Era EraOf(int year, int month) {
    if (year > 119 || (year == 119 && month >= 5))
        return {"令和", year - 118};
    if (year > 88)
        return {"平成", year - 88};
    return {"昭和", year - 25};
}

std::string DateHeading(const CurrentDate& date, const CivilDate& today) {
    Era era = EraOf(date.year, date.month);
    return era.name + std::to_string(era.year) + "年" + std::to_string(date.month) + "月度 (" +
           std::to_string(today.month) + "月" + std::to_string(today.day) + "日)";
}

}  // namespace hanaki
