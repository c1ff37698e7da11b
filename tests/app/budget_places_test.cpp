#include <gtest/gtest.h>

#include <QLabel>
#include <sstream>

#include "entry/entry_window.h"
#include "summary/graph_data.h"
#include "summary/monthly_summary_screen.h"
#include "summary/monthly_trend_screen.h"
#include "summary/summary_grid.h"
#include "summary/summary_report.h"
#include "summary/year_summary_screen.h"

namespace hanaki::testing {
namespace {

// What each place shows of 食費's budget when every month of 2026 holds 5,001
// of 食費, seen on 10 December (day 10 of 31).
struct BudgetPlaces {
    std::string stored;  // code page 932
    const char* mainWindow;
    bool over;  // the month of 5,001, and the year of 60,012 against twelve budgets
    const char* shown;
    const char* use;
    const char* yearShown;
    const char* yearUse;
    const char* csv;
    const char* yearCsv;
    long long graph;
};

std::string ReportOf(const EntryWindow& window, ReportKind kind, bool csv) {
    std::ostringstream out, err;
    RunReportCommand(window.folder.path(), {kind, csv, false, 2026, 12}, out, err);
    return out.str();
}

// The fields of the report's CSV row of 食費 itself.
QStringList CsvRow(const std::string& csv) {
    const std::size_t at = csv.find("出金,2,食費,,,");
    return QString::fromStdString(csv.substr(at, csv.find('\r', at) - at)).split(',');
}

QColor TextColour(const QTableWidget* grid, int row, int column) {
    return grid->item(row - 1, column)->foreground().color();
}

TEST(BudgetPlaces, everyPlaceReadsAHandEditedBudgetAlike) {
    const BudgetPlaces cases[] = {
        {"5000", "1600 (現予算額) / 5000 (月予算額)", true, "5,000", "100.02", "60,000", "100.02",
         "5000", "60000", 5000},
        // A fraction of a yen is cut off: 5,001 is over 5000.7 as over 5,000.
        {"5000.7", "1600 (現予算額) / 5000 (月予算額)", true, "5,000", "100.02", "60,000", "100.02",
         "5000", "60000", 5000},
        {Sjis("　５００１"), "1600 (現予算額) / 5001 (月予算額)", false, "5,001", "100.00",
         "60,012", "100.00", "5001", "60012", 5001},
        {Sjis("１２０００"), "3800 (現予算額) / 12000 (月予算額)", false, "12,000", "41.68",
         "144,000", "41.68", "12000", "144000", 12000},
        {"-5000", "-5000? (月予算額)", false, "-5,000?", "", "-60,000?", "", "-5000?", "-60000?",
         0},
        {"1e5", "1e5? (月予算額)", false, "1e5?", "", "1e5?", "", "1e5?", "1e5?", 0},
        {"0.5", "", false, "0", "", "0", "", "0", "0", 0},
        {"", "", false, "", "", "", "", "", "", 0},
    };
    const QColor red(255, 0, 0);
    for (const BudgetPlaces& c : cases) {
        SCOPED_TRACE(c.shown);
        EntryWindow window({2026, 12, 10});
        window.folder.Write("VERADIV.ENV", " 31 \r\n4,1\r\n," + c.stored + std::string(18, ',') +
                                               "\r\n1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n");
        for (int month = 1; month <= 12; ++month)
            window.folder.Write(LedgerFileName(126, month),
                                Record("26" + TwoDigits(month) + "05", 2, "-5001"));
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"2"});
        EXPECT_EQ(window.Text("Label13"), c.mainWindow);
        EXPECT_EQ(window.screen->findChild<QLabel*>("Label12", Qt::FindDirectChildrenOnly)
                          ->palette()
                          .color(QPalette::WindowText) == red,
                  c.over);

        // 食費 stands on row 5, under 給料, 繰越, their total and an empty row.
        MonthlySummaryScreen month(window.state, window.services, nullptr);
        const auto* grid = month.findChild<QTableWidget*>("Grid1");
        EXPECT_EQ((QStringList{CellText(grid, 5, 4), CellText(grid, 5, 5)}),
                  (QStringList{c.shown, c.use}));
        EXPECT_EQ(TextColour(grid, 5, 2) == red, c.over);

        MonthlyTrendScreen trend(window.state, window.services, nullptr);
        const auto* months = trend.findChild<QTableWidget*>("Grid2");
        EXPECT_EQ(CellText(months, 5, 0), c.shown);
        EXPECT_EQ(TextColour(months, 5, 12) == red, c.over);

        YearSummaryScreen year(window.state, window.services, nullptr);
        const auto* yearGrid = year.findChild<QTableWidget*>("Grid1");
        EXPECT_EQ((QStringList{CellText(yearGrid, 5, 5), CellText(yearGrid, 5, 6)}),
                  (QStringList{c.yearShown, c.yearUse}));
        EXPECT_EQ(TextColour(yearGrid, 5, 2) == red, c.over);

        GraphInput graph;
        graph.categories = window.state.categories;
        graph.settings = window.state.settings;
        graph.year = 2026;
        graph.month = 12;
        EXPECT_EQ(BuildGraph(graph, 0).second.at(0), c.graph);
        graph.source = GraphSource::Trend;
        graph.selector = 2;
        EXPECT_EQ(BuildGraph(graph, 0).reference, double(c.graph));

        const QStringList summary = CsvRow(ReportOf(window, ReportKind::Summary, true));
        EXPECT_EQ(summary.mid(7, 2), (QStringList{c.csv, c.use}));
        EXPECT_EQ(ReportOf(window, ReportKind::Summary, false).find("5,001!") != std::string::npos,
                  c.over);
        const QStringList yearCsv = CsvRow(ReportOf(window, ReportKind::YearSummary, true));
        EXPECT_EQ(yearCsv.mid(8, 2), (QStringList{c.yearCsv, c.yearUse}));
    }
}

}  // namespace
}  // namespace hanaki::testing
