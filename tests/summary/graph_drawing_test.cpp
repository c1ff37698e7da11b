#include <gtest/gtest.h>

#include <tuple>

#include "summary/graph_drawing.h"
#include "summary/graph_household.h"
#include "support/cp932_text.h"

namespace hanaki::testing {
namespace {

using namespace graph_colours;

GraphData Bars(GraphKind kind, const std::vector<double>& values) {
    GraphData graph;
    graph.kind = kind;
    for (double value : values)
        graph.entries.push_back({"x", value});
    return graph;
}

// Fronts of the bars in one colour, as (left, width, height).
std::vector<std::array<double, 3>> Fronts(const RecordingSurface& drawing, GraphColour colour) {
    std::vector<std::array<double, 3>> fronts;
    for (const drawn::FilledBox& box : All<drawn::FilledBox>(drawing))
        if (box.fill == colour)
            fronts.push_back({box.a.x, box.b.x - box.a.x, box.b.y - box.a.y});
    return fronts;
}

void ExpectFronts(const std::vector<std::array<double, 3>>& actual,
                  const std::vector<std::array<double, 3>>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(actual[i][k], expected[i][k], 0.01) << "bar " << i << " part " << k;
}

TEST(BarGraph, threeEntriesShareTheWidthInThirds) {
    const RecordingSurface drawing = Draw(Bars(GraphKind::MonthlyDescriptionBar, {10, 20, 30}));
    ExpectFronts(Fronts(drawing, kBlueFront),
                 {{16.67, 33.33, 33.33}, {83.33, 33.33, 66.67}, {150, 33.33, 100}});
}

TEST(BarGraph, budgetsShowAsRedOverspendingOrADottedOutline) {
    struct Case {
        double spent;
        long long budget;
        std::vector<std::array<double, 3>> red, blue;
        std::size_t outlines;
    } cases[] = {
        {12000, 10000, {{50, 100, 100}}, {{50, 100, 83.33}}, 0},
        {8000, 10000, {}, {{50, 100, 80}}, 1},
        {10000, 10000, {}, {{50, 100, 100}}, 1},
        {0, 10000, {}, {}, 0},
        {8000, 0, {}, {{50, 100, 100}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spent);
        GraphData graph = Bars(GraphKind::MonthlyCategoryBar, {c.spent});
        graph.second = {c.budget};
        const RecordingSurface drawing = Draw(graph);
        ExpectFronts(Fronts(drawing, kRedFront), c.red);
        ExpectFronts(Fronts(drawing, kBlueFront), c.blue);
        EXPECT_EQ(All<drawn::Box>(drawing).size(), c.outlines);
    }
}

TEST(BarGraph, aBudgetFarAboveTheSpendingIsDottedAtTheTop) {
    GraphData graph = Bars(GraphKind::TrendCategory, std::vector<double>(12, 1000));
    graph.reference = 30000;
    bool dottedAtTop = false;
    for (const drawn::Line& line : All<drawn::Line>(Draw(graph)))
        if (line.colour == kYellow)
            dottedAtTop = line.from.y == 114 && line.to.y == 114 && line.style == LineStyle::Dotted;
    EXPECT_TRUE(dottedAtTop);
}

TEST(BarGraph, averagesCountOnlyMonthsWithALedgerFile) {
    GraphData graph =
        Bars(GraphKind::TrendCategory, {12345, 12345, 12345, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    graph.monthsWithFiles = 3;
    const RecordingSurface drawing = Draw(graph);
    EXPECT_EQ(TextAt(drawing, 160, 109), "平均額:12,345円");
    EXPECT_EQ(TextAt(drawing, 201, 102), "平均額");  // the line at the top of the chart
}

TEST(BarGraph, theValueAxisIsCutToTens) {
    const RecordingSurface drawing = Draw(Bars(GraphKind::MonthlyDescriptionBar, {12345, 1}));
    EXPECT_EQ(TextAt(drawing, -18, 101.5), "12340");
    EXPECT_EQ(TextAt(drawing, -18, 76.5), "9250");
    EXPECT_EQ(TextAt(drawing, -18, 51.5), "6170");  // 6172.5 rounds to even
    EXPECT_EQ(TextAt(drawing, -18, 26.5), "3080");
    EXPECT_EQ(TextAt(drawing, -18, 115), "  (円)");
}

TEST(BarGraph, labelsReadDownwards) {
    GraphData graph = Bars(GraphKind::TrendCategory, {1, 2});
    graph.entries[0].label = Sjis("コピー代");
    graph.entries[1].label = Sjis("10　月");
    const auto columns = All<drawn::TextColumn>(Draw(graph));
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].lines, (std::vector<std::string>{"コ", "ピ", "｜", "代"}));
    EXPECT_EQ(columns[1].lines, (std::vector<std::string>{"10", "　", "月"}));
    EXPECT_NEAR(columns[1].start.x, 150, 1e-9);  // second slot, under its bar's middle
    EXPECT_EQ(columns[1].start.y, -1);
}

// Names typed into the master by hand can be longer than a column holds.
TEST(BarGraph, aNameTooLongForOneColumnReadsAcrossTwoCharactersALine) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"水道光熱費", {"水", "道", "光", "熱", "費"}},
        {"住居費と家の修繕費", {"住居", "費と", "家の", "修繕", "費"}},
        {"HOUSING-AND-RENT", {"HOUS", "ING-", "AND-", "RENT"}},
    };
    for (const auto& [label, lines] : cases) {
        GraphData graph = Bars(GraphKind::MonthlyDescriptionBar, std::vector<double>(12, 1));
        graph.entries[5].label = Sjis(label);
        EXPECT_EQ(All<drawn::TextColumn>(Draw(graph))[5].lines, lines);
    }
}

TEST(BarGraph, aMonthWithoutItemsHasLabelsButNoBars) {
    GraphHousehold home;
    const RecordingSurface drawing = Draw(BuildGraph(home.input, 0));
    for (const drawn::FilledBox& front : All<drawn::FilledBox>(drawing))
        EXPECT_EQ(front.b.y, 0);
    EXPECT_TRUE(All<drawn::Polygon>(drawing).empty());
    EXPECT_EQ(All<drawn::TextColumn>(drawing).size(), 3u);
}

GraphData Pie(const std::vector<double>& values) {
    GraphData graph;
    graph.kind = GraphKind::MonthlyCategoryPie;
    for (double value : values) {
        graph.entries.push_back({Sjis("食費"), value});
        graph.reference += value;
    }
    return graph;
}

TEST(PieGraph, slicesRunClockwiseFromTwelveAndCloseTheCircle) {
    for (const auto& values : {std::vector<double>{1, 1, 1}, std::vector<double>{7, 3, 2, 1},
                               std::vector<double>{99999999, 1}, std::vector<double>{500}}) {
        const auto wedges = All<drawn::Wedge>(Draw(Pie(values)));
        ASSERT_EQ(wedges.size(), values.size());
        double total = 0, end = 90;
        for (const drawn::Wedge& wedge : wedges) {
            EXPECT_NEAR(std::fmod(wedge.fromDegrees + wedge.spanDegrees, 360), std::fmod(end, 360),
                        1e-6);
            end = wedge.fromDegrees;
            total += wedge.spanDegrees;
        }
        EXPECT_NEAR(wedges.back().fromDegrees, 90, 1e-9);
        EXPECT_NEAR(total, 360, 1e-9);
    }
}

TEST(PieGraph, aSingleEntryFillsTheCircleWithItsMarkerBelowTheCentre) {
    const RecordingSurface drawing = Draw(Pie({500}));
    EXPECT_EQ(All<drawn::Wedge>(drawing)[0].spanDegrees, 360);
    for (const drawn::Text& text : All<drawn::Text>(drawing)) {
        if (text.text == "①") {
            EXPECT_NEAR(text.topLeft.x, 50, 1e-9);
            EXPECT_NEAR(text.topLeft.y, -10, 1e-9);
        }
    }
}

TEST(PieGraph, aMonthWithoutItemsShowsTheEmptyCircle) {
    GraphHousehold home;
    home.input.source = GraphSource::MonthlyPie;
    const RecordingSurface drawing = Draw(BuildGraph(home.input, 0));
    EXPECT_TRUE(All<drawn::Wedge>(drawing).empty());
    EXPECT_EQ(All<drawn::Circle>(drawing).size(), 1u);
}

TEST(PieGraph, theTableCountsFullWidthCharactersAsTwoCells) {
    GraphData graph = Pie({1200, 800});
    graph.entries[0].label = Sjis("ボールペン");
    const RecordingSurface drawing = Draw(graph);
    EXPECT_EQ(TextAt(drawing, 125, 99), "    1. ボールペン     1,200   60.00");
    EXPECT_EQ(TextAt(drawing, 125, 93), "    2. 食費" + std::string(13, ' ') + "800   40.00");
    EXPECT_EQ(TextAt(drawing, 125, 87), "　　 支出合計　　     2,000  100.00");
}

// The table's shares round as the monthly summary does: the exact share,
// halves away from zero, not the binary double.
TEST(PieGraph, sharesRoundLikeTheMonthlySummary) {
    const std::vector<std::tuple<double, double, std::string>> cases{
        {3753, 247, "6.18"},  // 6.175: a binary printf gives 6.17
        {124, 4, "3.13"},     // 3.125
        {159, 1, "0.63"},     // 0.625
        {2, 1, "33.33"},
    };
    for (const auto& [large, small, share] : cases) {
        const RecordingSurface drawing = Draw(Pie({large, small}));
        const std::string line = TextAt(drawing, 125, 93);
        EXPECT_EQ(line.substr(line.find_last_of(' ') + 1), share) << large << " " << small;
    }
}

}  // namespace
}  // namespace hanaki::testing
