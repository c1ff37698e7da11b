#include "monthly/monthly_printout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/formats/category_table.h"
#include "monthly/month_files.h"
#include "support/cp932_text.h"
#include "support/recording_print_surface.h"

namespace hanaki::testing {
namespace {

MonthlyPrintout PrintoutOf(const std::vector<Item>& items, int year = 2026, int month = 12) {
    CategoryTable categories;
    ParseCategoryFile(Sjis(kMonthlyMaster), categories);
    MonthLedger ledger;
    for (const Item& item : items)
        AppendItem(ledger, ledger.LastSlot(), DecodeLedgerRecord(LedgerBytes({item})));
    MonthlyPrintout printout;
    printout.year = year;
    printout.month = month;
    printout.rows = CollectMonthlyRows(ledger, categories, kMonthEnd);
    double income = 0, expense = 0;
    for (const MonthlyRow& row : printout.rows)
        (row.income ? income : expense) += static_cast<double>(row.amount);
    printout.totals = ShownTotals(income, expense);
    return printout;
}

RecordingPrintSurface Print(const MonthlyPrintout& printout) {
    RecordingPrintSurface paper;
    EXPECT_TRUE(PrintMonthlyTable(paper, printout).ok());
    EXPECT_EQ(paper.ends, 1);
    return paper;
}

const std::string kPageOne = "401,325 Times New Roman 12 [" + std::string(158, ' ') + "page 1]";

TEST(MonthlyPrintout, OneItemWithAMemoPrintsThisExactSheet) {
    MonthlyPrintout printout = PrintoutOf({{"260405", 1, 250000, "給与振込"}}, 2026, 4);
    printout.hasMemoFile = true;
    printout.memo.SetLines(5, {Sjis("花見"), "", ""});

    const std::vector<std::string> expected = {
        kPageOne,
        "401,325 ＭＳ ゴシック 14 [   2026年(令和8年)4月度     家 計 簿 一 覧]",
        "401,725 ＭＳ ゴシック 11 [No.]",
        "730,725 ＭＳ ゴシック 11 [ 月日]",
        "1390,725 ＭＳ ゴシック 11 [  費   目]",
        "2545,725 ＭＳ ゴシック 11 [  摘   要]",
        "3700,725 ＭＳ ゴシック 11 [ 収  入]",
        "4690,725 ＭＳ ゴシック 11 [ 支  出]",
        "5680,725 ＭＳ ゴシック 11 [ 残  高]",
        "6670,725 ＭＳ ゴシック 11 [  備                   考]",
        "401,975 ＭＳ 明朝 11 [  1]",
        "760,975 ＭＳ 明朝 11 [ 4/5]",
        "1390,975 ＭＳ 明朝 11 [給料        ]",
        "2545,975 ＭＳ 明朝 11 [月給        ]",
        "3640,975 ＭＳ 明朝 11 [  250,000]",
        "4630,975 ＭＳ 明朝 11 [         ]",
        "5630,975 ＭＳ 明朝 11 [  250,000]",
        "6700,975 ＭＳ 明朝 11 [給与振込]",
        "line 401,700 11270,700",
        "line 401,950 11270,950",
        "line 401,1200 11270,1200",
        "line 730,701 730,1200",
        "line 1390,701 1390,1200",
        "line 2545,701 2545,1200",
        "line 3700,701 3700,1200",
        "line 4690,701 4690,1200",
        "line 5680,701 5680,1200",
        "line 6670,701 6670,1200",
        "line 401,701 401,1200",
        "line 11270,701 11270,1200",
        "2545,1225 ＭＳ ゴシック 11 [ 合 計 ]",
        "3650,1225 ＭＳ ゴシック 11 [  250,000]",
        "4640,1225 ＭＳ ゴシック 11 [        0]",
        "5680,1225 ＭＳ ゴシック 11 [ 残高   250,000]",
        "line 2545,1200 2545,1450",
        "line 3700,1200 3700,1450",
        "line 4690,1200 4690,1450",
        "line 5680,1200 5680,1450",
        "line 8155,1200 8155,1450",
        "line 2545,1450 8155,1450",
        "1390,1950 ＭＳ ゴシック 11 [     2026年4月度   メ モ 欄 ]",
        "line 400,2200 10910,2200",
        "400,2200 ＭＳ 明朝 11 [ 4/5]",
        "1260,2200 ＭＳ 明朝 11 [花見]",
        "line 400,2200 400,2450",
        "line 1060,2200 1060,2450",
        "line 10910,2200 10910,2450",
        "line 400,2450 10910,2450",
    };
    const RecordingPrintSurface paper = Print(printout);
    ASSERT_EQ(paper.sheets.size(), 1u);
    EXPECT_EQ(paper.sheets[0], expected);
}

TEST(MonthlyPrintout, FiftyEightItemsFillOneSheetAndTheFiftyNinthTurnsThePage) {
    const RecordingPrintSurface full = Print(PrintoutOf(DecemberItems(58)));
    ASSERT_EQ(full.sheets.size(), 1u);  // and no blank sheet after it
    EXPECT_EQ(full.TextsAt(2545, 700 + 59 * 250 + 25),
              (std::vector<std::string>{"2545,15475 ＭＳ ゴシック 11 [ 合 計 ]"}));

    const RecordingPrintSurface turned = Print(PrintoutOf(DecemberItems(59)));
    ASSERT_EQ(turned.sheets.size(), 2u);
    std::vector<std::string> top = turned.TextsOf(1);
    ASSERT_GE(top.size(), 12u);
    EXPECT_EQ(top[0], "401,325 Times New Roman 12 [" + std::string(158, ' ') + "page 2]");
    const std::vector<std::string> firstTop = turned.TextsOf(0);
    EXPECT_EQ(std::vector(top.begin() + 1, top.begin() + 10),
              std::vector(firstTop.begin() + 1, firstTop.begin() + 10));
    EXPECT_EQ(top[10], "401,975 ＭＳ 明朝 11 [ 59]");
    EXPECT_NE(std::find(top.begin(), top.end(), "2545,1225 ＭＳ ゴシック 11 [ 合 計 ]"), top.end());
}

TEST(MonthlyPrintout, LargeAmountsAreSetSmallerAndWider) {
    struct Case {
        int category;
        long long amount;
        std::string amountText, balanceText;
    };
    const std::vector<Case> cases = {
        {1, 1'000'000, "3640,975 ＭＳ 明朝 9.25 [  1,000,000]",
         "5630,975 ＭＳ 明朝 9.25 [  1,000,000]"},
        {1, 999'999, "3640,975 ＭＳ 明朝 11 [  999,999]", "5630,975 ＭＳ 明朝 11 [  999,999]"},
        {1, -100'000, "3640,975 ＭＳ 明朝 9.25 [   -100,000]",
         "5630,975 ＭＳ 明朝 9.25 [   -100,000]"},
        {2, 99'999, "4630,975 ＭＳ 明朝 11 [   99,999]", "5630,975 ＭＳ 明朝 11 [  -99,999]"},
        {2, 100'000, "4630,975 ＭＳ 明朝 11 [  100,000]", "5630,975 ＭＳ 明朝 9.25 [   -100,000]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        const RecordingPrintSurface paper = Print(PrintoutOf({{"261201", c.category, c.amount}}));
        const int x = c.category == 1 ? 3640 : 4630;
        EXPECT_EQ(paper.TextsAt(x, 975), std::vector<std::string>{c.amountText});
        EXPECT_EQ(paper.TextsAt(5630, 975), std::vector<std::string>{c.balanceText});
    }
}

// Where a recorded text shows ink, in twips across the page: from its first
// to its last non-blank byte, a byte being half an em of its size.
struct Ink {
    double left, right;
    std::string text;  // without the blanks around it
};
Ink InkOf(const std::string& call) {
    const std::size_t open = call.find('[');
    const std::size_t sizeAt = call.rfind(' ', open - 2) + 1;
    const double points = std::stod(call.substr(sizeAt, open - 1 - sizeAt));
    const std::string bytes = Sjis(call.substr(open + 1, call.size() - open - 2));
    const std::size_t first = bytes.find_first_not_of(' ');
    if (first == std::string::npos)
        return {0, 0, ""};
    const std::size_t last = bytes.find_last_not_of(' ');
    const double x = std::stoi(call);
    const std::string shown = call.substr(open + 1, call.size() - open - 2);
    return {x + first * points * 10, x + (last + 1) * points * 10,
            shown.substr(shown.find_first_not_of(' '),
                         shown.find_last_not_of(' ') - shown.find_first_not_of(' ') + 1)};
}

TEST(MonthlyPrintout, EveryFigureStaysWithinItsColumnRules) {
    // The rules from the table's left edge: No., date, category, description,
    // income, expense, balance, remark, right edge; the totals row ends at 7755.
    const std::vector<int> rules = {0, 330, 990, 2145, 3300, 4290, 5280, 6270, 10870};
    const std::vector<int> totalsRules = {2145, 3300, 4290, 5280, 7755};
    std::vector<Item> incomes, expenses;
    for (int i = 0; i < 1000; ++i) {
        incomes.push_back({"2612" + TwoDigits(i * 31 / 1000 + 1), 1, 999'999'999});
        expenses.push_back({"2612" + TwoDigits(i * 31 / 1000 + 1), 2, 999'999'999});
    }
    struct Case {
        const char* name;
        std::vector<Item> items;
        std::vector<std::string> mustShow;  // figures read whole somewhere on paper
    };
    const std::vector<Case> cases = {
        {"a balance of minus ten million", {{"261201", 2, 10'000'000}}, {"-10,000,000"}},
        {"nine digits", {{"261201", 1, 100'000'000}}, {"100,000,000"}},
        {"a thousand incomes of nine digits",
         incomes,
         {"1000", "999,999,999", "999,999,999,000", "残高   999,999,999,000"}},
        {"a thousand expenses of nine digits",
         expenses,
         {"1000", "-999,999,999,000", "残高   -999,999,999,000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonthlyPrintout printout = PrintoutOf(c.items);
        printout.rows[0].record.categoryName = Sjis("ＡＢＣＤＥＦ");     // 12 bytes
        printout.rows[0].record.descriptionName = Sjis("ａｂｃｄｅ１");  // likewise
        const RecordingPrintSurface paper = Print(printout);
        std::vector<std::string> shown;
        const int items = static_cast<int>(printout.rows.size());
        for (std::size_t sheet = 0; sheet < paper.sheets.size(); ++sheet) {
            const int lines = std::min(58, items - static_cast<int>(sheet) * 58);
            for (int line = 1; line <= lines + 1; ++line) {
                const bool totals = line == lines + 1;
                if (totals && sheet + 1 != paper.sheets.size())
                    continue;
                std::vector<std::string> row;
                for (const std::string& call : paper.TextsOf(sheet)) {
                    if (std::stoi(call.substr(call.find(',') + 1)) == 700 + line * 250 + 25)
                        row.push_back(call);
                }
                const std::vector<int>& bounds = totals ? totalsRules : rules;
                ASSERT_EQ(row.size(), bounds.size() - 1) << "sheet " << sheet << " line " << line;
                for (std::size_t k = 0; k < row.size(); ++k) {
                    const Ink ink = InkOf(row[k]);
                    if (ink.text.empty())
                        continue;
                    // A cell may touch a rule: the glyph's bearing keeps its ink off it.
                    EXPECT_GE(ink.left, 400 + bounds[k]) << row[k];
                    EXPECT_LE(ink.right, 400 + bounds[k + 1] + 1) << row[k];
                    shown.push_back(ink.text);
                }
            }
        }
        for (const std::string& figure : c.mustShow)
            EXPECT_NE(std::find(shown.begin(), shown.end(), figure), shown.end()) << figure;
    }
}

TEST(MonthlyPrintout, AZeroBalancePrintsBlankWhileTheTotalShowsZero) {
    const RecordingPrintSurface paper = Print(PrintoutOf({{"261201", 1, 500}, {"261202", 2, 500}}));
    EXPECT_EQ(paper.TextsAt(5630, 1225),
              std::vector<std::string>{"5630,1225 ＭＳ 明朝 11 [         ]"});
    EXPECT_EQ(paper.TextsAt(5680, 1475),
              std::vector<std::string>{"5680,1475 ＭＳ ゴシック 11 [ 残高   0]"});
}

TEST(MonthlyPrintout, RemarksPastFortyBytesAreSetSmall) {
    const std::string twentyOne = "あいうえおかきくけこさしすせそたちつてとな";
    const std::string twenty = twentyOne.substr(0, twentyOne.size() - 3);
    const RecordingPrintSurface paper =
        Print(PrintoutOf({{"261201", 2, 100, twentyOne + "   "}, {"261202", 2, 100, twenty}}));
    EXPECT_EQ(paper.TextsAt(6700, 975),
              std::vector<std::string>{"6700,975 ＭＳ 明朝 7.5 [" + twentyOne + "]"});
    EXPECT_EQ(paper.TextsAt(6700, 1225),
              std::vector<std::string>{"6700,1225 ＭＳ 明朝 11 [" + twenty + "]"});
}

TEST(MonthlyPrintout, MemosFollowTheTotalsUnlessTheLastPageIsNearlyFull) {
    struct Case {
        int items;
        std::size_t sheet;  // where the memo heading goes
        int headingY;
    };
    for (const Case& c :
         {Case{54, 0, 700 + 58 * 250}, Case{55, 1, 700}, Case{112, 1, 700 + 58 * 250}}) {
        SCOPED_TRACE(c.items);
        MonthlyPrintout printout = PrintoutOf(DecemberItems(c.items));
        printout.hasMemoFile = true;
        printout.memo.SetLines(2, {Sjis("二日"), "", ""});
        const std::vector<std::string> texts = Print(printout).TextsOf(c.sheet);
        ASSERT_GE(texts.size(), 3u);
        const std::string y = std::to_string(c.headingY);
        const std::string next = std::to_string(c.headingY + 250);
        EXPECT_EQ(std::vector(texts.end() - 3, texts.end()),
                  (std::vector<std::string>{
                      "1390," + y + " ＭＳ ゴシック 11 [     2026年12月度   メ モ 欄 ]",
                      "400," + next + " ＭＳ 明朝 11 [12/2]",
                      "1260," + next + " ＭＳ 明朝 11 [二日]",
                  }));
    }
}

TEST(MonthlyPrintout, MemoDaysPrintInDayOrderAndOnlyTheirLinesWithText) {
    MonthlyPrintout printout = PrintoutOf(DecemberItems(1));
    printout.hasMemoFile = true;
    printout.memo.SetLines(31, {Sjis("大晦日"), "", Sjis("紅白")});
    printout.memo.SetLines(2, {"", Sjis("二日"), ""});
    printout.memo.days[3].dayFields = {"03", "03", "03"};  // a record with three empty lines
    const std::vector<std::string> texts = Print(printout).TextsOf(0);
    EXPECT_EQ(std::vector(texts.end() - 5, texts.end()), (std::vector<std::string>{
                                                             "400,2200 ＭＳ 明朝 11 [12/2]",
                                                             "1260,2200 ＭＳ 明朝 11 [二日]",
                                                             "400,2450 ＭＳ 明朝 11 [12/31]",
                                                             "1260,2450 ＭＳ 明朝 11 [大晦日]",
                                                             "1260,2700 ＭＳ 明朝 11 [紅白]",
                                                         }));
}

TEST(MonthlyPrintout, ALongMemoSectionGoesOnToTheNextSheetWithinTheRows) {
    MonthlyPrintout printout = PrintoutOf(DecemberItems(54));
    printout.hasMemoFile = true;
    for (int day = 1; day <= 31; ++day)
        printout.memo.SetLines(day, {Sjis("一行目"), Sjis("二行目"), Sjis("三行目")});
    const RecordingPrintSurface paper = Print(printout);
    ASSERT_EQ(paper.sheets.size(), 3u);
    // A sheet has rows 0 … 59 under the top at 700, as a full item page does.
    for (const auto& sheet : paper.sheets) {
        for (const std::string& call : sheet) {
            const int y = std::stoi(call.substr(call.find(',') + 1));
            if (call.rfind("line ", 0) == 0) {
                EXPECT_LE(y, 700 + 60 * 250) << call;
                EXPECT_LE(std::stoi(call.substr(call.rfind(',') + 1)), 700 + 60 * 250) << call;
            } else {
                EXPECT_LE(y, 700 + 59 * 250) << call;
            }
        }
    }
    EXPECT_EQ(paper.sheets[2].front(), "line 400,700 10910,700");
    EXPECT_EQ(paper.TextsOf(2).back(), "1260,8700 ＭＳ 明朝 11 [三行目]");
}

TEST(MonthlyPrintout, TheTitleNamesTheEraOfTheAccountingMonth) {
    const std::vector<std::pair<std::pair<int, int>, std::string>> cases = {
        {{1985, 4}, "   1985年(昭和60年)4月度     家 計 簿 一 覧"},
        {{1999, 12}, "   1999年(平成11年)12月度     家 計 簿 一 覧"},
        {{2019, 4}, "   2019年(平成31年)4月度     家 計 簿 一 覧"},
        {{2019, 5}, "   2019年(令和1年)5月度     家 計 簿 一 覧"},
    };
    for (const auto& [month, title] : cases)
        EXPECT_EQ(PrintoutTitle(month.first, month.second), title);
}

}  // namespace
}  // namespace hanaki::testing
