#include <gtest/gtest.h>

#include <filesystem>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include "screen_reading.h"
#include "summary/graph_screen.h"
#include "summary/monthly_summary_screen.h"
#include "summary/monthly_trend_screen.h"
#include "summary/summary_grid.h"
#include "summary/summary_menu.h"
#include "summary/year_summary_screen.h"
#include "summary_folder.h"
#include "support/screen_fit.h"
#include "ui/fitting_font.h"
#include "ui/fonts.h"

namespace hanaki::testing {
namespace {

QStringList Column(const QTableWidget* grid, int column, int lastRow = 24) {
    QStringList cells;
    for (int row = 0; row <= lastRow; ++row)
        cells << CellText(grid, row, column);
    return cells;
}

class MonthlySummary : public ::testing::Test {
  protected:
    void Open() {
        screen = std::make_unique<MonthlySummaryScreen>(home.state, home.services, nullptr);
        ShowActive(*screen);
        grid = Child<QTableWidget>(*screen, "Grid1");
        breakdown = Child<QTableWidget>(*screen, "Grid2");
    }
    QString Legend() const { return Child<QLabel>(*screen, "Label3")->text(); }
    QString Shown() const {
        return Child<QLineEdit>(*screen, "Text1")->text() + "/" +
               Child<QLineEdit>(*screen, "Text2")->text();
    }
    // The cursor's row, checked to be the one row shown selected.
    int CursorRow() const {
        const QModelIndexList selected = grid->selectionModel()->selectedRows();
        EXPECT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.value(0).row(), grid->currentRow());
        return grid->currentRow() + 1;
    }

    SummaryHousehold home;
    std::unique_ptr<MonthlySummaryScreen> screen;
    QTableWidget* grid = nullptr;
    QTableWidget* breakdown = nullptr;
};

TEST_F(MonthlySummary, blocksTotalsAndBalanceSitOnTheirRows) {
    home.temp.Write("199903.DAT",
                    Item(1, 1, 250000) + Item(6, 1, 30000) + Item(7, 1, 80000) + Item(12, 1, 5000));
    Open();
    QStringList names = Column(grid, 1);
    EXPECT_EQ(names.mid(0, 8), (QStringList{"費  目", "給料", "副収入", "利息", "臨時収入", "繰越",
                                            "入金 合計", ""}));
    EXPECT_EQ(names[8], "食費");
    EXPECT_EQ(names[19], "雑費");
    EXPECT_EQ(names.mid(20), (QStringList{"出金 合計", "", "", "", "合    計"}));
    EXPECT_EQ(Column(grid, 0).mid(19, 2), (QStringList{"17", ""}));
    EXPECT_EQ(Cell(grid, 5, 1)->background().color(), kIncomeTint);
    EXPECT_EQ(Cell(grid, 8, 3)->background().color(), kExpenseTint);

    // 娯楽費 is struck through, keeps its amount, and stays out of every total and share.
    EXPECT_EQ(CellText(grid, 14, 2), "5,000");
    EXPECT_TRUE(Cell(grid, 14, 2)->font().strikeOut());
    EXPECT_EQ(CellText(grid, 14, 3), "");
    EXPECT_EQ(CellText(grid, 20, 2), "110,000");
    EXPECT_EQ(CellText(grid, 24, 2), "140,000");
    EXPECT_EQ(CellText(grid, 9, 3), "72.73");  // 80,000 of 110,000
    EXPECT_EQ(CellText(grid, 1, 3), "100.00");
}

TEST_F(MonthlySummary, anExpenseTurnsRedOnlyPastItsBudget) {
    for (long long spent : {30000LL, 30001LL}) {
        home.temp.Write("199903.DAT", Item(6, 1, spent));
        Open();
        const bool red = Cell(grid, 8, 2)->foreground().color() == kOverBudgetRed;
        EXPECT_EQ(red, spent > 30000) << spent;
        EXPECT_EQ(CellText(grid, 8, 4), "30,000");
        EXPECT_EQ(CellText(grid, 8, 5), spent > 30000 ? "100.01" : "100.00");  // over reads over
    }
    EXPECT_EQ(CellText(grid, 24, 2), "-30,001");
}

TEST_F(MonthlySummary, aMonthWithoutFileShowsZerosAndTheBudgetUnused) {
    Open();
    EXPECT_EQ(CellText(grid, 1, 2), "0");
    EXPECT_EQ(CellText(grid, 1, 3), "");
    EXPECT_EQ(CellText(grid, 8, 5), "0.00");
    EXPECT_EQ(CellText(grid, 9, 5), "");
    EXPECT_EQ(CellText(grid, 6, 2), "0");
    EXPECT_EQ(CellText(grid, 24, 2), "0");
    EXPECT_EQ(Child<QLabel>(*screen, "unreadableNote")->text(), "");
}

TEST_F(MonthlySummary, theCursorJumpsTheTotalRowsAndTheBreakdownFollowsIt) {
    home.temp.Write("199903.DAT",
                    Item(1, 1, 1000) + Item(1, 2, 3000) + Item(1, 5, 4000) + Item(6, 2, 700));
    Open();
    EXPECT_EQ(Legend(),
              "  <ESC>年変更へ    <PageUp,Down>月度変更    <Enter>費目欄へ    <F5>費目別グラフ");
    Press(Qt::Key_Return);
    EXPECT_EQ(
        Legend(),
        "<ESC>集計終了  <Home>月度変更へ  <↑↓>費目変更  <Enter>摘要別グラフ  <F5>費目別グラフ");
    EXPECT_EQ(Column(breakdown, 1, 4), (QStringList{"摘  要", "月給", "賞与", "摘 要 計", ""}));
    EXPECT_EQ(Column(breakdown, 2, 3), (QStringList{"金  額", "1,000", "3,000", "8,000"}));
    EXPECT_EQ(Column(breakdown, 3, 2), (QStringList{"比  率", "12.50", "37.50"}));

    for (int i = 0; i < 4; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(CursorRow(), 5);
    Press(Qt::Key_Down);
    EXPECT_EQ(CursorRow(), 8);
    EXPECT_EQ(Column(breakdown, 3, 2), (QStringList{"比  率", "0.00", "100.00"}));
    Press(Qt::Key_Up);
    EXPECT_EQ(CursorRow(), 5);
    EXPECT_EQ(Column(breakdown, 1, 2), (QStringList{"摘  要", "摘 要 計", ""}));
    EXPECT_EQ(Column(breakdown, 2, 1), (QStringList{"金  額", "0"}));
    for (int i = 0; i < 16; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(CursorRow(), 19);

    Press(Qt::Key_Home);
    EXPECT_EQ(Focused()->objectName(), "Text2");
    EXPECT_EQ(CellText(breakdown, 1, 1), "");
}

// 食費 with a budget of 5000.7, 住居 with "abc", and a car bought under a
// category deleted since.
constexpr const char* kOddBudgets =
    " 31 \r\n0,0\r\n,,,,,5000.7,abc,,,,,,,,,,,,,\r\n1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1\r\n";

std::string MonthWithACarOfADeletedCategory() {
    return Item(6, 1, 6000) + Item(7, 1, 1000) + SignedItem(18, "自動車", "-3500000");
}

TEST_F(MonthlySummary, aDeletedCategoryTakesARowAndOddBudgetsShowAsTheyStand) {
    home.UseSettings(kOddBudgets);
    home.temp.Write("199903.DAT", MonthWithACarOfADeletedCategory());
    Open();
    EXPECT_EQ(Column(grid, 1).mid(19, 3), (QStringList{"雑費", "自動車（削除済み）", "出金 合計"}));
    const std::vector<std::pair<int, QStringList>> rows{
        // row: number, amount, share, budget, budget use
        {8, {"6", "6,000", "0.17", "5,000", "120.00"}},  // 5000.7 in whole yen
        {9, {"7", "1,000", "0.03", "abc?", ""}},
        {20, {"18", "3,500,000", "99.80", "", ""}},
        {21, {"", "3,507,000", "", "", ""}},
        {24, {"", "-3,507,000", "", "", ""}},
    };
    for (const auto& [row, cells] : rows) {
        EXPECT_EQ(
            (QStringList{CellText(grid, row, 0), CellText(grid, row, 2), CellText(grid, row, 3),
                         CellText(grid, row, 4), CellText(grid, row, 5)}),
            cells)
            << row;
    }
    EXPECT_EQ(Cell(grid, 8, 2)->foreground().color(), kOverBudgetRed);
    EXPECT_NE(Cell(grid, 9, 2)->foreground().color(), kOverBudgetRed);
    EXPECT_EQ(Cell(grid, 20, 3)->background().color(), kExpenseTint);

    Press(Qt::Key_Return);
    for (int i = 0; i < 20; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(CursorRow(), 19);  // the deleted category is no stop

    Press(Qt::Key_Home);
    Press(Qt::Key_PageUp);  // February has no such item: the rows close up
    EXPECT_EQ(Column(grid, 1).mid(19, 3), (QStringList{"雑費", "出金 合計", ""}));
    EXPECT_EQ(CellText(grid, 20, 0), "");
    EXPECT_EQ(Cell(grid, 21, 1)->background().style(), Qt::NoBrush);
}

long long Yen(const QString& grouped) {
    return QString(grouped).remove(',').toLongLong();
}

// The main window's 月計 is the summary's total plus what the line under the
// grids says was left out, to the yen; with every flag on the line is empty.
TEST_F(MonthlySummary, aLineExplainsTheStrikeThroughAndReconcilesTheTotalsWithTheMonth) {
    const std::string flags[] = {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1",
                                 "1,1,1,1,0,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1"};
    home.temp.Write("199903.DAT", Item(1, 1, 250000) + Item(5, 1, 1234567) + Item(6, 1, 30000) +
                                      Item(12, 1, 5000) + SignedItem(18, "自動車", "-3500000"));
    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(home.state.folder, 31, 99, 3, ledger).ok());
    MonthTotals month;  // as the main window sums it for 月計
    SumMonthLedger(ledger, home.state.categories, month);
    for (const std::string& flag : flags) {
        SCOPED_TRACE(flag);
        home.UseSettings(" 31 \r\n0,0\r\n" + std::string(19, ',') + "\r\n" + flag + "\r\n");
        Open();
        const QString line = Child<QLabel>(*screen, "exclusionLegend")->text();
        const QStringList names = Column(grid, 1);
        const QString income = CellText(grid, names.indexOf("入金 合計"), 2);
        const QString expense = CellText(grid, names.indexOf("出金 合計"), 2);
        if (flag == flags[0]) {
            EXPECT_EQ(line, "");
            EXPECT_EQ(Yen(income), month.income());
            EXPECT_EQ(Yen(expense), month.expense());
            continue;
        }
        EXPECT_TRUE(line.startsWith("取り消し線は集計対象外の費目（合計と比率に含めない）。"))
            << line.toStdString();
        const QRegularExpressionMatch leftOut =
            QRegularExpression("対象外 入金 ([-0-9,]+)・出金 ([-0-9,]+)（月計 ＝ 合計 ＋ 対象外）$")
                .match(line);
        ASSERT_TRUE(leftOut.hasMatch()) << line.toStdString();
        EXPECT_EQ(leftOut.captured(1), "1,234,567");
        EXPECT_EQ(leftOut.captured(2), "5,000");
        EXPECT_EQ(Yen(income) + Yen(leftOut.captured(1)), month.income());
        EXPECT_EQ(Yen(expense) + Yen(leftOut.captured(2)), month.expense());
        EXPECT_EQ(Yen(CellText(grid, 24, 2)) + Yen(leftOut.captured(1)) - Yen(leftOut.captured(2)),
                  month.income() - month.expense());
    }
}

TEST_F(MonthlySummary, yearsStopAt1950AndMonthsCrossTheYearEnd) {
    home.state.date = CurrentDate{50, 1, 10};
    Open();
    Press(Qt::Key_Escape);
    EXPECT_EQ(Legend(),
              "  <ESC>集計終了    <PageUp,Down>年度変更    <Enter>月度変更へ    <F5>費目別グラフ");
    Type("7");
    Press(Qt::Key_Delete);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Shown(), "1950/1");
    Press(Qt::Key_Return);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Shown(), "1949/12");
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Shown(), "1950/2");
    EXPECT_EQ(home.temp.FileCount(), 2u);  // the master and the settings: nothing written
}

TEST_F(MonthlySummary, theGraphKeysNameWhatToDraw) {
    Open();
    Press(Qt::Key_F5);
    EXPECT_EQ(GraphShown(*screen).source, GraphSource::MonthlyBar);
    EXPECT_EQ(GraphShown(*screen).selector, 0);
    EXPECT_EQ(GraphShown(*screen).year, 1999);
    ShowActive(*screen);
    Press(Qt::Key_Return);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_EQ(GraphShown(*screen).selector, 2);
}

// A graph keeps the month it was opened on while its summary pages on: its
// title and its bars come from one value, through Tab and the arrows.
TEST_F(MonthlySummary, anOpenGraphKeepsDrawingTheMonthItWasOpenedOn) {
    home.temp.Write("199903.DAT", Item(6, 1, 3000));
    home.temp.Write("199902.DAT", Item(6, 1, 2000));
    Open();
    Press(Qt::Key_F5);
    ShowActive(*screen);
    Press(Qt::Key_PageUp);  // the summary shows February
    EXPECT_EQ(CellText(grid, 8, 2), "2,000");
    auto* graph = screen->findChild<GraphScreen*>("Form8");
    ShowActive(*graph);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    const GraphData drawn = BuildGraph(graph->input(), 0);
    EXPECT_EQ(drawn.title, "1999年3月度  費 目 別 月 度 集 計 (支出)");
    EXPECT_EQ(drawn.entries.front().value, 3000);
}

class MonthlyTrend : public ::testing::Test {
  protected:
    void Open() {
        screen = std::make_unique<MonthlyTrendScreen>(home.state, home.services, nullptr);
        ShowActive(*screen);
        months = Child<QTableWidget>(*screen, "Grid2");
    }
    SummaryHousehold home;
    std::unique_ptr<MonthlyTrendScreen> screen;
    QTableWidget* months = nullptr;
};

TEST_F(MonthlyTrend, aMarchEndCoversAprilToMarch) {
    home.temp.Write("199804.DAT", Item(6, 1, 1200));
    home.temp.Write("199903.DAT", Item(6, 2, 300) + Item(1, 1, 100));
    Open();
    EXPECT_EQ(Child<QLabel>(*screen, "Label2")->text(), "1998年4月度");
    QStringList headings;
    for (int k = 0; k <= 12; ++k)
        headings << CellText(months, 0, k);
    EXPECT_EQ(headings,
              (QStringList{" 予  算", "4  月", "5  月", "6  月", "7  月", "8  月", "9  月",
                           "10  月", "11  月", "12  月", "1  月", "2  月", "3  月"}));
    EXPECT_EQ(CellText(months, 8, 0), "30,000");
    EXPECT_EQ(CellText(months, 8, 1), "1,200");
    EXPECT_EQ(CellText(months, 8, 12), "300");
    EXPECT_EQ(CellText(months, 24, 12), "-200");
    EXPECT_EQ(Cell(months, 24, 12)->foreground().color(), kOverBudgetRed);
    EXPECT_EQ(CellText(months, 24, 2), "0");

    Press(Qt::Key_Return);
    for (int i = 0; i < 5; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(CellText(months, 0, 0), "摘  要");
    EXPECT_EQ(Column(months, 0, 4), (QStringList{"摘  要", "朝食", "夕食", "合   計", ""}));
    EXPECT_EQ(CellText(months, 3, 1), "1,200");
    EXPECT_EQ(CellText(months, 2, 12), "300");
    Press(Qt::Key_Return);
    EXPECT_EQ(GraphShown(*screen).source, GraphSource::Trend);
    EXPECT_EQ(GraphShown(*screen).selector, 6);
    ShowActive(*screen);
    Press(Qt::Key_Escape);
    EXPECT_EQ(CellText(months, 0, 0), " 予  算");
    EXPECT_EQ(Focused()->objectName(), "Text2");
}

TEST_F(MonthlyTrend, aDeletedCategoryTakesARowAndOddBudgetsShowAsTheyStand) {
    home.UseSettings(kOddBudgets);
    home.temp.Write("199903.DAT", MonthWithACarOfADeletedCategory());
    Open();
    const auto* names = Child<QTableWidget>(*screen, "Grid1");
    EXPECT_EQ(CellText(names, 20, 0), "18");
    EXPECT_EQ(CellText(names, 20, 1), "自動車（削除済み）");
    EXPECT_EQ(Column(months, 0).mid(8, 2), (QStringList{"5,000", "abc?"}));
    EXPECT_EQ(CellText(months, 20, 0), "");
    EXPECT_EQ(CellText(months, 20, 12), "3,500,000");
    EXPECT_EQ(CellText(months, 20, 1), "0");
    EXPECT_EQ(Cell(months, 20, 5)->background().color(), kExpenseTint);
    EXPECT_EQ(CellText(months, 21, 12), "3,507,000");
    EXPECT_EQ(CellText(months, 24, 12), "-3,507,000");
    EXPECT_EQ(Cell(months, 8, 12)->foreground().color(), kOverBudgetRed);
}

TEST_F(MonthlyTrend, descriptionsStandLeftWhereABudgetStoodRight) {
    home.UseSettings(" 31 \r\n0,0\r\n390000,,,,,30000,,,,,,,,,,,,,,\r\n");
    Open();
    EXPECT_EQ(CellText(months, 1, 0), "390,000");
    Press(Qt::Key_Return);  // the cursor on 給料
    EXPECT_EQ(Column(months, 0, 3), (QStringList{"摘  要", "月給", "賞与", "合   計"}));
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(Cell(months, row, 0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter))
            << row;
    Press(Qt::Key_Escape);
    EXPECT_EQ(Cell(months, 1, 0)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
}

TEST_F(MonthlyTrend, sevenDigitsAndLargeLossesTakeTheNarrowFont) {
    const std::vector<std::pair<long long, bool>> cases{
        {1000000, true}, {999999, false}, {-100000, true}, {-99999, false}};
    std::string file;
    for (std::size_t i = 0; i < cases.size(); ++i)
        file += Item(7 + int(i), 1, cases[i].first);  // 住居 … 通信費
    home.temp.Write("199903.DAT", file);
    Open();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const QTableWidgetItem* cell = Cell(months, 9 + int(i), 12);
        EXPECT_EQ(cell->font().family() == "Arial", cases[i].second) << cases[i].first;
    }
    EXPECT_EQ(CellText(months, 9, 12), "1,000,000");
    EXPECT_TRUE(Cell(months, 14, 12)->font().strikeOut());  // 娯楽費, left out
}

TEST_F(MonthlyTrend, aDamagedRecordIsLeftOutAndSaid) {
    home.temp.Write("199903.DAT", Item(6, 1, 500) + std::string(104, 'x'));
    Open();
    EXPECT_EQ(Child<QLabel>(*screen, "unreadableNote")->text(),
              "読み取れない記録 1 件は集計に含めていません。");
    EXPECT_EQ(CellText(months, 8, 12), "500");
}

// Leaving the grid by each of its keys, then stepping the month: no row stays
// lit, no tint stays in the emptied breakdown, and Enter lands on row 1 lit.
TEST(SummaryScreens, leavingTheGridPutsOutItsRowAndTheBreakdown) {
    const std::vector<std::pair<const char*, Qt::Key>> exits{
        {"Form7", Qt::Key_Home}, {"Form10", Qt::Key_Home}, {"Form10", Qt::Key_Escape}};
    for (const auto& [name, exit] : exits) {
        SCOPED_TRACE(std::string(name) + " " + std::to_string(exit));
        SummaryHousehold home;
        home.temp.Write("199903.DAT", Item(1, 1, 1000) + Item(2, 1, 500));
        std::unique_ptr<QWidget> screen;
        if (name == std::string("Form7"))
            screen = std::make_unique<MonthlySummaryScreen>(home.state, home.services, nullptr);
        else
            screen = std::make_unique<MonthlyTrendScreen>(home.state, home.services, nullptr);
        ShowActive(*screen);
        const auto* grid = Child<QTableWidget>(*screen, "Grid1");
        const auto* breakdown = Child<QTableWidget>(*screen, "Grid2");
        const auto litRows = [&] {
            QList<int> rows;
            for (const QModelIndex& index : grid->selectionModel()->selectedRows())
                rows << index.row() + 1;
            return rows;
        };
        Press(Qt::Key_Return);
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        EXPECT_EQ(litRows(), QList<int>{3});
        Press(exit);
        EXPECT_EQ(litRows(), QList<int>{});
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(Cell(breakdown, row, 1)->background().style(),
                      name == std::string("Form7") ? Qt::NoBrush : Qt::SolidPattern)
                << row;  // the trend's income rows keep their block's tint
        Press(Qt::Key_Return);
        Press(Qt::Key_Down);
        Press(exit);
        Press(Qt::Key_PageUp);
        EXPECT_EQ(litRows(), QList<int>{});
        Press(Qt::Key_Return);
        EXPECT_EQ(litRows(), QList<int>{1});
        EXPECT_EQ(grid->currentRow(), 0);
    }
}

TEST_F(MonthlyTrend, aMonthWhoseFileCannotBeReadIsMarkedNotZero) {
    std::filesystem::create_directory(std::filesystem::path(home.temp.path()) / "199902.DAT");
    home.temp.Write("199903.DAT", Item(6, 1, 500));
    Open();
    EXPECT_NE(Child<QLabel>(*screen, "unreadableNote")->text(), "");
    for (int row : {1, 8, 20, 24}) {
        EXPECT_EQ(CellText(months, row, 11), "読込不可") << row;
        EXPECT_EQ(Cell(months, row, 11)->foreground().color(), kOverBudgetRed) << row;
        EXPECT_EQ(CellText(months, row, 10), "0") << row;
    }
    EXPECT_EQ(months->horizontalHeaderItem(11)->foreground().color(), kOverBudgetRed);
    EXPECT_EQ(CellText(months, 8, 12), "500");
    Press(Qt::Key_PageDown);  // May to April: the mark moves with February
    EXPECT_EQ(CellText(months, 8, 10), "読込不可");
    EXPECT_EQ(CellText(months, 8, 11), "500");
    EXPECT_NE(months->horizontalHeaderItem(11)->foreground().color(), kOverBudgetRed);
}

TEST(SummaryScreens, theReasonAMonthCannotBeReadShowsWholeAtEverySize) {
    InstallFontSubstitutions();
    for (const ScreenClass& size : kScreenClasses) {
        SummaryHousehold home;
        home.services.metrics = ScreenMetrics(size.height);
        std::filesystem::create_directory(std::filesystem::path(home.temp.path()) / "199903.DAT");
        std::unique_ptr<QWidget> screens[] = {
            std::make_unique<MonthlySummaryScreen>(home.state, home.services, nullptr),
            std::make_unique<MonthlyTrendScreen>(home.state, home.services, nullptr)};
        for (const auto& screen : screens) {
            SCOPED_TRACE(screen->objectName().toStdString() + " at " + std::to_string(size.height));
            screen->show();
            const auto* note = Child<QLabel>(*screen, "unreadableNote");
            EXPECT_NE(note->text(), "");
            EXPECT_TRUE(ShowsWhole(*note)) << note->text().toStdString();
            EXPECT_FALSE(
                note->geometry().intersects(Child<QPushButton>(*screen, "Command1")->geometry()));
            EXPECT_FALSE(
                note->geometry().intersects(Child<QTableWidget>(*screen, "Grid1")->geometry()));
            ExpectWholeWithin(*screen, size.Room());
        }
    }
}

TEST(SummaryScreens, everyScreenClassShowsTheMenuAndBothTablesWhole) {
    InstallFontSubstitutions();
    for (const ScreenClass& size : kScreenClasses) {
        SummaryHousehold home;
        home.services.metrics = ScreenMetrics(size.height);
        std::unique_ptr<QWidget> screens[] = {
            std::make_unique<SummaryMenu>(home.state, home.services),
            std::make_unique<MonthlySummaryScreen>(home.state, home.services, nullptr),
            std::make_unique<MonthlyTrendScreen>(home.state, home.services, nullptr),
            std::make_unique<YearSummaryScreen>(home.state, home.services, nullptr)};
        for (const auto& screen : screens) {
            SCOPED_TRACE(screen->objectName().toStdString() + " at " + std::to_string(size.height));
            screen->show();
            ExpectWholeWithin(*screen, size.Room());
            for (const QTableWidget* grid : screen->findChildren<QTableWidget*>())
                EXPECT_GE(grid->rowHeight(0), QFontMetrics(grid->font()).height());
        }
    }
}

// The monthly summary, the trend and the year summary over `home`.
std::vector<std::unique_ptr<QWidget>> SummaryScreensOver(SummaryHousehold& home) {
    std::vector<std::unique_ptr<QWidget>> screens;
    screens.push_back(std::make_unique<MonthlySummaryScreen>(home.state, home.services, nullptr));
    screens.push_back(std::make_unique<MonthlyTrendScreen>(home.state, home.services, nullptr));
    screens.push_back(std::make_unique<YearSummaryScreen>(home.state, home.services, nullptr));
    return screens;
}

// Every text of the screen's grids within its column, in the type of its cell.
void ExpectEveryCellWhole(const QWidget& screen) {
    for (const QTableWidget* grid : screen.findChildren<QTableWidget*>()) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            for (int r = 0; r < grid->rowCount(); ++r) {
                const QTableWidgetItem* item = grid->item(r, c);
                const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : grid->font();
                EXPECT_LE(QFontMetrics(font).horizontalAdvance(item->text()), CellTextRoom(grid, c))
                    << grid->objectName().toStdString() << " " << item->text().toStdString();
                if (!item->text().isEmpty()) {
                    EXPECT_GE(QFontInfo(font).pixelSize(), 8) << item->text().toStdString();
                }
            }
        }
    }
}

// Whether row `row` (1 = the first under the headings) is within the grid's view.
bool InSight(const QTableWidget* grid, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
    return cell.top() >= 0 && cell.bottom() < grid->viewport()->height();
}

// A thousand items of 999,999,999 yen in one month, a budget of 99,999,999,999: the
// columns widen, and a grid that scrolls sideways keeps its lowest row whole.
TEST(SummaryScreens, theLargestFiguresShowWholeAtEverySize) {
    InstallFontSubstitutions();
    for (const ScreenClass& size : kScreenClasses) {
        SCOPED_TRACE(size.height);
        SummaryHousehold home;
        home.services.metrics = ScreenMetrics(size.height);
        home.UseSettings(
            " 31 \r\n0,0\r\n,,,,,99999999999,,,,,,,,,,,,,,\r\n"
            "1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1\r\n");
        std::string file;
        for (int i = 0; i < 1000; ++i)
            file += Item(6, 1, 999999999) + Item(12, 1, 999999999);  // 娯楽費 left out
        file += SignedItem(18, "旧費目旧費目", "-0");  // a deleted category's longest name
        home.temp.Write("199903.DAT", file);
        for (const auto& screen : SummaryScreensOver(home)) {
            SCOPED_TRACE(screen->objectName().toStdString());
            ShowActive(*screen);
            const auto* grid = Child<QTableWidget>(*screen, "Grid1");
            const QTableWidget* figures =
                screen->objectName() == "Form10" ? Child<QTableWidget>(*screen, "Grid2") : grid;
            EXPECT_EQ(CellText(figures, 24, figures == grid ? 2 : 12), "-999,999,999,000");
            ExpectWholeWithin(*screen, size.Room());
            ExpectEveryCellWhole(*screen);
            for (const QTableWidget* shown : screen->findChildren<QTableWidget*>()) {
                EXPECT_TRUE(InSight(shown, std::min(shown->rowCount(), 24)))
                    << shown->objectName().toStdString();
            }
            Press(Qt::Key_Return);
            for (int i = 0; i < 5; ++i)
                Press(Qt::Key_Down);  // 食費: its breakdown
            ExpectEveryCellWhole(*screen);
        }
    }
}

// Three deleted categories of each sign: 27 rows under the headings, where the
// grids show 24. The cursor brings each into sight, the totals after the last,
// and the trend's months stay beside their categories.
TEST(SummaryScreens, rowsPastTheTwentyFourthComeIntoSightWithTheCursor) {
    SummaryHousehold home;
    std::string file;
    for (int c : {18, 19, 20})
        file += SignedItem(c, "旧費目", "+1000") + SignedItem(c, "旧費目", "-2000");
    home.temp.Write("199903.DAT", file);
    for (const auto& screen : SummaryScreensOver(home)) {
        SCOPED_TRACE(screen->objectName().toStdString());
        ShowActive(*screen);
        const auto* grid = Child<QTableWidget>(*screen, "Grid1");
        const auto* beside = Child<QTableWidget>(*screen, "Grid2");
        const bool trend = screen->objectName() == "Form10";
        ASSERT_EQ(grid->rowCount(), 27);
        ASSERT_FALSE(InSight(grid, 27));
        Press(Qt::Key_Return);
        for (int i = 0; i < 25; ++i) {
            Press(Qt::Key_Down);
            EXPECT_TRUE(InSight(grid, grid->currentRow() + 1)) << grid->currentRow() + 1;
        }
        EXPECT_EQ(grid->currentRow() + 1, 22);  // the last expense category
        for (int row = 22; row <= 27; ++row)
            EXPECT_TRUE(InSight(grid, row)) << row;
        EXPECT_EQ(CellText(grid, 27, trend ? 0 : 1), trend ? "" : "合    計");
        EXPECT_TRUE(InSight(beside, 1));  // the breakdown from its top

        if (trend) {  // back in the month field: the months beside their categories
            Press(Qt::Key_Home);
            EXPECT_EQ(CellText(beside, 27, 0), "合    計");
            for (int row = 22; row <= 27; ++row) {
                EXPECT_TRUE(InSight(beside, row)) << row;
                EXPECT_EQ(beside->visualRect(beside->model()->index(row - 1, 0)).top(),
                          grid->visualRect(grid->model()->index(row - 1, 0)).top());
            }
            Press(Qt::Key_Return);
        }
        for (int i = 0; i < 25; ++i)
            Press(Qt::Key_Up);
        EXPECT_EQ(grid->currentRow() + 1, 1);
        EXPECT_TRUE(InSight(grid, 1));
    }
}

class SummaryMenuKeys : public ::testing::Test {
  protected:
    SummaryMenuKeys() { ShowActive(menu); }
    QStringList OpenScreens() const {
        QStringList names;
        for (QWidget* screen : menu.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (screen->isWindow() && screen->isVisible())
                names << screen->objectName();
        }
        return names;
    }
    void CloseScreens() {
        for (QWidget* screen : menu.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (screen->isWindow())
                screen->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::setActiveWindow(&menu);
    }
    SummaryHousehold home;
    SummaryMenu menu{home.state, home.services};
};

TEST_F(SummaryMenuKeys, digitsAndButtonsOpenTheirScreens) {
    const std::vector<std::pair<const char*, QStringList>> typed{
        {"1", {"Form7"}}, {"2", {"Form10"}}, {"3", {}}};
    for (const auto& [digit, screens] : typed) {
        Child<QPushButton>(menu, "Command3")->setFocus();
        Type(digit);
        EXPECT_EQ(OpenScreens(), screens) << digit;
        CloseScreens();
    }
    Child<QPushButton>(menu, "Command1")->setFocus();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);  // 3. 年次集計
    EXPECT_EQ(OpenScreens(), QStringList{"Form7"});
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(SummaryMenuKeys, escClosesTheMenu) {
    Press(Qt::Key_Escape);
    EXPECT_FALSE(menu.isVisible());
}

}  // namespace
}  // namespace hanaki::testing
