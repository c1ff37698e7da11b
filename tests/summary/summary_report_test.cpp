#include "summary/summary_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "data/formats/display_width.h"
#include "data/formats/ledger.h"
#include "summary_folder.h"
#include "support/cp932_text.h"

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
              "   費  目               金  額      比  率    予　算    予算比率\n"
              " 1 給料                200,000      100.00\n"
              "     1 月給            200,000      100.00\n"
              "入金 合計              200,000\n"
              " 2 食費                  1,300!     100.00     1,000      130.00\n"
              "     1 朝食                700       53.85\n"
              "     2 夕食                500       38.46\n"
              " 3 娯楽費*               2,000\n"
              "出金 合計                1,300\n"
              "合    計               198,700\n"
              "\n"
              "凡例:  * 集計対象外の費目（合計と比率に含めない）  ! 予算超過\n");
    // The damaged record of May is left out of the figures, and the exit status says so.
    EXPECT_EQ(code, 1);
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
    // Ten cells and a mark to a column, one blank between columns.
    const std::string zeros =
        "          0          0          0          0          0          0\n";
    EXPECT_EQ(
        text.substr(0, text.find(" 2 食費")),
        "2025年6月度 ～ 2026年5月度  月度推移表\n"
        "\n"
        "   費  目               予  算      6  月      7  月      8  月      9  月     10  月"
        "     11  月\n"
        " 1 給料                       " +
            zeros + "     1 月給                   " + zeros + "入金 合計                     " +
            zeros);
    const std::string second = text.substr(text.rfind("\n\n   費  目") + 2);
    EXPECT_EQ(
        second.substr(0, second.find(" 2 食費")),
        "   費  目               12  月      1  月      2  月      3  月      4  月      5  月"
        "     合  計     平  均\n"
        " 1 給料                      0          0          0          0    190,000    200,000"
        "    390,000    195,000\n"
        "     1 月給                  0          0          0          0    190,000    200,000"
        "    390,000    195,000\n"
        "入金 合計                    0          0          0          0    190,000    200,000"
        "    390,000    195,000\n");
}

// An item of category 4, which the master no longer has, as it was entered.
std::string DeletedItem(const std::string& name, const std::string& signedAmount) {
    return SignedItem(4, name, signedAmount);
}

TEST_F(Reports, itemsOfADeletedCategoryShowInRowsOfTheirOwnByTheirSign) {
    home.temp.Write("202603.DAT", DeletedItem("旧車", "-90000"));
    home.temp.Write("202605.DAT",
                    Item(1, 1, 200000) + Item(2, 1, 700) + DeletedItem("自動車", "-3500000") +
                        DeletedItem("車検", "-100000") + DeletedItem("下取り", "+300000"));
    EXPECT_EQ(Run(ReportKind::Summary, true),
              "区分,費目番号,費目,摘要番号,摘要,金額,比率,予算,予算比率,集計\r\n"
              "入金,1,給料,,,200000,40.00,,,1\r\n"
              "入金,1,給料,1,月給,200000,100.00,,,\r\n"
              "入金,4,下取り（削除済み）,,,300000,60.00,,,1\r\n"
              "入金合計,,,,,500000,,,,\r\n"
              "出金,2,食費,,,700,0.02,1000,70.00,1\r\n"
              "出金,2,食費,1,朝食,700,100.00,,,\r\n"
              "出金,2,食費,2,夕食,0,0.00,,,\r\n"
              "出金,3,娯楽費,,,0,,,,0\r\n"
              "出金,4,自動車（削除済み）,,,3600000,99.98,,,1\r\n"
              "出金合計,,,,,3600700,,,,\r\n"
              "合計,,,,,-3100700,,,,\r\n");
    const std::string trend = Run(ReportKind::Trend, true);
    EXPECT_NE(trend.find("入金,4,下取り（削除済み）,,,,1,0,0,0,0,0,0,0,0,0,0,0,300000,300000,"
                         "100000\r\n入金合計,"),
              std::string::npos)
        << trend;
    EXPECT_NE(trend.find("出金,4,旧車（削除済み）,,,,1,0,0,0,0,0,0,0,0,0,90000,0,3600000,3690000,"
                         "1230000\r\n出金合計,"),
              std::string::npos)
        << trend;
    const std::string text = Run(ReportKind::Summary, false);
    EXPECT_NE(text.find("\n 4 自動車（削除済み）  3,600,000       99.98\n出金 合計"),
              std::string::npos)
        << text;
}

// Names with characters one cell wide but two bytes wide in code page 932,
// budgets that are no whole number, a month over its budget, a category left out.
TEST_F(Reports, theSummaryTextMarksWhatTheTotalsLeaveOutAndAlignsByDisplayWidth) {
    home.temp.Write("VERADIV.DAT", Sjis("+※①α○\r\n月給\r\n-食費\r\n朝食,夕食\r\n-娯楽費\r\n\r\n"));
    home.temp.Write("VERADIV.ENV", " 31 \r\n0,0\r\n" + Sjis(",5000.7,１万,,,,,,,,,,,,,,,,,") +
                                       "\r\n1,1,0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n");
    home.temp.Write("202605.DAT", Item(1, 1, 200000) + Item(2, 1, 5001) + Item(3, 1, 2000));
    EXPECT_EQ(Run(ReportKind::Summary, false),
              "2026年5月度  月度集計表\n"
              "\n"
              "   費  目               金  額      比  率    予　算    予算比率\n"
              " 1 ※①α○                200,000      100.00\n"
              "     1 月給            200,000      100.00\n"
              "入金 合計              200,000\n"
              " 2 食費                  5,001!     100.00     5,000      100.02\n"
              "     1 朝食              5,001      100.00\n"
              "     2 夕食                  0        0.00\n"
              " 3 娯楽費*               2,000                  １万?\n"
              "出金 合計                5,001\n"
              "合    計               194,999\n"
              "\n"
              "凡例:  * 集計対象外の費目（合計と比率に含めない）  ! 予算超過  ? "
              "数値でない予算・負の予算（予算比率に使わない）\n");
    // On a code page 932 terminal ※①α○ take two cells each, as their bytes.
    EXPECT_NE(Run(ReportKind::Summary, false, true).find(Sjis(" 1 ※①α○            200,000")),
              std::string::npos);
    const std::string csv = Run(ReportKind::Summary, true);
    EXPECT_EQ(csv.substr(csv.find("出金,2,食費,,")),
              "出金,2,食費,,,5001,100.00,5000,100.02,1\r\n"
              "出金,2,食費,1,朝食,5001,100.00,,,\r\n"
              "出金,2,食費,2,夕食,0,0.00,,,\r\n"
              "出金,3,娯楽費,,,2000,,１万?,,0\r\n"
              "出金合計,,,,,5001,,,,\r\n"
              "合計,,,,,194999,,,,\r\n");
}

// A household that bought a car: the trend reads in a 120-column terminal.
TEST_F(Reports, theTrendTextFitsOneHundredAndTwentyColumnsInTwoBlocks) {
    home.temp.Write("202601.DAT", Item(2, 1, 35090000));
    const std::string text = Run(ReportKind::Trend, false);
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
        const std::size_t end = text.find('\n', at);
        EXPECT_LE(DisplayWidth(text.substr(at, end - at)), 120u) << text.substr(at, end - at);
        at = end + 1;
    }
    EXPECT_EQ(lines, 2u + 10u + 1u + 10u + 2u);  // title, two blocks, legend
    for (const char* line :
         {"\n   費  目               予  算      6  月      7  月      8  月      9  月     10  月"
          "     11  月\n",
          "\n 2 食費                  1,000          0          0          0          0          0"
          "          0\n",
          "\n   費  目               12  月        1  月      2  月      3  月      4  月      5  "
          "月"
          "       合  計       平  均\n",
          "\n 2 食費                      0   35,090,000!         0          0          0      "
          "1,300!"
          "  35,091,300   11,697,100\n",
          "\n凡例:  * 集計対象外の費目（合計と比率に含めない）  ! 予算を超えた月\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
}

// Two of the twelve months have files: the monthly averages halve the sums.
TEST_F(Reports, theYearSummaryAsCsvAndText) {
    EXPECT_EQ(Run(ReportKind::YearSummary, true),
              "区分,費目番号,費目,摘要番号,摘要,年間合計,比率,月平均,年間予算,予算比率,集計\r\n"
              "入金,1,給料,,,390000,100.00,195000,,,1\r\n"
              "入金,1,給料,1,月給,390000,100.00,195000,,,\r\n"
              "入金合計,,,,,390000,,195000,,,\r\n"
              "出金,2,食費,,,1300,100.00,650,12000,10.83,1\r\n"
              "出金,2,食費,1,朝食,700,53.85,350,,,\r\n"
              "出金,2,食費,2,夕食,500,38.46,250,,,\r\n"
              "出金,3,娯楽費,,,2000,,1000,,,0\r\n"
              "出金合計,,,,,1300,,650,,,\r\n"
              "合計,,,,,388700,,194350,,,\r\n");
    // The damaged record of May is left out of the figures, and the exit status says so.
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.str(), UnreadableRecordsNote(1) + "\n");
    EXPECT_EQ(Run(ReportKind::YearSummary, false),
              "2025年6月度 ～ 2026年5月度  年間集計表\n"
              "\n"
              "   費  目             年間合計      比  率     月平均  年間予算    予算比率\n"
              " 1 給料                390,000      100.00    195,000\n"
              "     1 月給            390,000      100.00    195,000\n"
              "入金 合計              390,000                195,000\n"
              " 2 食費                  1,300      100.00        650    12,000       10.83\n"
              "     1 朝食                700       53.85        350\n"
              "     2 夕食                500       38.46        250\n"
              " 3 娯楽費*               2,000                  1,000\n"
              "出金 合計                1,300                    650\n"
              "合    計               388,700                194,350\n"
              "\n"
              "凡例:  * 集計対象外の費目（合計と比率に含めない）\n");
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
