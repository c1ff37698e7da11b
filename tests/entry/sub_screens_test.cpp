#include <gtest/gtest.h>

#include <QTableWidget>

#include "data/formats/memo.h"
#include "data/history/history_store.h"
#include "entry_window.h"
#include "support/keyboard.h"
#include "support/wait.h"

namespace hanaki {
namespace {

using testing::Commit;
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
    EXPECT_EQ(rows->item(4, 6)->text().trimmed(), "early");
    EXPECT_EQ(table->findChild<QLabel*>("Label4")->text(), "950");
}

// The screens that hand something to the main window, opened from it; each
// with its first line picked. Returns the screen, whose focused input takes the keys.
QWidget* OpenHandingScreen(January2000& window, const std::string& which) {
    if (which == "monthly table")
        return OpenFromMainWindow(window, Qt::Key_F5, "Form2");
    if (which == "find") {
        QWidget* find = OpenFromMainWindow(window, Qt::Key_F9, "FormFind");
        Commit(find->focusWidget(), "two");
        Press(find->focusWidget(), Qt::Key_Return);
        auto* totals = find->findChild<QLabel*>("Label2");
        EXPECT_TRUE(WaitFor([&] { return !totals->text().contains("検索中"); }, "the search"));
        return find;
    }
    QWidget* menu = OpenFromMainWindow(window, Qt::Key_F7, "Form12");
    Type("4");
    QWidget* history = menu->findChild<QWidget*>("FormHistory");
    EXPECT_TRUE(WaitFor([&] { return history->isActiveWindow(); }, "the history"));
    return history;
}

const QString kUnderWay = QStringLiteral(
    "記帳画面で入力の途中です。記帳画面で確定するか Esc "
    "で入力をやめてから、もう一度選んでください。");

// A hand-off would redraw the main window: while an item is under way there it
// is refused, in the same words from every screen, and nothing typed is lost.
TEST(SubScreens, NoHandOffThrowsAwayWhatTheMainWindowHasUnderWay) {
    for (const std::string which : {"monthly table", "find", "history"}) {
        for (const bool correcting : {false, true}) {
            SCOPED_TRACE(which + (correcting ? ", correcting" : ", entering"));
            January2000 window;
            std::int64_t now = 946'000'000;
            KeepHistory(window.state.folder, [&now] { return ++now; });
            ASSERT_TRUE(window.Start());
            window.EnterItem("2", "1", "450", "kept");  // a line for the history
            QWidget* screen = OpenHandingScreen(window, which);
            ASSERT_NE(screen, nullptr);
            if (correcting) {
                window.Press(Qt::Key_Up);
                window.Press(Qt::Key_Return);
                window.Enter({"3"});
            } else {
                window.Enter({"2", "1", "300"});
            }
            const QString typed = window.Text("Text1") + window.Text("Text2") +
                                  window.Text("Text5") + "/" + window.FocusName();
            const std::string bytes = window.folder.Read("200001.DAT");

            Press(screen->focusWidget(), Qt::Key_Return);
            ASSERT_EQ(window.messages.shown.size(), 1u);
            EXPECT_EQ(window.messages.shown[0].title, screen->windowTitle());
            EXPECT_EQ(window.messages.shown[0].text, kUnderWay);
            EXPECT_TRUE(screen->isVisible());
            EXPECT_EQ(window.Text("Text1") + window.Text("Text2") + window.Text("Text5") + "/" +
                          window.FocusName(),
                      typed);
            EXPECT_EQ(window.folder.Read("200001.DAT"), bytes);
        }
    }
}

// A memo line found opens its day's memo on the main window, in its own
// month; not while an item is under way there.
TEST(SubScreens, AMemoLineFoundOpensItsDaysMemo) {
    January2000 window;  // closing day 25
    window.folder.Write("199912.MEM", EncodeMemoRecord({{" 3", " 3", " 3"},
                                                        {testing::Sjis("年賀状を買う"), "", ""}}));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    QWidget* find = OpenFromMainWindow(window, Qt::Key_F9, "FormFind");
    ASSERT_NE(find, nullptr);
    Commit(find->focusWidget(), QStringLiteral("年賀状"));
    Press(find->focusWidget(), Qt::Key_Return);
    auto* totals = find->findChild<QLabel*>("Label2");
    ASSERT_TRUE(WaitFor([&] { return !totals->text().contains("検索中"); }, "the search"));

    window.Enter({"2", "1"});  // an item begun
    Press(find->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].text, kUnderWay);
    EXPECT_EQ(window.Text("Text2"), "朝食");  // what was typed stays

    window.Press(Qt::Key_Escape);
    window.Press(Qt::Key_Escape);
    Press(find->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return window.screen->findChild<QWidget*>("FormFind") == nullptr; },
                        "the find screen to close"));
    EXPECT_EQ(window.FocusName(), "Text11");
    EXPECT_EQ(window.Text("Text11"), "年賀状を買う");
    EXPECT_EQ(window.Text("Label10"), "メモ 1999年12月3日");
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "1999/12/3");
}

// The main window, the monthly table, find and the history side by side,
// each keeping what the user picked while the others change the book.
TEST(SubScreens, WindowsSideBySideKeepTheirPicksAndLoseNothingTyped) {
    January2000 window;
    const std::string december = Record("991210", 2, "-123");
    window.folder.Write("199912.DAT", december);
    std::int64_t now = 946'000'000;
    KeepHistory(window.state.folder, [&now] { return now += 60; });
    ASSERT_TRUE(window.Start());
    window.EnterItem("2", "1", "450", "kept");  // 1/20, a line for the history
    QWidget* history = OpenHandingScreen(window, "history");
    auto* lines = history->findChild<QTableWidget*>("HistoryList");
    QWidget* find = OpenHandingScreen(window, "find");
    QWidget* table = OpenFromMainWindow(window, Qt::Key_F5, "Form2");
    auto* rows = table->findChild<QTableWidget*>("MSFlexGrid1");
    for (int i = 0; i < 3; ++i)
        Press(rows, Qt::Key_Down);  // 1/10 住居 300

    // An item added on an earlier day: the table's pick moves down with its item.
    window.Press(Qt::Key_Home);
    for (int i = 0; i < 15; ++i)
        window.Press(Qt::Key_PageUp);
    window.EnterItem("1", "2", "5000", "bonus");  // 1/5
    EXPECT_EQ(rows->currentRow() + 1, 5);
    ASSERT_TRUE(WaitFor([&] { return lines->rowCount() == 2; }, "the history to follow"));
    EXPECT_EQ(lines->currentRow(), 1);  // still the first change

    // The main window moves to December and half types an item: no hand-off lands.
    for (Qt::Key key :
         {Qt::Key_Home, Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_Return, Qt::Key_Return})
        window.Press(key);
    window.Enter({"2", "1", "300"});
    EXPECT_EQ(table->findChild<QLineEdit*>("Text2")->text(), "1");
    for (QWidget* screen : {table, find, history})
        Press(screen->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.messages.shown.size(), 3u);
    EXPECT_EQ(window.Text("Text1") + window.Text("Text5"), "食費300");
    EXPECT_TRUE(window.Text("Label11").startsWith("平成11年12月度"));
    window.Enter({"dec"});
    EXPECT_EQ(window.folder.Read("199912.DAT"), Record("991126", 2, "-300", "dec") + december);
    ASSERT_TRUE(WaitFor([&] { return lines->rowCount() == 3; }, "the history to follow"));

    // Now the table's item opens in its own month, with no word of a change.
    Press(rows, Qt::Key_Return);
    EXPECT_EQ(window.messages.shown.size(), 3u);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "2000/1/10");
    EXPECT_EQ(window.Text("Text1") + window.Text("Text5"), "住居300");
    window.Press(Qt::Key_Escape);  // the correction ends unchanged

    // The history restores through every later change and calls nothing broken.
    EXPECT_EQ(lines->currentRow(), 2);
    Press(history->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(window.messages.shown.size(), 4u);
    EXPECT_TRUE(window.messages.shown[3].question);
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
    EXPECT_EQ(window.folder.Read("199912.DAT"), december);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7"), "2000/1");
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
