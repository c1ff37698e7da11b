#include <gtest/gtest.h>

#include "summary/graph_data.h"
#include "summary/graph_household.h"
#include "support/cp932_text.h"

namespace hanaki::testing {
namespace {

std::vector<std::string> Labels(const GraphData& graph) {
    std::vector<std::string> labels;
    for (const GraphEntry& entry : graph.entries)
        labels.push_back(Cp932ToUtf8(entry.label));
    return labels;
}

std::vector<double> Values(const GraphData& graph) {
    std::vector<double> values;
    for (const GraphEntry& entry : graph.entries)
        values.push_back(entry.value);
    return values;
}

TEST(GraphInput, eachGraphNamesItsMonthCategoryAndKeys) {
    const std::string overview = "    <ESC>グラフ終了    <Tab>棒,円グラフ切り替え";
    const std::string descriptions =
        "    <ESC>グラフ終了    <↑↓>費目変更    <Tab>棒,円グラフ切り替え";
    const std::string trend = "    <ESC>グラフ終了    <↑↓>費目変更    <←→>摘要変更";
    struct Case {
        GraphSource source;
        int selector, description;
        GraphKind kind;
        std::string title, subtitle, legend;
    } cases[] = {
        {GraphSource::MonthlyBar, 0, 0, GraphKind::MonthlyCategoryBar,
         "2026年3月度  費 目 別 月 度 集 計 (支出)", "", overview},
        {GraphSource::MonthlyPie, 0, 0, GraphKind::MonthlyCategoryPie,
         "2026年3月度  費 目 別 月 度 集 計 (支出)", "", overview},
        {GraphSource::MonthlyBar, 2, 0, GraphKind::MonthlyDescriptionBar,
         "2026年3月度  摘 要 別 月 度 集 計 ", "食費", descriptions},
        {GraphSource::MonthlyPie, 2, 0, GraphKind::MonthlyDescriptionPie,
         "2026年3月度  摘 要 別 月 度 集 計 ", "食費", descriptions},
        {GraphSource::Trend, 0, 0, GraphKind::TrendTotals, "～2026年3月度  収 支 別 月 度 推 移 表",
         "", "    <ESC>グラフ終了    "},
        {GraphSource::Trend, 2, 0, GraphKind::TrendCategory,
         "～2026年3月度  費 目 別 月 度 推 移 表", "食費", trend},
        {GraphSource::Trend, 2, 2, GraphKind::TrendDescription,
         "～2026年3月度  摘 要 別 月 度 推 移 表", "食費     ＜食材＞", trend},
    };
    for (const Case& c : cases) {
        GraphHousehold home;
        home.input.source = c.source;
        home.input.selector = c.selector;
        const GraphData graph = BuildGraph(home.input, c.description);
        SCOPED_TRACE(c.title);
        EXPECT_EQ(graph.kind, c.kind);
        EXPECT_EQ(graph.title, c.title);
        EXPECT_EQ(graph.subtitle, c.subtitle);
        EXPECT_EQ(graph.legend, c.legend);
    }
}

TEST(GraphInput, monthlyBarsShowTheSummedExpensesWithTheirBudgets) {
    GraphHousehold home;
    home.input.monthTotals.at(1, 0) = 250000;  // income: not drawn
    home.input.monthTotals.at(2, 0) = 42000;
    home.input.monthTotals.at(3, 0) = -5000;  // a refund month shows no bar
    home.input.monthTotals.at(5, 0) = 9000;   // left out of the summaries
    const GraphData graph = BuildGraph(home.input, 0);
    EXPECT_EQ(Labels(graph), (std::vector<std::string>{"食費", "住居", "光熱費"}));
    EXPECT_EQ(Values(graph), (std::vector<double>{42000, 0, 0}));
    EXPECT_EQ(graph.second, (std::vector<long long>{30000, 0, 15000}));

    home.input.monthTotals.AddDeletedItem(7, 3500000, true, true, Sjis("自動車"));
    home.input.monthTotals.AddDeletedItem(8, 100, false, true, Sjis("返金"));  // income
    EXPECT_EQ(Labels(BuildGraph(home.input, 0)),
              (std::vector<std::string>{"食費", "住居", "光熱費", "自動車（削除済み）"}));
}

TEST(GraphInput, budgetsThatAreNoWholeNumberAreReadAsTheSummaryReadsThem) {
    GraphHousehold home;
    home.input.settings.budgets[2] = "5000.7";
    home.input.settings.budgets[3] = Sjis("１２０００");
    home.input.settings.budgets[4] = "abc";
    EXPECT_EQ(BuildGraph(home.input, 0).second, (std::vector<long long>{5000, 12000, 0}));
    home.input.source = GraphSource::Trend;
    home.input.selector = 2;
    EXPECT_EQ(BuildGraph(home.input, 0).reference, 5000);
}

TEST(GraphInput, pieSlicesRunFromTheLargestAgainstTheCategorysTotal) {
    GraphHousehold home;
    home.input.source = GraphSource::MonthlyPie;
    const char* const names[] = {"A", "B", "C", "D", "E", "F"};
    for (int d = 1; d <= 6; ++d)
        home.input.categories.descriptions[2][d] = names[d - 1];
    const double totals[] = {3, 5, 3, 7, 0, -2};  // the last two have no slice
    for (int d = 1; d <= 6; ++d)
        home.input.monthTotals.AddItem(2, d, totals[d - 1], true, true);
    home.input.selector = 2;
    const GraphData graph = BuildGraph(home.input, 0);
    // The exchange sort leaves the two threes in the order C, A.
    EXPECT_EQ(Labels(graph), (std::vector<std::string>{"D", "B", "C", "A"}));
    EXPECT_EQ(graph.reference, 16);  // the category's total, as the summary's shares take it
}

TEST(GraphInput, twelveMonthsRunFromTheMonthAfterTheLastAndShowNoNegativeTotals) {
    GraphHousehold home;
    home.input.source = GraphSource::Trend;
    home.input.month = 3;
    for (int s = 0; s < 12; ++s) {
        MonthTotals& month = home.input.trendTotals.months[s];
        month.at(0, 0) = month.at(0, 2) = 200000.5 + s;
        month.at(0, 1) = month.at(0, 3) = 150000 + s;
        if (s % 2 == 0)
            month.MarkHasItems();
    }
    home.input.trendTotals.months[4].at(0, 1) = -1;  // the whole month is a refund
    home.input.trendTotals.months[5].at(0, 0) = -1;
    const GraphData graph = BuildGraph(home.input, 0);
    EXPECT_EQ(Labels(graph), (std::vector<std::string>{"４　月", "５　月", "６　月", "７　月",
                                                       "８　月", "９　月", "10　月", "11　月",
                                                       "12　月", "１　月", "２　月", "３　月"}));
    EXPECT_EQ(graph.entries[3].value, 150003);
    EXPECT_EQ(graph.entries[4].value, 0);
    EXPECT_EQ(graph.second[0], 200000);  // halves to even
    EXPECT_EQ(graph.second[1], 200002);
    EXPECT_EQ(graph.second[5], 0);
    EXPECT_EQ(graph.monthsWithFiles, 6);
}

TEST(GraphInput, aCategorysTwelveMonthsCarryItsBudget) {
    GraphHousehold home;
    home.input.source = GraphSource::Trend;
    home.input.selector = 2;
    home.input.month = 12;
    home.input.trendTotals.months[0].at(2, 1) = 1200;
    home.input.trendTotals.months[1].at(2, 1) = -300;
    const GraphData graph = BuildGraph(home.input, 1);
    EXPECT_EQ(Cp932ToUtf8(graph.entries[0].label), "１　月");
    EXPECT_EQ(graph.entries[0].value, 1200);
    EXPECT_EQ(graph.entries[1].value, 0);
    EXPECT_EQ(graph.reference, 30000);
    EXPECT_EQ(graph.monthsWithFiles, 1);  // no month has a file: averages divide by 1
}

}  // namespace
}  // namespace hanaki::testing
