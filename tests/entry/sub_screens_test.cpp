#include <gtest/gtest.h>

#include <QTableWidget>

#include "entry_window.h"
#include "support/keyboard.h"
#include "support/wait.h"

namespace hanaki {
namespace {

using testing::January2000;
using testing::Press;
using testing::Record;
using testing::Type;
using testing::WaitFor;

// Opens the screen of `key` from the category field and waits until it has the keyboard.
QWidget* OpenFromMainWindow(January2000& window, Qt::Key key, const char* name) {
    window.Press(key);
    QWidget* screen = window.screen->findChild<QWidget*>(name);
    if (screen == nullptr)
        return nullptr;
    EXPECT_TRUE(WaitFor([&] { return screen->isActiveWindow(); }, name));
    return screen;
}

TEST(SubScreens, AnItemPickedInTheMonthlyTableIsCorrectedOnTheMainWindow) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);  // to the category field, where the F-keys work
    ASSERT_NE(OpenFromMainWindow(window, Qt::Key_F5, "Form2"), nullptr);

    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);  // the third item: the second of 5 January
    ASSERT_TRUE(WaitFor([&] { return window.screen->findChild<QWidget*>("Form2") == nullptr; },
                        "the table to close"));
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "2000/1/5");
    EXPECT_EQ(window.Text("Text9"), "2");
    EXPECT_EQ(window.Text("Label6"), "  訂 正 入 力 欄");

    for (int i = 0; i < 5; ++i)
        window.Press(Qt::Key_Return);
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
}

// The table follows what the main window stores, so that the row picked is the item shown.
TEST(SubScreens, AnItemStoredOnTheMainWindowShowsInTheOpenTable) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    QWidget* table = OpenFromMainWindow(window, Qt::Key_F5, "Form2");
    ASSERT_NE(table, nullptr);
    window.screen->activateWindow();
    window.Enter({"2", "1", "450", "early"});  // on 20 January, after every other item
    auto* rows = table->findChild<QTableWidget*>("MSFlexGrid1");
    EXPECT_EQ(rows->item(4, 6)->text(), "early");
    EXPECT_EQ(table->findChild<QLabel*>("Label4")->text(), "950");
}

TEST(SubScreens, TheMonthlyTablesMonthBecomesTheMainWindowsMonth) {
    January2000 window;
    window.folder.Write("199912.DAT", Record("991120", 2, "-123"));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    ASSERT_NE(OpenFromMainWindow(window, Qt::Key_F5, "Form2"), nullptr);
    Press(Qt::Key_Home);  // the month field
    Press(Qt::Key_PageUp);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7"), "1999/12");
    EXPECT_EQ(window.Text("Label3"), "123");  // the main window's expense total
}

// The summary's month is its own: the main window's budget line stays on the open month.
TEST(SubScreens, TheBudgetLineShowsTheOpenMonthWhateverTheSummaryShows) {
    January2000 window;
    window.folder.Write("199912.DAT", Record("991120", 2, "-99999"));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    ASSERT_NE(OpenFromMainWindow(window, Qt::Key_F6, "Form4"), nullptr);
    Type("1");
    QWidget* summary = window.screen->findChild<QWidget*>("Form7");
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(WaitFor([&] { return summary->isActiveWindow(); }, "the summary"));
    Press(Qt::Key_PageUp);  // December 1999

    window.screen->activateWindow();
    window.Enter({"2"});
    EXPECT_EQ(window.Text("Label12"), "200 (今月累計)");
}

TEST(SubScreens, F6OpensTheSummaryMenuAndFromTheSummaryAGraph) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    QWidget* menu = OpenFromMainWindow(window, Qt::Key_F6, "Form4");
    ASSERT_NE(menu, nullptr);
    Type("1");
    QWidget* summary = menu->findChild<QWidget*>("Form7");
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(WaitFor([&] { return summary->isActiveWindow(); }, "the summary"));
    Press(Qt::Key_F5);
    QWidget* graph = summary->findChild<QWidget*>("Form8");
    ASSERT_NE(graph, nullptr);
    ASSERT_TRUE(WaitFor([&] { return graph->isVisible(); }, "the graph"));
}

}  // namespace
}  // namespace hanaki
