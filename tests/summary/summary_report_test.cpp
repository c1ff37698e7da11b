#include "summary/summary_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "data/ledger.h"
#include "summary_folder.h"

namespace hanaki::testing {
namespace {

// 給料 (income), 食費 (budget 1,000), 娯楽費 (left out of the summaries).
class Reports : public ::testing::Test {
  protected:
    Reports() {
        home.temp.Write("VERADIV.DAT",
                        Sjis("+給料\r\n月給\r\n-食費\r\n朝食,夕食\r\n-娯楽費\r\n\r\n"));
        home.temp.Write(
            "VERADIV.ENV",
            " 31 "
            "\r\n0,0\r\n,1000,,,,,,,,,,,,,,,,,,\r\n1,1,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n");
        home.temp.Write("202604.DAT", Item(1, 1, 190000));
        home.temp.Write("202605.DAT", Item(1, 1, 200000) + Item(2, 1, 700) + Item(2, 2, 500) +
                                          Item(2, 3, 100) + Item(3, 1, 2000) +
                                          std::string(104, '?'));
    }
    std::string Run(ReportKind kind, bool csv, bool cp932 = false) {
        out.str("");
        err.str("");
        code = RunReportCommand(home.temp.path(), {kind, csv, cp932, 2026, 5}, out, err);
        return out.str();
    }
    Household home;
    std::ostringstream out;
    std::ostringstream err;
    int code = -1;
};

TEST_F(Reports, theMonthlySummaryAsText) {
    EXPECT_EQ(Run(ReportKind::Summary, false),
              "2026年5月度  月度集計表\n"
              "\n"
              "   費  目                  金  額   比  率       予　算 予算比率\n"
              " 1 給料                   200,000   100.00\n"
              "     1 月給               200,000   100.00\n"
              "入金 合計                 200,000\n"
              " 2 食費                     1,300   100.00        1,000   130.00\n"
              "     1 朝食                   700    53.85\n"
              "     2 夕食                   500    38.46\n"
              " 3 娯楽費                   2,000\n"
              "出金 合計                   1,300\n"
              "合    計                  198,700\n");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(err.str(), UnreadableRecordsNote(1) + "\n");
}

TEST_F(Reports, theMonthlySummaryAsCsv) {
    const std::string expected =
        "区分,費目番号,費目,摘要番号,摘要,金額,比率,予算,予算比率,集計\r\n"
        "入金,1,給料,,,200000,100.00,,,1\r\n"
        "入金,1,給料,1,月給,200000,100.00,,,\r\n"
        "入金合計,,,,,200000,,,,\r\n"
        "出金,2,食費,,,1300,100.00,1000,130.00,1\r\n"
        "出金,2,食費,1,朝食,700,53.85,,,\r\n"
        "出金,2,食費,2,夕食,500,38.46,,,\r\n"
        "出金,3,娯楽費,,,2000,,,,0\r\n"
        "出金合計,,,,,1300,,,,\r\n"
        "合計,,,,,198700,,,,\r\n";
    EXPECT_EQ(Run(ReportKind::Summary, true), expected);
    EXPECT_EQ(Run(ReportKind::Summary, true, true), Sjis(expected));
}

TEST_F(Reports, theTwelveMonthsAsCsvAverageOverTheMonthsWithFiles) {
    EXPECT_EQ(Run(ReportKind::Trend, true),
              "区分,費目番号,費目,摘要番号,摘要,予算,集計,2025/06,2025/07,2025/08,2025/09,"
              "2025/10,2025/11,2025/12,2026/01,2026/02,2026/03,2026/04,2026/05,合計,平均\r\n"
              "入金,1,給料,,,,1,0,0,0,0,0,0,0,0,0,0,190000,200000,390000,195000\r\n"
              "入金,1,給料,1,月給,,,0,0,0,0,0,0,0,0,0,0,190000,200000,390000,195000\r\n"
              "入金合計,,,,,,,0,0,0,0,0,0,0,0,0,0,190000,200000,390000,195000\r\n"
              "出金,2,食費,,,1000,1,0,0,0,0,0,0,0,0,0,0,0,1300,1300,650\r\n"
              "出金,2,食費,1,朝食,,,0,0,0,0,0,0,0,0,0,0,0,700,700,350\r\n"
              "出金,2,食費,2,夕食,,,0,0,0,0,0,0,0,0,0,0,0,500,500,250\r\n"
              "出金,3,娯楽費,,,,0,0,0,0,0,0,0,0,0,0,0,0,2000,2000,1000\r\n"
              "出金合計,,,,,,,0,0,0,0,0,0,0,0,0,0,0,1300,1300,650\r\n"
              "合計,,,,,,,0,0,0,0,0,0,0,0,0,0,190000,198700,388700,194350\r\n");
}

TEST_F(Reports, theTwelveMonthsAsText) {
    const std::string text = Run(ReportKind::Trend, false);
    // Eleven cells to a column, one blank between columns; the sum takes thirteen.
    std::string zeros;
    for (int month = 0; month < 10; ++month)
        zeros += "           0";
    const std::string noBudget(12, ' ');
    const std::string tail = "     190,000     200,000       390,000     195,000\n";
    EXPECT_EQ(text.substr(0, text.find(" 2 食費")),
              "2025年6月度 ～ 2026年5月度  月度推移表\n"
              "\n"
              "   費  目                 予  算       6  月       7  月       8  月       9  月"
              "      10  月      11  月      12  月       1  月       2  月       3  月       4  月"
              "       5  月        合  計      平  均\n"
              " 1 給料             " +
                  noBudget + zeros + tail + "     1 月給         " + noBudget + zeros + tail +
                  "入金 合計           " + noBudget + zeros + tail);
}

TEST_F(Reports, anUnreadableFolderGivesExitOneAndNothingOnOutput) {
    home.temp.Write("VERADIV.DAT", "");
    std::ostringstream none;
    EXPECT_EQ(RunReportCommand(home.temp.path() + "/missing", {}, none, err), 1);
    EXPECT_EQ(none.str(), "");
    EXPECT_FALSE(err.str().empty());
}

}  // namespace
}  // namespace hanaki::testing
