#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <cstdlib>

#include "settings/household.h"
#include "summary/graph_household.h"
#include "summary/graph_window.h"
#include "support/screen_fit.h"
#include "support/wait.h"
#include "ui/fonts.h"
#include "ui/graph_canvas.h"

namespace hanaki::testing {
namespace {

TEST(GraphScreen, opensAsTheGraphWindowOfItsScreenSize) {
    InstallFontSubstitutions();
    const QSize windows[] = {{640, 450}, {800, 570}, {800, 570}, {947, 710}, {947, 710}};
    for (int i = 0; i < 5; ++i) {
        const ScreenClass& size = kScreenClasses[i];
        SCOPED_TRACE(size.height);
        GraphWindow window({GraphSource::MonthlyBar, 0, 2026, 3}, size.height);
        EXPECT_EQ(window.screen->objectName(), "Form8");
        EXPECT_EQ(window.screen->windowTitle(), QStringLiteral("グラフ表示"));
        EXPECT_EQ(window.screen->size(), windows[i]);
        ExpectWholeWithin(*window.screen, size.Room());
        const QWidget* canvas = Child<QWidget>(*window.screen, "P1");
        const QWidget* legend = Child<QWidget>(*window.screen, "Label1");
        EXPECT_FALSE(canvas->geometry().intersects(legend->geometry()));
    }
}

TEST(GraphScreen, upAndDownStopAtACategoryWithoutAName) {
    GraphWindow window({GraphSource::MonthlyBar, 5, 2026, 3});
    EXPECT_EQ(window.Subtitle(), "費目:趣味");
    Press(Qt::Key_Down);  // category 6 has no name
    EXPECT_EQ(window.screen->input().selector, 5);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);  // the income category too
    EXPECT_EQ(window.screen->input().selector, 1);
    EXPECT_EQ(window.Subtitle(), "費目:給料");
    Press(Qt::Key_Up);
    EXPECT_EQ(window.screen->input().selector, 1);
}

TEST(GraphScreen, upAndDownDoNothingOnTheGraphOfAllCategories) {
    GraphWindow window({GraphSource::MonthlyBar, 0, 2026, 3});
    Press(Qt::Key_Down);
    EXPECT_EQ(window.screen->input().selector, 0);
    EXPECT_EQ(window.Subtitle(), "");
}

TEST(GraphScreen, rightAndLeftWalkTheDescriptionsAndBackToTheCategory) {
    GraphWindow window({GraphSource::Trend, 2, 2026, 3});
    EXPECT_EQ(window.Legend(),
              QStringLiteral("    <ESC>グラフ終了    <↑↓>費目変更    <←→>摘要変更"));
    const std::vector<std::pair<Qt::Key, std::string>> steps = {
        {Qt::Key_Right, "費目:食費     ＜外食＞"},
        {Qt::Key_Right, "費目:食費     ＜食材＞"},
        {Qt::Key_Right, "費目:食費     ＜食材＞"},
        {Qt::Key_Left, "費目:食費     ＜外食＞"},
        {Qt::Key_Left, "費目:食費"},
        {Qt::Key_Left, "費目:食費"},
    };
    for (const auto& [key, subtitle] : steps) {
        Press(key);
        EXPECT_EQ(window.Subtitle(), subtitle);
    }
    EXPECT_EQ(window.Title(), "～2026年3月度  費 目 別 月 度 推 移 表");
}

TEST(GraphScreen, anotherCategoryStartsAgainWithoutADescription) {
    GraphWindow window({GraphSource::Trend, 2, 2026, 3});
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(window.Subtitle(), "費目:住居");
    Press(Qt::Key_Up);
    EXPECT_EQ(window.Subtitle(), "費目:食費");
}

TEST(GraphScreen, tabSwitchesBetweenBarsAndPieForTheOpeningScreen) {
    GraphWindow window({GraphSource::MonthlyBar, 2, 2026, 3}, 768,
                       [](GraphInput& input) { input.monthTotals.at(2, 1) = 3000; });
    Press(Qt::Key_Tab);
    EXPECT_EQ(window.screen->input().source, GraphSource::MonthlyPie);
    EXPECT_EQ(All<drawn::Wedge>(window.drawing()).size(), 1u);
    Press(Qt::Key_Tab);
    EXPECT_EQ(window.screen->input().source, GraphSource::MonthlyBar);
    EXPECT_EQ(window.screen->input().selector, 2);
    EXPECT_TRUE(All<drawn::Wedge>(window.drawing()).empty());
    EXPECT_EQ(window.Subtitle(), "費目:食費");
}

TEST(GraphScreen, tabLeavesTheTwelveMonthGraphAlone) {
    GraphWindow window({GraphSource::Trend, 0, 2026, 3});
    Press(Qt::Key_Tab);
    EXPECT_EQ(window.screen->input().source, GraphSource::Trend);
    EXPECT_EQ(window.Legend(), QStringLiteral("    <ESC>グラフ終了    "));
}

TEST(GraphScreen, escapeClosesTheWindow) {
    GraphWindow window({GraphSource::MonthlyPie, 0, 2026, 3});
    Press(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return window.screen.isNull(); }, "the graph window to close"));
}

}  // namespace
}  // namespace hanaki::testing
