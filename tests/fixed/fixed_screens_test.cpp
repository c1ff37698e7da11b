#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "data/book/due_items.h"
#include "data/formats/cp932.h"
#include "data/history/history_store.h"
#include "entry/entry_window.h"
#include "support/keyboard.h"
#include "support/wait.h"
#include "ui/day_watch.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::WaitFor;

// The program around its main window (today 2026-12-07, month-end closing),
// with `fixedItems` as TEIKI.TXT (UTF-8 here, code page 932 on disk).
struct FixedHousehold : testing::EntryWindow {
    explicit FixedHousehold(const char* fixedItems) {
        KeepHistory(state.folder);  // for the undo
        folder.Write("TEIKI.TXT", Sjis(fixedItems));
    }
    // As the program starts: the main window, then the question for what is due.
    bool StartAndAsk() {
        if (!Start())
            return false;
        screen->activateWindow();
        screens.StartedUp(*screen);
        return true;
    }
    std::string FixedItemsFile() const { return Cp932ToUtf8(folder.Read("TEIKI.TXT")); }
    // The month's items as "day amount remark" lines, in the ledger's order.
    std::vector<std::string> Items(int month) {
        MonthLedger ledger;
        EXPECT_TRUE(LoadMonthLedger(state.folder, kMonthEnd, 126, month, ledger).ok());
        std::vector<std::string> items;
        for (int slot = ledger.head; slot != 0; slot = ledger.entries[slot].next) {
            const LedgerRecord& record = ledger.entries[slot].record;
            items.push_back(record.date.substr(4) + " " + TrimRight(record.amount) + " " +
                            Cp932ToUtf8(TrimRight(record.remark)));
        }
        return items;
    }
    bool Told(const char* text) const {
        return std::any_of(messages.shown.begin(), messages.shown.end(), [text](const auto& shown) {
            return shown.text == QString::fromUtf8(text);
        });
    }
    std::size_t StillDue() {
        FixedItems items;
        EXPECT_TRUE(LoadFixedItems(state.folder, items).ok());
        return DueOccurrences(items, kMonthEnd, today).size();
    }
};

QWidget* ActiveWindowNamed(const char* name) {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr && active->objectName() == name ? active : nullptr;
}

QString Question() {
    return ActiveWindowNamed("FormDue")->findChild<QLabel*>("Label2")->text();
}

// A key, typed text or an input method's commit, on whatever has the focus.
struct Step {
    int key = 0;
    const char* text = nullptr;
    const char* commit = nullptr;
};

void Drive(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (step.key != 0)
            testing::Press(step.key);
        else if (step.text != nullptr)
            testing::Type(QString::fromUtf8(step.text));
        else
            testing::Commit(QString::fromUtf8(step.commit));
        QApplication::processEvents();
    }
}

constexpr const char* kThreeDue =
    "25,1,1,300000,1,202610,,202610,\r\n"  // salary, due 25 November
    "27,3,1,85000,1,202611,,,家賃\r\n"     // rent, due 27 November
    "5,2,1,,1,202612,,,弁当\r\n";          // lunch, no amount, due 5 December

TEST(DueItems, threeDueItemsAreEnteredWithOneEnterAndTakenBackWithOneUndo) {
    FixedHousehold household(kThreeDue);
    ASSERT_TRUE(household.StartAndAsk());
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
    // The lunch waits for its amount before it counts.
    EXPECT_EQ(Question(), QStringLiteral("定期項目 2 件を記入しますか？"));
    Drive({{Qt::Key_Down}, {Qt::Key_Down}, {0, "800"}, {Qt::Key_Return}});
    EXPECT_EQ(Question(), QStringLiteral("定期項目 3 件を記入しますか？"));
    EXPECT_EQ(household.Items(11), std::vector<std::string>{});  // nothing before the answer

    Drive({{Qt::Key_Return}});
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue") == nullptr; }, "the window"));
    EXPECT_EQ(household.Items(11), (std::vector<std::string>{"25 +300000 ", "27 -85000 家賃"}));
    EXPECT_EQ(household.Items(12), std::vector<std::string>{"05 -800 弁当"});
    EXPECT_EQ(household.StillDue(), 0u);
    // The main window shows December's expense at once.
    EXPECT_EQ(household.Text("Label3"), QStringLiteral("800"));

    household.screen->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return household.screen->isActiveWindow(); }, "the main window"));
    testing::Press(household.screen->focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(household.Items(11), std::vector<std::string>{});
    EXPECT_EQ(household.Items(12), std::vector<std::string>{});
    EXPECT_EQ(household.FixedItemsFile(), kThreeDue);
    EXPECT_EQ(household.Text("Label3"), QStringLiteral("0"));
    // Due again, and asked again.
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question again"));
    EXPECT_EQ(Question(), QStringLiteral("定期項目 2 件を記入しますか？"));
}

TEST(DueItems, aNewDayWhileTheProgramRunsAsksForWhatFellDue) {
    FixedHousehold household("8,3,1,85000,1,202612,,,家賃\r\n");
    ASSERT_TRUE(household.StartAndAsk());
    auto* watch = household.screen->findChild<DayWatch*>();
    ASSERT_NE(watch, nullptr);
    watch->Check();
    EXPECT_EQ(ActiveWindowNamed("FormDue"), nullptr);  // due tomorrow
    household.today = {2026, 12, 8};
    watch->Check();
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
    EXPECT_EQ(Question(), QStringLiteral("定期項目 1 件を記入しますか？"));
}

TEST(DueItems, theWindowsKeysCheckSkipPostponeAndTakeAmounts) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::string> november;  // the ledgers afterwards
        std::vector<std::string> december;
        std::size_t stillDue;
        const char* message;  // the last one shown, "" for none
    };
    const Case cases[] = {
        {"Space unchecks the salary",
         {{Qt::Key_Space}, {Qt::Key_Return}},
         {"27 -85000 家賃"},
         {},
         2,
         ""},
        {"Del skips the salary for good",
         {{Qt::Key_Delete}, {Qt::Key_Escape}},
         {},
         {},
         2,
         "2026/11/25 の「1 月給」を記入せず、今後も尋ねません。よろしいですか？"},
        {"Esc writes nothing", {{Qt::Key_Escape}}, {}, {}, 3, ""},
        {"a checked line without an amount is asked for",
         {{Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Space}, {Qt::Key_Return}},
         {},
         {},
         3,
         "金額が空欄の定期項目があります。金額を入力するか、Space でチェックを外してください。"},
        {"the calculator gives the lunch its amount",
         {{Qt::Key_Down},
          {Qt::Key_Down},
          {0, "\\"},
          {0, "250*3"},
          {Qt::Key_Return},
          {Qt::Key_Return},
          {Qt::Key_Return}},
         {"25 +300000 ", "27 -85000 家賃"},
         {"05 -750 弁当"},
         0,
         ""},
        {"an amount typed and taken back with Backspace leaves the lunch",
         {{Qt::Key_Down},
          {Qt::Key_Down},
          {0, "800"},
          {Qt::Key_Return},
          {Qt::Key_Backspace},
          {Qt::Key_Return},
          {Qt::Key_Return}},
         {"25 +300000 ", "27 -85000 家賃"},
         {},
         1,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedHousehold household(kThreeDue);
        ASSERT_TRUE(household.StartAndAsk());
        ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
        Drive(c.steps);
        EXPECT_EQ(household.Items(11), c.november);
        EXPECT_EQ(household.Items(12), c.december);
        EXPECT_EQ(household.StillDue(), c.stillDue);
        const QString last =
            household.messages.shown.empty() ? QString() : household.messages.shown.back().text;
        EXPECT_EQ(last, QString::fromUtf8(c.message));
    }
}

TEST(DueItems, aReadOnlyFolderListsThemAndRefusesToEnterWithTheUsualWords) {
    FixedHousehold household(kThreeDue);
    household.state.folder =
        DataFolder(household.folder.path(), household.fs, DataFolder::Access::ReadOnly);
    ASSERT_TRUE(household.StartAndAsk());
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
    Drive({{Qt::Key_Return}});
    EXPECT_EQ(household.Items(11), std::vector<std::string>{});
    EXPECT_EQ(household.StillDue(), 3u);
    ASSERT_FALSE(household.messages.shown.empty());
    EXPECT_TRUE(household.messages.shown.back().text.contains(
        QStringLiteral("データフォルダを読み取り専用で開いているため、変更は保存できません")))
        << household.messages.shown.back().text.toStdString();
}

TEST(DueItems, aFileEditedWhileAskingEntersNothing) {
    FixedHousehold household(kThreeDue);
    ASSERT_TRUE(household.StartAndAsk());
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
    // Another line now stands where the salary stood.
    household.folder.Write("TEIKI.TXT", Sjis("27,3,1,85000,1,202611,,,家賃\r\n"
                                             "25,1,1,300000,1,202610,,202610,\r\n"));
    Drive({{Qt::Key_Return}});
    EXPECT_EQ(household.Items(11), std::vector<std::string>{});
    EXPECT_TRUE(
        household.Told("定期項目ファイル(TEIKI.TXT)が、この画面を開いた後でほかから書き換え"
                       "られたため、記入しませんでした。次の起動のときにまた尋ねます。"));
}

TEST(DueItems, anOccurrenceOfADeletedCategoryIsNamedAndStaysDue) {
    FixedHousehold household("1,9,1,500,1,202612,,,消えた費目\r\n27,3,1,85000,1,202611,,,家賃\r\n");
    ASSERT_TRUE(household.StartAndAsk());
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormDue"); }, "the question"));
    EXPECT_EQ(ActiveWindowNamed("FormDue")->findChild<QTableWidget*>("Grid1")->item(1, 2)->text(),
              QStringLiteral("9 （削除済み）"));
    Drive({{Qt::Key_Return}});
    EXPECT_EQ(household.Items(11), std::vector<std::string>{"27 -85000 家賃"});
    EXPECT_EQ(household.StillDue(), 1u);
    ASSERT_FALSE(household.messages.shown.empty());
    EXPECT_TRUE(household.messages.shown.back().text.contains(QStringLiteral(
        "2026/12/01  9 （削除済み）  1 （削除済み）: 費目か摘要が削除されているため")));
}

// The editor from the settings menu, keys typed, saved with Tab and Enter.
TEST(FixedItemsEditor, itsKeysEditTheFileAndKeepWhatItCannotRead) {
    constexpr const char* kFile = "; メモ\r\n27,3,1,85000,1,202611,,202611,家賃\r\n壊れた行\r\n";
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* saved;  // the rent's line afterwards, or the whole file when it has "\r\n"
    };
    const Case cases[] = {
        {"末 typed as the day",
         {{Qt::Key_Backspace}, {0, "末"}, {Qt::Key_Return}},
         "末,3,1,85000,1,202611,,202611,家賃"},
        {"PageDown steps the day", {{Qt::Key_PageDown}}, "28,3,1,85000,1,202611,,202611,家賃"},
        {"another category keeps a description it has",
         {{Qt::Key_Right}, {0, "2"}, {Qt::Key_Return}},
         "27,2,1,85000,1,202611,,202611,家賃"},
        {"a category the master lacks is refused",
         {{Qt::Key_Right}, {0, "9"}, {Qt::Key_Return}, {Qt::Key_Escape}},
         "27,3,1,85000,1,202611,,202611,家賃"},
        {"the calculator in the amount",
         {{Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {0, "\\"},
          {Qt::Key_Insert},
          {0, "1000*9"},
          {Qt::Key_Return},
          {Qt::Key_Return}},
         "27,3,1,9000,1,202611,,202611,家賃"},
        {"a blank amount is asked each time",
         {{Qt::Key_Right}, {Qt::Key_Right}, {Qt::Key_Right}, {Qt::Key_Backspace}, {Qt::Key_Return}},
         "27,3,1,,1,202611,,202611,家賃"},
        {"an input method's commit keeps to 60 bytes",
         {{Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Backspace},
          {0, nullptr, "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほま"},
          {Qt::Key_Return}},
         "27,3,1,85000,1,202611,,202611,"
         "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"},
        {"how often steps through 1, 2, 3, 6, 12",
         {{Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_Right},
          {Qt::Key_PageDown},
          {Qt::Key_PageDown},
          {Qt::Key_PageDown}},
         "27,3,1,85000,6,202611,,202611,家賃"},
        {"a last month typed",
         {{Qt::Key_End}, {0, "2028/12"}, {Qt::Key_Return}},
         "27,3,1,85000,1,202611,202812,202611,家賃"},
        {"a last month before the first is refused",
         {{Qt::Key_End}, {0, "202610"}, {Qt::Key_Return}, {Qt::Key_Escape}},
         "27,3,1,85000,1,202611,,202611,家賃"},
        {"Del removes the item after the question; the note and the unreadable line stay",
         {{Qt::Key_Delete}},
         "; メモ\r\n壊れた行\r\n"},
        {"the blank row adds an item",
         {{Qt::Key_Down}, {0, "15"}, {Qt::Key_Return}},
         "; メモ\r\n27,3,1,85000,1,202611,,202611,家賃\r\n壊れた行\r\n15,1,1,,1,202612,,,\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedHousehold household(kFile);
        ASSERT_TRUE(household.StartAndAsk());
        household.Press(Qt::Key_Return);  // to the category field, where F7 works
        household.Press(Qt::Key_F7);
        ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("Form12"); }, "the settings menu"));
        Drive({{0, "5"}});
        ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormTeiki"); }, "the editor"));
        EXPECT_TRUE(household.Told(
            "定期項目ファイル(TEIKI.TXT)の 3 行目は読めないため、ここには出しません。"
            "保存してもその行はそのまま残ります。"));
        Drive(c.steps);
        Drive({{Qt::Key_Tab}, {Qt::Key_Return}});
        ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormTeiki") == nullptr; }, "saved"));
        const std::string saved = c.saved;
        EXPECT_EQ(household.FixedItemsFile(), saved.find("\r\n") != std::string::npos
                                                  ? saved
                                                  : "; メモ\r\n" + saved + "\r\n壊れた行\r\n");
    }
}

// The due window may mark an occurrence while the editor is open: the save keeps the mark.
TEST(FixedItemsEditor, aSaveKeepsWhatWasEnteredMeanwhileAndRefusesOtherChanges) {
    FixedHousehold household("27,3,1,85000,1,202611,,,家賃\r\n");
    ASSERT_TRUE(household.Start());
    household.Press(Qt::Key_Return);
    household.Press(Qt::Key_F7);
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("Form12"); }, "the settings menu"));
    Drive({{0, "5"}});
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormTeiki"); }, "the editor"));
    household.folder.Write("TEIKI.TXT", Sjis("27,3,1,85000,1,202611,,202611,家賃\r\n"));
    Drive({{Qt::Key_PageDown}, {Qt::Key_Tab}, {Qt::Key_Return}});
    EXPECT_EQ(household.FixedItemsFile(), "28,3,1,85000,1,202611,,202611,家賃\r\n");

    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("Form12"); }, "the menu again"));
    Drive({{0, "5"}});
    ASSERT_TRUE(WaitFor([] { return ActiveWindowNamed("FormTeiki"); }, "the editor again"));
    household.folder.Write("TEIKI.TXT", Sjis("28,3,1,90000,1,202611,,202611,家賃\r\n"));
    Drive({{Qt::Key_PageDown}, {Qt::Key_Tab}, {Qt::Key_Return}});
    EXPECT_EQ(household.FixedItemsFile(), "28,3,1,90000,1,202611,,202611,家賃\r\n");
    EXPECT_TRUE(household.messages.shown.back().text.startsWith(
        QStringLiteral("定期項目ファイル(TEIKI.TXT)が、この画面を開いた後でほかから書き換え")));
}

}  // namespace
}  // namespace hanaki
