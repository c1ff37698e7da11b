#include <gtest/gtest.h>

#include <cmath>

#include "summary/graph_drawing.h"
#include "summary/graph_household.h"

// Marks that make a graph readable: a budget line that can be found, a word
// where there is nothing to draw, the right word for income, and bars that
// stay above their axis.
namespace hanaki::testing {
namespace {

using namespace graph_colours;

bool Says(const RecordingSurface& drawing, const std::string& text) {
    for (const drawn::Text& shown : All<drawn::Text>(drawing))
        if (shown.text == text)
            return true;
    return false;
}

// The contrast ratio of two colours as the accessibility guidelines define it.
double Contrast(GraphColour a, GraphColour b) {
    const auto luminance = [](GraphColour c) {
        const auto linear = [](int value) {
            const double v = value / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(GraphMarks, theYellowBudgetLineLiesOnABandThatStandsOut) {
    for (double budget : {1'100.0, 30'000.0}) {  // on the chart, and dotted above it
        SCOPED_TRACE(budget);
        GraphData graph;
        graph.kind = GraphKind::TrendCategory;
        graph.entries.assign(12, {"x", 1'000});
        graph.reference = budget;
        const auto lines = All<drawn::Line>(Draw(graph));
        int yellow = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].colour != kYellow)
                continue;
            ++yellow;
            ASSERT_GT(i, 0u);
            const drawn::Line& band = lines[i - 1];
            EXPECT_EQ(band.from, lines[i].from);
            EXPECT_EQ(band.to, lines[i].to);
            EXPECT_GT(band.pixels, lines[i].pixels);
            EXPECT_GE(Contrast(band.colour, kGraphBackground), 3);
            EXPECT_GE(Contrast(band.colour, kYellow), 3);
        }
        EXPECT_EQ(yellow, 1);
    }
}

TEST(GraphMarks, aGraphWithNothingToShowSaysSo) {
    struct Case {
        GraphSource source;
        int selector;
        double spent;
        bool empty;
    } cases[] = {
        {GraphSource::MonthlyBar, 0, 0, true},    {GraphSource::MonthlyPie, 0, 0, true},
        {GraphSource::MonthlyBar, 2, 0, true},    {GraphSource::MonthlyPie, 2, 0, true},
        {GraphSource::Trend, 0, 0, true},         {GraphSource::Trend, 2, 0, true},
        {GraphSource::MonthlyBar, 0, 500, false}, {GraphSource::MonthlyPie, 2, 500, false},
        {GraphSource::Trend, 2, 500, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.source) * 100 + c.selector);
        GraphHousehold home;  // 食費 has a budget, which alone is nothing to show
        home.input.source = c.source;
        home.input.selector = c.selector;
        home.input.monthTotals.at(2, 0) = home.input.monthTotals.at(2, 1) = c.spent;
        home.input.trendTotals.months[11].at(2, 0) = c.spent;
        const RecordingSurface drawing = Draw(BuildGraph(home.input, 0));
        EXPECT_EQ(Says(drawing, "データがありません"), c.empty);
        EXPECT_EQ(Says(drawing, "0"), false);  // no scale of zeros
    }
}

TEST(GraphMarks, thePieOfAnIncomeCategorySpeaksOfIncome) {
    struct Case {
        int category;
        std::string heading, total;
    } cases[] = {
        {1, "             入金金額(円)   比率(%)", "　　 入金合計　　   280,000  100.00"},
        {2, "             支出金額(円)   比率(%)", "　　 支出合計　　     3,000  100.00"},
    };
    for (const Case& c : cases) {
        GraphHousehold home;
        home.input.source = GraphSource::MonthlyPie;
        home.input.selector = c.category;
        home.input.monthTotals.AddItem(1, 1, 280'000, false, true);
        home.input.monthTotals.AddItem(2, 1, 3'000, true, true);
        const RecordingSurface drawing = Draw(BuildGraph(home.input, 0));
        EXPECT_EQ(TextAt(drawing, 125, 105), c.heading);
        EXPECT_EQ(TextAt(drawing, 125, 93), c.total);
    }
}

TEST(GraphMarks, thePieTableKeepsNamesAndAmountsApart) {
    struct Case {
        std::string label;
        double value;
        std::string row, total;
    } cases[] = {
        {"ボールペン", 35'000'000, "    1. ボールペン 35,000,000  100.00",
         "　　 支出合計　　 35,000,000  100.00"},
        {"住居費と家の修繕費", 1'200, "    1. 住居費と家の修繕費     1,200  100.00",
         "        　　 支出合計　　     1,200  100.00"},
    };
    for (const Case& c : cases) {
        GraphData graph;
        graph.kind = GraphKind::MonthlyCategoryPie;
        graph.entries = {{Sjis(c.label), c.value}};
        graph.reference = c.value;
        const RecordingSurface drawing = Draw(graph);
        EXPECT_EQ(TextAt(drawing, 125, 99), c.row);
        EXPECT_EQ(TextAt(drawing, 125, 93), c.total);
    }
}

// A bar a little taller than its side face is deep, but not by a whole unit.
TEST(GraphMarks, noSideFaceReachesBelowTheAxis) {
    struct Case {
        GraphKind kind;
        std::size_t bars;
        double height;  // of the low bars, the tallest being 100
    } cases[] = {
        {GraphKind::MonthlyDescriptionBar, 3, 11.05},  // 33.3 wide, 11.1 deep
        {GraphKind::TrendCategory, 12, 2.5},           // 8.3 wide, 2.8 deep
        {GraphKind::MonthlyDescriptionBar, 20, 1.5},   // 5 wide, 1.7 deep
        {GraphKind::TrendTotals, 12, 1.5},             // 5.6 wide, 1.9 deep: income too
        {GraphKind::MonthlyCategoryBar, 12, 2.5},      // the outline of a budget as well
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bars);
        GraphData graph;
        graph.kind = c.kind;
        graph.entries.assign(c.bars, {"x", c.height * 10});
        graph.entries[0].value = 1'000;
        graph.second.assign(c.bars, static_cast<long long>(c.height * 10));
        if (c.kind == GraphKind::MonthlyCategoryBar)
            graph.entries[1].value = 10;  // a budget of 25 with 10 of it spent
        const RecordingSurface drawing = Draw(graph);
        for (const drawn::Polygon& face : All<drawn::Polygon>(drawing))
            for (const GraphPoint& corner : face.corners)
                EXPECT_GE(corner.y, 0);
        for (const drawn::Line& line : All<drawn::Line>(drawing))
            EXPECT_GE(std::min(line.from.y, line.to.y), 0);
    }
}

}  // namespace
}  // namespace hanaki::testing
