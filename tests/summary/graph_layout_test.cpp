#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "summary/graph_window.h"
#include "support/screen_fit.h"
#include "ui/fonts.h"
#include "ui/painter_surface.h"

// Where the graph window really paints its texts, at every screen size, with
// the largest figures a household can have.
namespace hanaki::testing {
namespace {

struct Placed {
    std::string text;  // the lines of a column joined
    GraphPoint at;
    QRectF box;  // pixels of the canvas
    bool column;
    int pixels;  // the type's size
};

struct Shown {
    std::vector<Placed> texts;
    QRectF canvas;
    QPointF axisFoot;  // where the value axis meets the base line

    const Placed* Find(const std::string& text) const {
        for (const Placed& placed : texts)
            if (placed.text == text)
                return &placed;
        return nullptr;
    }
};

using Prepare = std::function<void(GraphInput&)>;

struct Graph {
    const char* name;
    GraphSource source;
    int selector, rights;
    Prepare prepare;
};

// Opens the graph window on a screen of `height` pixels and measures what it drew.
Shown Show(const Graph& graph, int height) {
    GraphWindow window({graph.source, graph.selector, 2026, 3}, height, graph.prepare);
    for (int i = 0; i < graph.rights; ++i)
        Press(Qt::Key_Right);
    const GraphCanvas& canvas = *Child<GraphCanvas>(*window.screen, "P1");
    QImage image(canvas.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface surface(painter, QRectF(canvas.rect()), canvas.TypeScale());
    Shown shown{{}, QRectF(canvas.rect()), surface.Exact({0, 0})};
    const auto pixels = [&canvas](double points) {
        return static_cast<int>(std::lround(points * 96 / 72 * canvas.TypeScale()));
    };
    for (const DrawnShape& shape : canvas.drawing().shapes()) {
        if (const auto* text = std::get_if<drawn::Text>(&shape)) {
            shown.texts.push_back({text->text, text->topLeft,
                                   surface.TextBounds(text->topLeft, {text->text}, 0, text->points),
                                   false, pixels(text->points)});
        } else if (const auto* column = std::get_if<drawn::TextColumn>(&shape)) {
            std::string joined;
            for (const std::string& line : column->lines)
                joined += line;
            shown.texts.push_back(
                {joined, column->start,
                 surface.TextBounds(column->start, column->lines, column->gap, column->points),
                 true, pixels(column->points)});
        }
    }
    return shown;
}

// Twelve months kept, the last with a house bought for 35,000,000 yen and a
// balance far below zero; small spending beside it.
void AHouseBought(GraphInput& input) {
    input.categories.descriptions[3][1] = Sjis("購入");
    input.monthTotals.at(3, 0) = input.monthTotals.at(3, 1) = 35'000'000;
    input.monthTotals.at(2, 0) = input.monthTotals.at(2, 1) = 64'380;
    input.monthTotals.at(1, 0) = input.monthTotals.at(1, 1) = 280'000;
    input.categories.names[4] = Sjis("水道光熱費");  // five lines under its bar
    input.monthTotals.at(4, 0) = 13'200;             // slices too narrow to hold their numbers
    input.monthTotals.deleted[8][1] = {true, 5'000, Sjis("旧費目")};
    for (int s = 0; s < 12; ++s) {
        MonthTotals& month = input.trendTotals.months[s];
        month.MarkHasItems();
        const double house = s == 11 ? 35'000'000 : 85'000;
        month.at(3, 0) = month.at(3, 1) = house;
        month.at(2, 0) = 60'000 + 1'000 * s;
        month.at(0, 0) = month.at(0, 2) = 280'000;
        month.at(0, 1) = month.at(0, 3) = house + month.at(2, 0);
    }
    input.settings.budgets[3] = "99999999999";
}

// The most a month can hold: 450 incomes and 550 expenses of 999,999,999
// yen, one category holding 97 % of the spending beside six thin ones, a
// refund, a deleted category's longest name and a budget far beyond it all.
void TheMostAMonthHolds(GraphInput& input) {
    const char* const names[] = {"給料",   "住居費", "食費",   "光熱費", "通信費",
                                 "交通費", "医療費", "教育費", "交際費"};
    for (int c = 1; c <= 9; ++c) {
        input.categories.names[c] = Sjis(names[c - 1]);
        input.categories.kinds[c] = c == 1 ? CategoryKind::Income : CategoryKind::Expense;
        input.settings.summaryFlags[c] = 1;
    }
    const int items[] = {0, 450, 534, 5, 4, 3, 2, 1, 1};
    for (int c = 1; c <= 8; ++c)
        for (int i = 0; i < items[c]; ++i)
            input.monthTotals.AddItem(c, 0, 999'999'999, c != 1, true);
    input.monthTotals.AddItem(9, 0, -300, true, true);
    input.monthTotals.AddDeletedItem(10, 1'000, true, true, Sjis("旧費目旧費目"));
    input.settings.budgets[2] = "123456789012";
    for (int s = 0; s < 12; ++s) {
        MonthTotals& month = input.trendTotals.months[s];
        month.MarkHasItems();
        month.AddItem(1, 0, 449'999'999'550, false, true);
        month.AddItem(2, 0, 549'999'999'450, true, true);
    }
}

// A household that spends what it earns: both averages `income` and `expense`.
Prepare Averages(double income, double expense) {
    return [=](GraphInput& input) {
        for (int s = 0; s < 12; ++s) {
            MonthTotals& month = input.trendTotals.months[s];
            month.MarkHasItems();
            month.at(0, 0) = month.at(0, 2) = income;
            month.at(0, 1) = month.at(0, 3) = expense;
            month.at(2, 0) = expense;
        }
    };
}

// 食費 spent `spent` a month against a budget of `budget`.
Prepare Budget(double spent, const char* budget) {
    return [=](GraphInput& input) {
        Averages(spent, spent)(input);
        input.settings.budgets[2] = budget;
    };
}

// Names typed into the master by hand, longer than the editor allows, and an
// item under a category deleted since.
void LongNames(GraphInput& input) {
    input.categories.names[2] = Sjis("食費食費食費食費食費");
    input.categories.names[3] = Sjis("HOUSING-AND-RENT");
    input.categories.descriptions[2][1] = Sjis("外食外食外食外食外食外食");
    input.categories.descriptions[2][2] = Sjis("ABCDEFGHIJKLMNOP");
    for (int c : {2, 3, 4}) {
        input.monthTotals.at(c, 0) = 10'000 * c;
        input.monthTotals.at(c, 1) = input.monthTotals.at(c, 2) = 5'000 * c;
    }
    input.monthTotals.deleted[7][1] = {true, 3'500'000, Sjis("自動車ローン")};
    input.settings.budgets[2] = "99999999";
    for (int s = 0; s < 12; ++s) {
        MonthTotals& month = input.trendTotals.months[s];
        month.MarkHasItems();
        month.at(2, 0) = month.at(2, 1) = 5'000.0 * (s + 1);
    }
}

double GapBetween(const QRectF& a, const QRectF& b) {
    return std::max(a.top(), b.top()) - std::min(a.bottom(), b.bottom());
}

TEST(GraphLayout, labelsOfNearbyLinesNeverMeet) {
    InstallFontSubstitutions();
    const std::pair<const char*, const char*> pairs[] = {{"収入平均", "支出平均"},
                                                         {"平均額", "予算額"}};
    // Each graph with the number of those pairs it shows: a label renamed or
    // lost fails here rather than leaving nothing to compare.
    const std::pair<Graph, int> graphs[] = {
        {{"equal averages", GraphSource::Trend, 0, 0, Averages(250'000, 250'000)}, 1},
        {{"averages 3% apart", GraphSource::Trend, 0, 0, Averages(257'500, 250'000)}, 1},
        {{"empty trend", GraphSource::Trend, 0, 0, {}}, 0},
        {{"budget spent", GraphSource::Trend, 2, 0, Budget(60'000, "60000")}, 1},
        {{"budget a little above", GraphSource::Trend, 2, 0, Budget(60'000, "62500")}, 1},
        {{"budget a little below", GraphSource::Trend, 2, 0, Budget(60'000, "57500")}, 1},
        {{"budget 1% above", GraphSource::Trend, 2, 0, Budget(60'000, "60500")}, 1},
    };
    for (const ScreenClass& size : kScreenClasses) {
        for (const auto& [graph, shownPairs] : graphs) {
            SCOPED_TRACE(std::string(graph.name) + " at " + std::to_string(size.height));
            const Shown shown = Show(graph, size.height);
            int compared = 0;
            for (const auto& [upper, lower] : pairs) {
                const Placed* a = shown.Find(upper);
                const Placed* b = shown.Find(lower);
                if (a != nullptr && b != nullptr) {
                    EXPECT_GE(GapBetween(a->box, b->box), 1) << upper << " / " << lower;
                    ++compared;
                }
            }
            EXPECT_EQ(compared, shownPairs);
        }
    }
}

TEST(GraphLayout, everyTextIsWholeWithinTheDrawingAndClearOfTheOthers) {
    InstallFontSubstitutions();
    const Graph graphs[] = {
        {"category bars", GraphSource::MonthlyBar, 0, 0, AHouseBought},
        {"category pie", GraphSource::MonthlyPie, 0, 0, AHouseBought},
        {"description bars", GraphSource::MonthlyBar, 3, 0, AHouseBought},
        {"description pie", GraphSource::MonthlyPie, 3, 0, AHouseBought},
        {"totals", GraphSource::Trend, 0, 0, AHouseBought},
        {"twelve months of a category", GraphSource::Trend, 3, 0, AHouseBought},
        {"twelve months of a description", GraphSource::Trend, 3, 1, AHouseBought},
        {"long names in bars", GraphSource::MonthlyBar, 0, 0, LongNames},
        {"long names in a pie", GraphSource::MonthlyPie, 0, 0, LongNames},
        {"long descriptions in bars", GraphSource::MonthlyBar, 2, 0, LongNames},
        {"long descriptions in a pie", GraphSource::MonthlyPie, 2, 0, LongNames},
        {"long names over twelve months", GraphSource::Trend, 2, 1, LongNames},
        {"an empty pie", GraphSource::MonthlyPie, 0, 0, {}},
        {"an empty trend", GraphSource::Trend, 0, 0, {}},
        {"the most a month holds in bars", GraphSource::MonthlyBar, 0, 0, TheMostAMonthHolds},
        {"the most a month holds in a pie", GraphSource::MonthlyPie, 0, 0, TheMostAMonthHolds},
        {"the most twelve months hold", GraphSource::Trend, 0, 0, TheMostAMonthHolds},
        {"a category's most", GraphSource::Trend, 2, 0, TheMostAMonthHolds},
    };
    for (const ScreenClass& size : kScreenClasses) {
        for (const Graph& graph : graphs) {
            SCOPED_TRACE(std::string(graph.name) + " at " + std::to_string(size.height));
            const Shown shown = Show(graph, size.height);
            const QRectF room = shown.canvas.adjusted(-0.5, -0.5, 0.5, 0.5);
            for (std::size_t i = 0; i < shown.texts.size(); ++i) {
                const Placed& text = shown.texts[i];
                EXPECT_TRUE(room.contains(text.box)) << text.text;
                EXPECT_GE(text.pixels, 8) << text.text;
                for (std::size_t k = i + 1; k < shown.texts.size(); ++k) {
                    const Placed& other = shown.texts[k];
                    EXPECT_FALSE(text.box.intersects(other.box))
                        << text.text << " / " << other.text;
                }
            }
        }
    }
}

TEST(GraphLayout, valueLabelsKeepClearOfTheAxis) {
    InstallFontSubstitutions();
    for (double most : {12'345.0, 35'090'000.0, 123'456'789.0, 999'999'999'000.0}) {
        const Graph graph{"", GraphSource::MonthlyBar, 2, 0,
                          [most](GraphInput& input) { input.monthTotals.at(2, 1) = most; }};
        for (const ScreenClass& size : kScreenClasses) {
            SCOPED_TRACE(std::to_string(most) + " at " + std::to_string(size.height));
            const Shown shown = Show(graph, size.height);
            int labels = 0;
            for (const Placed& text : shown.texts) {
                if (text.at.x != -18 || text.at.y > 102)
                    continue;
                ++labels;
                EXPECT_LE(text.box.right(), shown.axisFoot.x() - 1) << text.text;
            }
            EXPECT_EQ(labels, 4);
        }
    }
}

TEST(GraphLayout, thePieTablesLinesEndInOneColumn) {
    InstallFontSubstitutions();
    const Graph graphs[] = {
        {"short names", GraphSource::MonthlyPie, 2, 0,
         [](GraphInput& input) {
             input.monthTotals.at(2, 1) = 1'200;
             input.monthTotals.at(2, 2) = 800;
         }},
        {"a house", GraphSource::MonthlyPie, 0, 0, AHouseBought},
        {"long names", GraphSource::MonthlyPie, 0, 0, LongNames},
    };
    for (const ScreenClass& size : kScreenClasses) {
        for (const Graph& graph : graphs) {
            SCOPED_TRACE(std::string(graph.name) + " at " + std::to_string(size.height));
            const Shown shown = Show(graph, size.height);
            const Placed* total = nullptr;
            for (const Placed& text : shown.texts)
                if (text.text.find("合計") != std::string::npos)
                    total = &text;
            ASSERT_NE(total, nullptr);
            int rows = 0;
            for (const Placed& text : shown.texts) {
                if (text.at.x < 120 || text.at.y > 106)
                    continue;
                ++rows;
                EXPECT_NEAR(text.box.right(), total->box.right(), 0.5) << text.text;
            }
            EXPECT_GE(rows, 4);
        }
    }
}

// The smaller windows shrink the drawing by a fixed factor: their type
// shrinks with it, so every text keeps its room among the shapes.
TEST(GraphLayout, typeShrinksWithTheDrawing) {
    InstallFontSubstitutions();
    const Graph graph{"", GraphSource::Trend, 2, 0, Budget(60'000, "57500")};
    const Shown full = Show(graph, 1024);
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        const Shown shown = Show(graph, size.height);
        for (const char* text : {"  (円)", "平均額", "予算額"}) {
            const double scale = shown.canvas.width() / full.canvas.width();
            const QRectF box = shown.Find(text)->box, fullBox = full.Find(text)->box;
            EXPECT_NEAR(box.height() / fullBox.height(), scale, 0.06) << text;
            EXPECT_NEAR(box.width() / fullBox.width(), scale, 0.06) << text;
        }
    }
}

}  // namespace
}  // namespace hanaki::testing
