#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "screen_reading.h"
#include "summary/graph_screen.h"
#include "summary/summary_grid.h"
#include "summary/summary_menu.h"
#include "summary/year_summary_screen.h"
#include "summary_folder.h"
#include "support/cp932_text.h"

namespace hanaki::testing {
namespace {

// The cells of a grid row from column 2 on: 年間合計, 比率, 月平均, 年間予算, 予算比率.
QStringList Figures(const QTableWidget* grid, int row) {
    QStringList cells;
    for (int column = 2; column < grid->columnCount(); ++column)
        cells << CellText(grid, row, column);
    return cells;
}

// April 1998 and March 1999 hold items: the year ending in March sums both,
// averages over two months and holds 食費 against twelve budgets of 30,000.
TEST(YearSummary, theFourthChoiceSumsTwelveMonthsAgainstTwelveBudgets) {
    SummaryHousehold home;
    home.temp.Write("199804.DAT", Item(1, 1, 300000) + Item(6, 1, 200000));
    home.temp.Write("199903.DAT", Item(1, 2, 100000) + Item(6, 2, 160001) + Item(12, 1, 5000));
    SummaryMenu menu(home.state, home.services);
    ShowActive(menu);
    Type("4");
    auto* screen = menu.findChild<QWidget*>("FormYear");
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->windowTitle(), "年間集計");
    ShowActive(*screen);
    const auto* grid = Child<QTableWidget>(*screen, "Grid1");
    const auto* breakdown = Child<QTableWidget>(*screen, "Grid2");
    const auto* firstMonth = Child<QLabel>(*screen, "Label4");

    EXPECT_EQ(firstMonth->text(), "1998年4月度 ～");
    EXPECT_EQ(Child<QLineEdit>(*screen, "Text1")->text(), "1999");
    EXPECT_EQ(Figures(grid, 0),
              (QStringList{"年間合計", "比  率", "月平均", "年間予算", "予算比率"}));
    EXPECT_EQ(Figures(grid, 1), (QStringList{"400,000", "100.00", "200,000", "", ""}));
    // 360,001 over 360,000: red; the average of 180,000.5 halves to even.
    EXPECT_EQ(Figures(grid, 8), (QStringList{"360,001", "100.00", "180,000", "360,000", "100.01"}));
    EXPECT_EQ(Cell(grid, 8, 2)->foreground().color(), kOverBudgetRed);
    EXPECT_NE(Cell(grid, 1, 2)->foreground().color(), kOverBudgetRed);
    // 娯楽費 is left out: struck through, out of the totals.
    EXPECT_TRUE(Cell(grid, 14, 2)->font().strikeOut());
    EXPECT_EQ(Figures(grid, 14).mid(0, 2), (QStringList{"5,000", ""}));
    EXPECT_EQ(Child<QLabel>(*screen, "exclusionLegend")->text(),
              "取り消し線は集計対象外の費目（合計と比率に含めない）。対象外 入金 0・出金 5,000");
    EXPECT_EQ(Figures(grid, 6).mid(0, 3), (QStringList{"400,000", "", "200,000"}));
    EXPECT_EQ(Figures(grid, 20).mid(0, 3), (QStringList{"360,001", "", "180,000"}));
    EXPECT_EQ(Figures(grid, 24).mid(0, 3), (QStringList{"39,999", "", "20,000"}));

    Press(Qt::Key_Return);  // the cursor on 給料
    EXPECT_EQ(Child<QLabel>(*screen, "Label3")->text(),
              "<ESC>集計終了  <Home>月度変更へ  <↑↓>費目変更  <Enter,F5>費目別グラフ");
    EXPECT_EQ(CellText(breakdown, 1, 1), "月給");
    EXPECT_EQ(CellText(breakdown, 2, 2), "100,000");
    EXPECT_EQ(CellText(breakdown, 3, 2), "400,000");
    Press(Qt::Key_F5);
    EXPECT_EQ(GraphShown(*screen).source, GraphSource::Trend);
    EXPECT_EQ(GraphShown(*screen).selector, 1);
    EXPECT_EQ(GraphShown(*screen).trendTotals.months[0].at(1, 0), 300000);

    ShowActive(*screen);
    Press(Qt::Key_Home);
    EXPECT_EQ(Focused()->objectName(), "Text2");
    Press(Qt::Key_PageUp);  // the year ending in February holds April alone
    EXPECT_EQ(firstMonth->text(), "1998年3月度 ～");
    EXPECT_EQ(Figures(grid, 8), (QStringList{"200,000", "100.00", "200,000", "360,000", "55.56"}));
    EXPECT_NE(Cell(grid, 8, 2)->foreground().color(), kOverBudgetRed);
    Press(Qt::Key_F5);
    EXPECT_EQ(GraphShown(*screen).selector, 0);
    EXPECT_EQ(GraphShown(*screen).month, 2);
}

// An item of a category gone from the master has a row of its own, counted in the totals.
TEST(YearSummary, aDeletedCategoryHasItsOwnRow) {
    SummaryHousehold home;
    home.temp.Write("199810.DAT", SignedItem(18, "自動車", "-3500000"));
    YearSummaryScreen screen(home.state, home.services, nullptr);
    ShowActive(screen);
    const auto* grid = Child<QTableWidget>(screen, "Grid1");
    int row = 0;
    for (int r = 1; r <= grid->rowCount(); ++r) {
        if (CellText(grid, r, 1) == "自動車（削除済み）")
            row = r;
    }
    ASSERT_NE(row, 0);
    EXPECT_EQ(Figures(grid, row).mid(0, 3), (QStringList{"3,500,000", "100.00", "3,500,000"}));
    EXPECT_EQ(CellText(grid, row + 1, 1), "出金 合計");
    EXPECT_EQ(CellText(grid, row + 1, 2), "3,500,000");
}

}  // namespace
}  // namespace hanaki::testing
