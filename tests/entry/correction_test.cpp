#include <gtest/gtest.h>

#include <QPushButton>

#include "data/history/history_store.h"
#include "settings/settings_menu.h"

#include "entry_window.h"
#include "support/cp932_text.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::January2000;
using testing::Record;

QColor TextColour(const EntryWindow& window, const char* name) {
    return window.screen->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
}

TEST(Correction, AnotherScreenOpensAnItemAsIfPickedInTheDayGrid) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.screen->OpenForCorrection(3);  // the second item of 5 January

    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "2000/1/5");
    EXPECT_EQ(window.Text("Text9"), "2");
    EXPECT_EQ(window.Text("Label6"), "  訂 正 入 力 欄");
    EXPECT_EQ(TextColour(window, "Label6"), QColor(255, 0, 0));
    EXPECT_EQ(window.grid()->currentRow(), 1);
    EXPECT_TRUE(window.grid()->item(1, 6)->isSelected());
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(
        window.Text("Text1") + window.Text("Text2") + window.Text("Text5") + window.Text("Text3"),
        "食費朝食200two");
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし");

    window.Press(Qt::Key_F7);
    EXPECT_TRUE(window.screen->findChildren<SettingsMenu*>().isEmpty());

    for (int i = 0; i < 5; ++i)
        window.Press(Qt::Key_Return);
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
    EXPECT_EQ(window.FocusName(), "Text1");
}

TEST(Correction, ASlotThatHoldsNoItemIsNotOpened) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    for (int slot : {0, -1, 5, 1000, 5000}) {
        window.screen->OpenForCorrection(slot);
        EXPECT_EQ(window.Text("Label6"), "  入   力   欄") << slot;
    }
    window.Enter({"2", "1", "50", ""});       // slot 5, on the day shown
    window.state.ledger.entries[1].next = 3;  // slot 2 leaves the chain
    window.screen->OpenForCorrection(2);
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
}

TEST(Correction, OpeningAnItemEndsWhatTheWindowWasDoing) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Type("/");
    window.Type("memo");
    window.screen->OpenForCorrection(4);
    EXPECT_EQ(window.folder.Read("200001.MEM").substr(0, 6), "20memo");
    EXPECT_TRUE(window.screen->findChild<QLineEdit*>("Text11")->isHidden());
    EXPECT_EQ(window.Text("Text3"), "");  // 10 January has no remark
    window.Enter({"", ""});
    window.Type("\\");  // the calculator, on 支出
    EXPECT_EQ(window.FocusName(), "Text10");

    window.screen->OpenForCorrection(2);
    EXPECT_TRUE(window.screen->findChild<QLineEdit*>("Text10")->isHidden());
    window.Enter({"3"});  // 住居: the field shows its name
    window.screen->OpenForCorrection(1);
    EXPECT_EQ(window.Text("Text8"), "26");
    EXPECT_EQ(window.Text("Text9"), "1");
    EXPECT_EQ(window.Text("Text1") + window.Text("Text4"), "繰越70500");
    window.Enter({"", "", "", ""});
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
}

TEST(Correction, AnExpenseCorrectedToAnIncomeCategoryKeepsItsAmountOnlyInIncome) {
    EntryWindow window;
    window.folder.Write("202612.DAT", Record("261207", 2, "-200", "two"));
    ASSERT_TRUE(window.Start());
    window.CorrectLastItem();
    window.Enter({"1"});  // 給料
    EXPECT_EQ(window.Text("Text5"), "");
    EXPECT_EQ(window.Text("Text4"), "200");
    window.Enter({"1"});
    EXPECT_EQ(window.FocusName(), "Text4");
    EXPECT_EQ(window.Text("Text5"), "");
    window.Enter({"", ""});
    EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", 1, "+200", "two"));
    EXPECT_EQ(window.Text("Label2") + "/" + window.Text("Label3"), "200/0");

    // And back: the amount typed in 入金 moves to 支出.
    window.Press(Qt::Key_Up);
    window.Press(Qt::Key_Return);
    window.Enter({"2"});
    EXPECT_EQ(window.Text("Text4") + "/" + window.Text("Text5"), "/200");
}

TEST(Correction, TheMonthChangedByAnotherScreenIsShownWithItsTotals) {
    January2000 window;
    window.folder.Write("199912.DAT", Record("991130", 2, "-800") + Record("991225", 1, "+900"));
    ASSERT_TRUE(window.Start());
    window.screen->OpenForCorrection(2);
    window.state.date.year = 99;
    window.state.date.month = 12;
    window.state.date.day = 31;  // longer than accounting month December (30 days)
    window.screen->ShowCurrentMonth();

    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
    EXPECT_EQ(window.state.date.day, 30);
    EXPECT_EQ(window.Text("Text6") + "/" + window.Text("Text7") + "/" + window.Text("Text8"),
              "1999/12/25");
    EXPECT_EQ(window.Cell(0, 3), "900");
    EXPECT_EQ(window.Text("Label9"), "12/25現在");
    EXPECT_EQ(window.Text("Label2") + "/" + window.Text("Label3"), "900/800");
    EXPECT_EQ(window.state.ledger.head, 1);
    // The correction ended with the old month: entry legend, F-keys and the new month's number.
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>終了    <HOME>日付変更    <Shift+HOME>現在日    <↑>訂正    </>メモ"
              "\n <Ins>繰返し    <PageUp,Down>前日,翌日    <Space,文字>備考から    <F10>明細取込");
    EXPECT_TRUE(window.screen->findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_EQ(window.Text("Text9"), "2");
    EXPECT_TRUE(window.Text("Text1").isEmpty());
}

// Ctrl+Z takes back the last change of the folder, and again the one before.
TEST(Correction, CtrlZTakesBackADeletionAndThenTheItemBeforeIt) {
    January2000 window;
    KeepHistory(window.state.folder);
    ASSERT_TRUE(window.Start());
    window.EnterItem("2", "1", "450", "added");
    window.Press(Qt::Key_Up);
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_Delete);  // the item just added, after the question
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);

    window.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.messages.shown.back().text,
              "1/20 食費 朝食 450 added の削除を取り消しますか？");
    EXPECT_EQ(window.Cell(0, 6), "added");
    window.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.folder.Read("200001.DAT"), window.bytes);
    EXPECT_EQ(window.messages.shown.back().text,
              "1/20 食費 朝食 450 added の追加を取り消しますか？");
    EXPECT_EQ(window.Cell(0, 6), QString());
}

// An item of a category deleted from the master keeps its record when its category is left as it
// is.
TEST(Correction, AnItemOfADeletedCategoryIsNotRewrittenByNoChange) {
    January2000 window;
    window.folder.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n"));
    window.folder.Write("200001.DAT", Record("000120", 2, "-200", "two"));
    ASSERT_TRUE(window.Start());
    window.CorrectLastItem();
    window.Press(Qt::Key_Return);  // 変更なし on the category
    EXPECT_EQ(window.messages.shown.back().text,
              "この項目の費目は削除されています。記録は変更しません。");
    EXPECT_EQ(window.folder.Read("200001.DAT"), Record("000120", 2, "-200", "two"));
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
}

// A month file another program wrote meanwhile is read again, never written over.
TEST(Correction, AMonthChangedFromOutsideIsReadAgainNotOverwritten) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    const std::string outside = window.bytes + Record("000120", 2, "-999", "sync");
    window.folder.Write("200001.DAT", outside);
    window.EnterItem("2", "1", "450", "mine");
    EXPECT_EQ(window.folder.Read("200001.DAT"), outside);
    EXPECT_EQ(window.Cell(0, 6), "sync");
    window.Press(Qt::Key_Return);  // the fields kept the item: Enter stores it now
    EXPECT_EQ(window.folder.Read("200001.DAT"), outside + Record("000120", 2, "-450", "mine"));
}

}  // namespace
}  // namespace hanaki
