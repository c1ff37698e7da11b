#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdlib>

#include "summary/graph_window.h"
#include "support/cp932_text.h"
#include "ui/fonts.h"

namespace hanaki::testing {
namespace {

// A year of a family's figures, for looking at the graphs rather than
// asserting on them.
void FillAYear(GraphInput& input) {
    const char* const names[] = {"給料",   "食費",   "住居", "光熱費", "通信費",
                                 "日用品", "交通費", "趣味", "医療費", "教育費"};
    for (int c = 1; c <= 10; ++c) {
        input.categories.names[c] = Sjis(names[c - 1]);
        input.categories.kinds[c] = c == 1 ? CategoryKind::Income : CategoryKind::Expense;
        input.settings.summaryFlags[c] = 1;
    }
    const char* const food[] = {"外食", "食材", "菓子", "飲み物", "コーヒー"};
    for (int d = 1; d <= 5; ++d)
        input.categories.descriptions[2][d] = Sjis(food[d - 1]);
    input.settings.budgets[2] = "60000";
    input.settings.budgets[4] = "15000";
    input.settings.budgets[5] = "10000";
    input.settings.budgets[7] = "12000";
    const double month[] = {0, 280000, 64380, 85000, 13200, 9800, 5430, 14700, 12000, 3200, 25000};
    const double foodMonth[] = {0, 18500, 39880, 3200, 1800, 1000};
    for (int c = 1; c <= 10; ++c)
        input.monthTotals.at(c, 0) = month[c];
    for (int d = 1; d <= 5; ++d)
        input.monthTotals.at(2, d) = foodMonth[d];
    // The most a category can hold: twenty descriptions of the longest names.
    for (int d = 1; d <= 20; ++d) {
        input.categories.descriptions[3][d] =
            d % 2 ? Sjis("ボールペン") : Sjis("ペン") + std::to_string(d);
        input.monthTotals.at(3, d) = 100000.0 / (d + 1);
    }
    for (int s = 0; s < 12; ++s) {
        MonthTotals& totals = input.trendTotals.months[s];
        if (s < 2)
            continue;  // the household started keeping the book in the third month
        totals.MarkHasItems();
        const double swing = (s * 7919 % 23) * 1000.0;
        totals.at(2, 0) = 52000 + swing;
        for (int d = 1; d <= 5; ++d)
            totals.at(2, d) = totals.at(2, 0) * foodMonth[d] / month[2];
        totals.at(0, 0) = totals.at(0, 2) = s == 5 || s == 11 ? 680000 : 280000;
        totals.at(0, 1) = totals.at(0, 3) = 205000 + 2 * swing;
    }
}

TEST(GraphScreenshots, everyGraphAtEachScreenSize) {
    const char* folder = std::getenv("HANAKI_GRAPH_SHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "set HANAKI_GRAPH_SHOTS to a folder to save the pictures";
    InstallFontSubstitutions();
    struct Shot {
        const char* name;
        GraphSource source;
        int selector, rights;
    } shots[] = {
        {"1-category-bar", GraphSource::MonthlyBar, 0, 0},
        {"2-category-pie", GraphSource::MonthlyPie, 0, 0},
        {"3-description-bar", GraphSource::MonthlyBar, 2, 0},
        {"4-description-pie", GraphSource::MonthlyPie, 2, 0},
        {"5-trend-totals", GraphSource::Trend, 0, 0},
        {"6-trend-category", GraphSource::Trend, 2, 0},
        {"7-trend-description", GraphSource::Trend, 2, 2},
        {"8-twenty-descriptions-bar", GraphSource::MonthlyBar, 3, 0},
        {"9-twenty-descriptions-pie", GraphSource::MonthlyPie, 3, 0},
    };
    for (int height : {1024, 600, 480}) {
        for (const Shot& shot : shots) {
            GraphWindow window({shot.source, shot.selector, 2026, 11}, height, FillAYear);
            for (int i = 0; i < shot.rights; ++i)
                Press(Qt::Key_Right);
            QCoreApplication::processEvents();
            const QString path =
                QDir(folder).filePath(QString("graph-%1-%2.png").arg(height).arg(shot.name));
            EXPECT_TRUE(window.screen->grab().save(path));
        }
    }
}

}  // namespace
}  // namespace hanaki::testing
