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
}

}  // namespace
}  // namespace hanaki::testing
