#pragma once

#include <optional>
#include <string>
#include <string_view>

// Accounting months (月度) end on the user's closing day; with closing day 31
// they are the calendar months. Years are "years since 1900" (50 … 149).
namespace hanaki {

constexpr int kEarliestYear = 50;  // 1950
constexpr int kLatestYear = 149;   // 2049
constexpr int kMonthEnd = 31;      // closing day meaning "end of the month"

struct CivilDate {
    int year = 2000;  // four digits
    int month = 1;
    int day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The displayed accounting date.
struct CurrentDate {
    int year = 100;  // years since 1900
    int month = 1;
    int day = 1;

    std::string MonthText() const;  // "01" … "12"
    std::string DayText() const;    // "01" … "31"
    std::string DateKey() const;    // yymmdd with yy = year mod 100
    friend bool operator==(const CurrentDate&, const CurrentDate&) = default;
};

// Days of accounting month (year, month); only year mod 4 matters.
int DaysInAccountingMonth(int closingDay, int year, int month);

// yymmdd conversions between calendar and accounting dates (closing day < 31;
// with 31 both return the input). A key that is not six digits is returned as is.
std::string CalendarToAccounting(int closingDay, std::string_view yymmdd);
std::string AccountingToCalendar(int closingDay, std::string_view yymmdd);

// Two-digit year to years since 1900: below 50 means 20yy.
int ExpandTwoDigitYear(int yy);

// Today's accounting date.
CurrentDate PlaceToday(int closingDay, const CivilDate& today);

// The calendar date of the displayed accounting day.
CivilDate RealDate(int closingDay, const CurrentDate& date);
// The calendar date of an accounting date key (yymmdd), or nullopt for a key
// that is not a date.
std::optional<CivilDate> CalendarDateOfKey(int closingDay, std::string_view accountingKey);

// Stepping; each returns true when the accounting month changed.
bool StepPreviousDay(int closingDay, CurrentDate& date);
bool StepNextDay(int closingDay, CurrentDate& date);
void StepMonth(CurrentDate& date, int delta);  // day becomes 1
// Year ± 1 within 1950 … 2049; false (nothing changes) at the window's end.
bool StepYear(CurrentDate& date, int delta);  // day becomes 1

struct Era {
    std::string name;  // UTF-8: 昭和, 平成, 令和
    int year = 0;
};

// Era of an accounting month: 令和 from 2019年5月度, 平成 from 1989, else 昭和.
Era EraOf(int year, int month);

// The main window's heading (UTF-8), e.g. "平成12年1月度 (1月10日)".
std::string DateHeading(const CurrentDate& date, const CivilDate& today);

}  // namespace hanaki
