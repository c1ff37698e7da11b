#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest>

#include "entry_window.h"

namespace hanaki {
namespace {

using testing::January2000;
using testing::Record;

void PressInActiveWindow(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

void TypeInActiveWindow(char key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

TEST(SubScreens, AnItemPickedInTheMonthlyTableIsCorrectedOnTheMainWindow) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);  // to the category field, where the F-keys work
    window.Press(Qt::Key_F5);
    QWidget* table = window.screen->findChild<QWidget*>("Form2");
    ASSERT_NE(table, nullptr);
    QTRY_VERIFY(table->isActiveWindow());

    PressInActiveWindow(Qt::Key_Down);
    PressInActiveWindow(Qt::Key_Down);
    PressInActiveWindow(Qt::Key_Return);  // the third item: the second of 5 January
    QTRY_VERIFY(window.screen->findChild<QWidget*>("Form2") == nullptr);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "2000/1/5");
    EXPECT_EQ(window.Text("Text9"), "2");
    EXPECT_EQ(window.Text("Label6"), "  訂 正 入 力 欄");

    for (int i = 0; i < 5; ++i)
        window.Press(Qt::Key_Return);
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
}

TEST(SubScreens, TheMonthlyTablesMonthBecomesTheMainWindowsMonth) {
    January2000 window;
    window.folder.Write("199912.DAT", Record("991120", 2, "-123"));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_F5);
    QWidget* table = window.screen->findChild<QWidget*>("Form2");
    ASSERT_NE(table, nullptr);
    QTRY_VERIFY(table->isActiveWindow());
    PressInActiveWindow(Qt::Key_Home);  // the month field
    PressInActiveWindow(Qt::Key_PageUp);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7"), "1999/12");
    EXPECT_EQ(window.Text("Label3"), "123");  // the main window's expense total
}

TEST(SubScreens, F6OpensTheSummaryMenuAndFromTheSummaryAGraph) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_F6);
    QWidget* menu = window.screen->findChild<QWidget*>("Form4");
    ASSERT_NE(menu, nullptr);
    QTRY_VERIFY(menu->isActiveWindow());
    TypeInActiveWindow('1');
    QWidget* summary = menu->findChild<QWidget*>("Form7");
    ASSERT_NE(summary, nullptr);
    QTRY_VERIFY(summary->isActiveWindow());
    PressInActiveWindow(Qt::Key_F5);
    QWidget* graph = summary->findChild<QWidget*>("Form8");
    ASSERT_NE(graph, nullptr);
    QTRY_VERIFY(graph->isVisible());
}

}  // namespace
}  // namespace hanaki
