#include <gtest/gtest.h>

#include "app/command_line.h"

namespace hanaki {
namespace {

TEST(ReportOptions, monthsAndOptionsComeInAnyForm) {
    struct Case {
        std::vector<std::string> args;
        ReportKind kind;
        int year;
        int month;
        bool csv;
        bool cp932;
    };
    const Case cases[] = {
        {{"--data-dir", "D", "--summary", "2024", "5"}, ReportKind::Summary, 2024, 5, false, false},
        {{"--summary", "2024", "05", "--data-dir", "D"},
         ReportKind::Summary,
         2024,
         5,
         false,
         false},
        {{"--csv", "--trend", "1950", "12", "--encoding", "cp932"},
         ReportKind::Trend,
         1950,
         12,
         true,
         true},
        {{"--encoding", "utf-8", "--trend", "2049", "01", "--csv"},
         ReportKind::Trend,
         2049,
         1,
         true,
         false},
        {{"--year-summary", "2026", "3", "--csv"}, ReportKind::YearSummary, 2026, 3, true, false},
    };
    for (const Case& c : cases) {
        const HanakiOptions options = ParseHanakiOptions(c.args);
        ASSERT_TRUE(options.report) << c.args[0];
        EXPECT_EQ(options.error, "");
        EXPECT_EQ(options.report->kind, c.kind);
        EXPECT_EQ(options.report->year, c.year);
        EXPECT_EQ(options.report->month, c.month);
        EXPECT_EQ(options.report->csv, c.csv);
        EXPECT_EQ(options.report->cp932, c.cp932);
    }
}

TEST(ReportOptions, badMonthsYearsAndMissingArgumentsAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--summary", "2024", "13"}, "年は 1950 から 2049、月は 1 から 12 で指定してください。"},
        {{"--summary", "2024", "0"}, "年は 1950 から 2049、月は 1 から 12 で指定してください。"},
        {{"--trend", "1949", "12"}, "年は 1950 から 2049、月は 1 から 12 で指定してください。"},
        {{"--trend", "2050", "1"}, "年は 1950 から 2049、月は 1 から 12 で指定してください。"},
        {{"--trend", "二〇二四", "1"}, "年は 1950 から 2049、月は 1 から 12 で指定してください。"},
        {{"--summary", "2024"}, "--summary には年と月を指定してください。"},
        {{"--csv"},
         "--csv と --encoding は --summary、--trend、--year-summary か --find "
         "と一緒に指定してください。"},
        {{"--summary", "2024", "5", "--encoding"}, "--encoding の後に値がありません。"},
        {{"--summary", "2024", "5", "--encoding", "euc-jp"},
         "--encoding には cp932 か utf-8 を指定してください。"},
    };
    for (const auto& [args, error] : cases)
        EXPECT_EQ(ParseHanakiOptions(args).error, error) << args.back();
}

}  // namespace
}  // namespace hanaki
