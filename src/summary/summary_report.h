#pragma once

#include <ostream>
#include <string>

#include "data/book/aggregation.h"
#include "data/formats/category_table.h"
#include "data/formats/settings.h"

// The monthly summary the twelve-month trend and the year's figures as text or CSV, for
// `hanaki --summary`, `hanaki --trend` and `hanaki --year-summary`. No Qt: the reports run without
// a display.
namespace hanaki {

enum class ReportKind { Summary, Trend, YearSummary };

struct ReportRequest {
    ReportKind kind = ReportKind::Summary;
    bool csv = false;
    bool cp932 = false;  // code page 932 instead of UTF-8
    int year = 0;        // four-digit accounting year, 1950 … 2049
    int month = 0;       // of the month shown, or the last of the twelve
};

// UTF-8; names come from the code page 932 master. Columns align on a
// terminal of East Asian widths, or of code page 932 bytes when `cp932`.
// "*" follows a category left out of the totals, "!" a figure over its
// budget, "?" a budget that is no number or negative; a legend line names
// the marks used.
std::string SummaryText(const MonthTotals& totals, const CategoryTable& categories,
                        const Settings& settings, int year, int month, bool cp932 = false);
std::string SummaryCsv(const MonthTotals& totals, const CategoryTable& categories,
                       const Settings& settings);
// Two blocks of six months, the second with the sum and the average.
std::string TrendText(const TrendTotals& trend, const CategoryTable& categories,
                      const Settings& settings, int year, int month, bool cp932 = false);
std::string TrendCsv(const TrendTotals& trend, const CategoryTable& categories,
                     const Settings& settings, int year, int month);

// The twelve months summed: per category 年間合計, 比率, 月平均 (the trend's
// 平均), 年間予算 (the budget times twelve) and 予算比率.
std::string YearSummaryText(const TrendTotals& trend, const CategoryTable& categories,
                            const Settings& settings, int year, int month, bool cp932 = false);
std::string YearSummaryCsv(const TrendTotals& trend, const CategoryTable& categories,
                           const Settings& settings);

// Reads the master, the settings and the month files of `dataDir` and writes
// the report to `out`. Returns the exit code: 0 done, 1 the folder, its
// master or a month file cannot be read (nothing on `out`), or damaged
// records were left out of the report (counted on `err`).
int RunReportCommand(const std::string& dataDir, const ReportRequest& request, std::ostream& out,
                     std::ostream& err);

}  // namespace hanaki
