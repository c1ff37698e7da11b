#include <gtest/gtest.h>

#include <algorithm>

#include "summary/graph_drawing.h"
#include "summary/graph_household.h"
#include "summary/year_figures.h"

// The graphs give the figures the summaries give: one average, one total, and
// a scale that shows the spending.
namespace hanaki::testing {
namespace {

using namespace graph_colours;

// Whether some text of the drawing holds `text`.
bool Mentions(const RecordingSurface& drawing, const std::string& text) {
    for (const drawn::Text& shown : All<drawn::Text>(drawing))
        if (shown.text.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(GraphFigures, averagesAreTheYearSummarysHalvesToEven) {
    struct Case {
        std::vector<double> months;  // with a file; the others are empty
        std::string average;
    } cases[] = {
        {{793'482, 793'483, 793'483}, "793,483"},  // 793,482.67: not cut down
        {{1'098'176, 1'098'176}, "1,098,176"},     // not cut to hundreds
        {{2, 3}, "2"},                             // 2.5 to the even 2
        {{3, 4}, "4"},                             // 3.5 to the even 4
    };
    for (const Case& c : cases) {
        TrendTotals trend;
        for (std::size_t s = 0; s < c.months.size(); ++s) {
            MonthTotals& month = trend.months[11 - s];
            month.MarkHasItems();
            month.at(2, 0) = month.at(0, 1) = month.at(0, 3) = c.months[s];
        }
        double sum = 0;
        for (double value : c.months)
            sum += value;
        SCOPED_TRACE(c.average);
        EXPECT_EQ(MonthlyAverageText(sum, trend, true), c.average);

        GraphHousehold home;
        home.input.source = GraphSource::Trend;
        home.input.trendTotals = trend;
        home.input.selector = 2;
        EXPECT_EQ(TextAt(Draw(BuildGraph(home.input, 0)), 160, 109), "平均額:" + c.average + "円");
        home.input.selector = 0;
        EXPECT_EQ(TextAt(Draw(BuildGraph(home.input, 0)), 140, 109),
                  "青色:支出 平均額" + c.average + "円");
    }
}

// Refunds: 食費 -300 in all (外食 500, 食材 -800, 弁当 +200 and -200), 光熱費 +100 and
// -100, 住居 11,561,191; 食費's 菓子 has no items, so it is not named.
GraphHousehold Refunds() {
    GraphHousehold home;
    home.input.source = GraphSource::MonthlyPie;
    home.input.categories.descriptions[2][3] = Sjis("弁当");
    home.input.categories.descriptions[2][4] = Sjis("菓子");
    MonthTotals& month = home.input.monthTotals;
    month.AddItem(2, 1, 500, true, true);
    month.AddItem(2, 2, -800, true, true);
    month.AddItem(2, 3, 200, true, true);
    month.AddItem(2, 3, -200, true, true);
    month.AddItem(4, 0, 100, true, true);
    month.AddItem(4, 0, -100, true, true);
    month.AddItem(3, 0, 11'561'191, true, true);
    return home;
}

std::vector<std::string> TableLines(const RecordingSurface& drawing) {
    std::vector<std::string> lines;
    for (const drawn::Text& text : All<drawn::Text>(drawing))
        if (text.topLeft.x == 125 && text.topLeft.y < 100)
            lines.push_back(text.text);
    return lines;
}

TEST(GraphFigures, thePieTotalsAsTheSummaryAndNamesWhatItCannotDraw) {
    struct Case {
        int selector;
        double total;
        std::vector<std::string> drawn, lines;
    } cases[] = {
        {0,
         11'560'891,
         {"住居"},
         {"    1. 住居       11,561,191  100.00", "　　 支出合計　　 11,560,891  100.00",
          "   円グラフに描けない費目", "       食費             -300    0.00",
          "       光熱費              0    0.00"}},
        {2,
         -300,
         {"外食"},
         {"    1. 外食             500  -166.67", "　　 支出合計　　      -300  100.00",
          "   円グラフに描けない摘要", "       食材            -800  266.67",
          "       弁当               0    0.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        GraphHousehold home = Refunds();
        home.input.selector = c.selector;
        const GraphData graph = BuildGraph(home.input, 0);
        EXPECT_EQ(graph.reference, c.total);
        std::vector<std::string> drawn;
        for (const GraphEntry& entry : graph.entries)
            drawn.push_back(Cp932ToUtf8(entry.label));
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(TableLines(Draw(graph)), c.lines);
    }
}

// Front heights of the blue bars.
std::vector<double> BlueHeights(const RecordingSurface& drawing) {
    std::vector<double> heights;
    for (const drawn::FilledBox& box : All<drawn::FilledBox>(drawing))
        if (box.fill == kBlueFront)
            heights.push_back(box.b.y - box.a.y);
    return heights;
}

TEST(GraphFigures, theScaleServesTheSpendingAndABudgetFarBeyondItIsNamed) {
    struct Case {
        double spent;
        const char* budget;
        double height;    // of the blue bar
        const char* off;  // the budget named as off the scale, or ""
    } cases[] = {
        {11'560'891, "123456789012", 100, "食費 123,456,789,012円"},
        {5'000, "30000", 100, "食費 30,000円"},
        {8'000, "10000", 80, ""},  // a budget within reach sets the scale
        {12'000, "10000", 10'000 / 120.0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.budget);
        GraphHousehold home;
        home.input.monthTotals.at(2, 0) = c.spent;
        home.input.settings.budgets[2] = c.budget;
        home.input.settings.budgets[4] = "";
        const RecordingSurface drawing = Draw(BuildGraph(home.input, 0));
        const std::vector<double> heights = BlueHeights(drawing);
        ASSERT_FALSE(heights.empty());
        EXPECT_NEAR(heights.front(), c.height, 0.01);
        EXPECT_EQ(Mentions(drawing, "目盛りの外"), *c.off != 0);
        if (*c.off) {
            EXPECT_TRUE(Mentions(drawing, c.off));
        }
    }
}

TEST(GraphFigures, theLastMonthOfTheTotalsStaysInsideItsFrame) {
    GraphData graph;
    graph.kind = GraphKind::TrendTotals;
    graph.entries.assign(12, {"x", 1'000});
    graph.second.assign(12, 900);
    const RecordingSurface drawing = Draw(graph);
    for (const drawn::FilledBox& box : All<drawn::FilledBox>(drawing))
        EXPECT_LE(std::max(box.a.x, box.b.x), 200);
    for (const drawn::Polygon& side : All<drawn::Polygon>(drawing))
        for (const GraphPoint& corner : side.corners)
            EXPECT_LE(corner.x, 200);
}

}  // namespace
}  // namespace hanaki::testing
