#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <tuple>

#include "data/formats/calendar.h"

namespace hanaki {
namespace {

using namespace std::chrono;

std::string Key(int yy, int mm, int dd) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02d%02d", yy % 100, mm, dd);
    return text;
}

std::string Key(const year_month_day& date) {
    return Key(int(date.year()) % 100, unsigned(date.month()), unsigned(date.day()));
}

// The accounting date of a calendar date by counting days from the day after
// the previous closing day, independently of the conversion rules.
std::string CountedAccountingKey(int closingDay, const year_month_day& date) {
    year_month owner{date.year(), date.month()};
    if (closingDay != kMonthEnd && unsigned(date.day()) > unsigned(closingDay))
        owner += months{1};
    sys_days firstDay;
    if (closingDay == kMonthEnd) {
        firstDay = sys_days(owner / day{1});
    } else {
        year_month previous = owner - months{1};
        firstDay = sys_days(previous / day{unsigned(closingDay)}) + days{1};
    }
    int accountingDay = int((sys_days(date) - firstDay).count()) + 1;
    return Key(int(owner.year()) % 100, unsigned(owner.month()), accountingDay);
}

TEST(AccountingCalendar, everyCalendarDayOfTheWindowMapsIntoOneAccountingMonthAndBack) {
    std::vector<int> closingDays{kMonthEnd};
    for (int c = 1; c <= 28; ++c)
        closingDays.push_back(c);
    for (int c : closingDays) {
        for (sys_days d = sys_days(1950y / January / 1); d <= sys_days(2049y / December / 31);
             d += days{1}) {
            year_month_day date{d};
            std::string calendar = Key(date);
            std::string accounting = CalendarToAccounting(c, calendar);
            ASSERT_EQ(accounting, CountedAccountingKey(c, date))
                << "closing " << c << " " << calendar;
            ASSERT_EQ(AccountingToCalendar(c, accounting), calendar) << "closing " << c;
        }
    }
}

TEST(AccountingCalendar, monthLengthsCoverEachDayExactlyOnce) {
    for (int c : {1, 10, 25, 28, kMonthEnd}) {
        for (int year = 50; year <= 148; ++year) {
            for (int month = 1; month <= 12; ++month) {
                // Accounting January 1950 starts in December 1949, outside the window.
                if (c != kMonthEnd && year == 50 && month == 1)
                    continue;
                int n = DaysInAccountingMonth(c, year, month);
                CurrentDate first{year, month, 1};
                CurrentDate last{year, month, n};
                CivilDate a = RealDate(c, first);
                CivilDate b = RealDate(c, last);
                int span =
                    int((sys_days(year_month_day{std::chrono::year(b.year) / b.month / b.day}) -
                         sys_days(year_month_day{std::chrono::year(a.year) / a.month / a.day}))
                            .count());
                ASSERT_EQ(span, n - 1) << c << " " << year << "/" << month;
                // The day after the last one starts the next accounting month.
                CurrentDate next = last;
                ASSERT_TRUE(StepNextDay(c, next));
                CivilDate after = RealDate(c, next);
                ASSERT_EQ(
                    int((sys_days(year_month_day{std::chrono::year(after.year) / after.month /
                                                 after.day}) -
                         sys_days(year_month_day{std::chrono::year(b.year) / b.month / b.day}))
                            .count()),
                    1);
            }
        }
    }
}

TEST(AccountingCalendar, examplesWithClosingDay25And10) {
    EXPECT_EQ(CalendarToAccounting(25, "991220"), "991225");
    EXPECT_EQ(CalendarToAccounting(25, "991226"), "000101");
    EXPECT_EQ(AccountingToCalendar(25, "000101"), "991226");
    EXPECT_EQ(AccountingToCalendar(25, "000110"), "000104");
    EXPECT_EQ(DaysInAccountingMonth(25, 100, 3), 29);
    EXPECT_EQ(DaysInAccountingMonth(kMonthEnd, 100, 2), 29);
    EXPECT_EQ(DaysInAccountingMonth(10, 100, 1), 31);
    EXPECT_EQ(AccountingToCalendar(10, "000131"), "000110");
}

TEST(AccountingCalendar, todayIsPlacedInItsAccountingMonth) {
    EXPECT_EQ(PlaceToday(25, {1999, 12, 26}), (CurrentDate{100, 1, 1}));
    EXPECT_EQ(PlaceToday(kMonthEnd, {2026, 12, 7}), (CurrentDate{126, 12, 7}));
    EXPECT_EQ(PlaceToday(25, {2000, 1, 10}), (CurrentDate{100, 1, 16}));
}

TEST(AccountingCalendar, steppingCarriesAcrossMonthsAndYears) {
    CurrentDate date{100, 1, 1};
    EXPECT_TRUE(StepPreviousDay(25, date));
    EXPECT_EQ(date, (CurrentDate{99, 12, 30}));
    EXPECT_TRUE(StepNextDay(25, date));
    EXPECT_EQ(date, (CurrentDate{100, 1, 1}));

    date = {99, 12, 31};
    EXPECT_TRUE(StepNextDay(kMonthEnd, date));
    EXPECT_EQ(date, (CurrentDate{100, 1, 1}));

    date = {100, 1, 20};
    StepMonth(date, -1);
    EXPECT_EQ(date, (CurrentDate{99, 12, 1}));

    date = {50, 6, 9};
    EXPECT_FALSE(StepYear(date, -1));
    EXPECT_EQ(date, (CurrentDate{50, 6, 9}));
    date = {149, 6, 9};
    EXPECT_FALSE(StepYear(date, 1));
    EXPECT_TRUE(StepYear(date, -1));
    EXPECT_EQ(date, (CurrentDate{148, 6, 1}));
}

TEST(AccountingCalendar, yearKeysStopAtTheWindowWithoutJumpingBack) {
    const std::tuple<int, int, int> cases[] = {
        {50, -1, 50},   {149, 1, 149}, {150, 1, 150},  // January 2050, reached with the month keys
        {150, -1, 149}, {49, -1, 49},  {49, 1, 50},
    };
    for (auto [year, delta, stepped] : cases) {
        int result = year;
        StepYear(result, delta);
        EXPECT_EQ(result, stepped) << year << " " << delta;
    }
    int year = 50;
    int month = 1;
    StepMonth(year, month, -1);
    EXPECT_EQ(std::pair(year, month), std::pair(49, 12));
}

TEST(AccountingCalendar, aDayKeptAcrossMonthsStaysWithinTheNewMonth) {
    const std::tuple<int, CurrentDate, int, CurrentDate> monthCases[] = {
        {kMonthEnd, {100, 1, 31}, -1, {99, 12, 31}}, {kMonthEnd, {100, 3, 31}, 1, {100, 4, 30}},
        {kMonthEnd, {100, 3, 31}, -1, {100, 2, 29}}, {kMonthEnd, {101, 3, 30}, -1, {101, 2, 28}},
        {25, {101, 4, 31}, -1, {101, 3, 28}},  // 2001/2/26 … 3/25
    };
    for (auto [closingDay, date, delta, stepped] : monthCases) {
        StepMonth(closingDay, date, delta);
        EXPECT_EQ(date, stepped);
    }
    CurrentDate leapDay{100, 2, 29};
    EXPECT_TRUE(StepYear(kMonthEnd, leapDay, -1));
    EXPECT_EQ(leapDay, (CurrentDate{99, 2, 28}));
    CurrentDate last{149, 5, 20};
    EXPECT_FALSE(StepYear(kMonthEnd, last, 1));
    EXPECT_EQ(last, (CurrentDate{149, 5, 20}));
}

TEST(AccountingCalendar, headingNamesTheEraOfTheAccountingMonth) {
    struct Case {
        CurrentDate date;
        std::string heading;
    };
    const Case cases[] = {
        {{100, 1, 3}, "平成12年1月度 (1月10日)"}, {{88, 12, 3}, "昭和63年12月度 (1月10日)"},
        {{89, 1, 3}, "平成1年1月度 (1月10日)"},   {{119, 4, 3}, "平成31年4月度 (1月10日)"},
        {{119, 5, 3}, "令和1年5月度 (1月10日)"},  {{126, 12, 3}, "令和8年12月度 (1月10日)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateHeading(c.date, {2000, 1, 10}), c.heading);
}

TEST(AccountingCalendar, twoDigitYearsPivotAtFifty) {
    EXPECT_EQ(ExpandTwoDigitYear(49), 149);
    EXPECT_EQ(ExpandTwoDigitYear(50), 50);
    EXPECT_EQ(ExpandTwoDigitYear(0), 100);
}

}  // namespace
}  // namespace hanaki
