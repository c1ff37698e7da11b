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

// Month ± delta across year ends, without the year limits (PageUp in January
// 1950 shows December 1949).
void StepMonth(int& year, int& month, int delta);
// Year ± 1 within 1950 … 2049; false (nothing changes) past the window's end.
// A year outside, reached with the month keys, steps back inside only.
bool StepYear(int& year, int delta);

// The same on a displayed date: the day stays as far as the new month has it,
// so a 31st in a month of 30 days becomes the 30th.
void StepMonth(int closingDay, CurrentDate& date, int delta);
bool StepYear(int closingDay, CurrentDate& date, int delta);
// The same with the day set to 1, as the main window steps.
void StepMonth(CurrentDate& date, int delta);
bool StepYear(CurrentDate& date, int delta);

struct AccountingMonth {
    int year = 0;
    int month = 1;
    friend bool operator==(const AccountingMonth&, const AccountingMonth&) = default;
};

// Slot 0 … 11 of the twelve accounting months ending with (lastYear,
// lastMonth): slot 11 is that month, slot 0 eleven months earlier.
AccountingMonth TrendMonthOfSlot(int lastYear, int lastMonth, int slot);

struct Era {
    std::string name;  // UTF-8: 昭和, 平成, 令和
    int year = 0;
};

// Era of an accounting month: 令和 from 2019年5月度, 平成 from 1989, else 昭和.
Era EraOf(int year, int month);

// The main window's heading (UTF-8), e.g. "平成12年1月度 (1月10日)".
std::string DateHeading(const CurrentDate& date, const CivilDate& today);

}  // namespace hanaki
