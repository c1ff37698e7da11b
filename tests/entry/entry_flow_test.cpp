#include <gtest/gtest.h>

#include <QPushButton>

#include "export/csv_export_screen.h"
#include "settings/settings_menu.h"

#include "entry_window.h"
#include "support/cp932_text.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::Record;
using testing::Sjis;

const char* const kCategoryLegend =
    " <ESC>終了    <HOME>日付変更    <Shift+HOME>現在日    <↑>訂正    </>メモ"
    "\n <Ins>繰返し    <PageUp,Down>前日,翌日    <Space,文字>備考から    <F10>明細取込";

bool ButtonsEnabled(const EntryWindow& window) {
    return window.screen->findChild<QPushButton*>("Command1", Qt::FindDirectChildrenOnly)
        ->isEnabled();
}

TEST(EntryFlow, EnteringItemsWritesThemAtOnce) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(window.Text("Label7"), kCategoryLegend);
    EXPECT_TRUE(window.Text("Label1").contains("4. 繰越")) << window.Text("Label1").toStdString();
    EXPECT_EQ(window.Text("Text9"), "1");

    window.Enter({"2"});
    EXPECT_EQ(window.Text("Text1"), "食費");
    EXPECT_EQ(window.FocusName(), "Text2");
    EXPECT_TRUE(window.Text("Label1").contains("3. 夕食"));
    EXPECT_FALSE(ButtonsEnabled(window));
    window.Enter({"1"});
    EXPECT_EQ(window.FocusName(), "Text5");  // 食費 is an expense
    EXPECT_EQ(window.Text("Label7"), " <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税 <\\>電卓");
    window.Enter({"1200", "パン"});
    const std::string bread = Record("261207", 2, "-1200", "パン");
    EXPECT_EQ(window.folder.Read("202612.DAT"), bread);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(window.Text("Text1") + window.Text("Text5") + window.Text("Text3"), "");
    EXPECT_EQ(window.Text("Text9"), "2");
    EXPECT_TRUE(ButtonsEnabled(window));

    window.Enter({"1", "1"});
    EXPECT_EQ(window.FocusName(), "Text4");
    EXPECT_EQ(window.Text("Label7"), " <ESC>戻る    <\\>電卓");
    window.Enter({"250000", "  "});
    EXPECT_EQ(window.folder.Read("202612.DAT"), bread + Record("261207", 1, "+250000"));
    EXPECT_EQ(window.Cell(1, 5), "248,800");
    EXPECT_EQ(window.Text("Label9"), "12/7現在");
    EXPECT_EQ(window.Text("Label4"), "248,800");
}

TEST(EntryFlow, NumberFieldsTakeNumbersOfExistingEntriesOnly) {
    struct Case {
        const char* typed;
        const char* shown;
        const char* focus;
    };
    const Case cases[] = {
        {"3", "住居", "Text2"},  {"25", "", "Text1"},  {"5", "", "Text1"},
        {"0", "0", "Text1"},     {"x1", "", "Text1"},   // x starts the item from its remark
        {"１", "給料", "Text2"}, {"035", "", "Text1"},  // 35, not cut to category 3
    };
    for (const Case& c : cases) {
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({c.typed});
        EXPECT_EQ(window.Text("Text1"), c.shown) << c.typed;
        EXPECT_EQ(window.FocusName(), c.focus) << c.typed;
    }
}

TEST(EntryFlow, AmountsKeepTheirSignAndNineDigits) {
    struct Case {
        const char* category;
        const char* typed;
        const char* stored;
        bool committed = false;         // from an input method in one commit
        const char* atFront = nullptr;  // typed after Home
    };
    const Case cases[] = {
        {"1", "-300", "+-300"},
        {"1", "3-00", "+300"},
        {"2", "1234567890", "-123456789"},
        {"1", "ab12", "+12"},
        {"2", "０５", "-05"},
        {"1", "－300", "+-300", true},
        {"2", "３５", "-35", true},
        {"1", "-300", "+-300", false, "5"},  // "+5-300" no reader would take
        {"1", "-300", "+-300", true, "5"},
    };
    for (const Case& c : cases) {
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({c.category, "1"});
        c.committed ? window.Commit(c.typed) : window.Type(c.typed);
        if (c.atFront) {
            window.Press(Qt::Key_Home);
            c.committed ? window.Commit(c.atFront) : window.Type(c.atFront);
        }
        window.Enter({"", ""});
        EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", c.category[0] - '0', c.stored))
            << c.typed << (c.atFront ? c.atFront : "");
    }
}

TEST(EntryFlow, TheNextDigitReplacesAnAcceptedName) {
    for (bool committed : {false, true}) {
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"3"});
        window.Press(Qt::Key_Escape);
        EXPECT_EQ(window.Text("Text1"), "住居");
        committed ? window.Commit("１") : window.Type("1");
        EXPECT_EQ(window.Text("Text1"), "1") << committed;
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.Text("Text1"), "給料") << committed;
    }
}

TEST(EntryFlow, AZeroAmountIsNotTaken) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Enter({"2", "1", "-0"});
    EXPECT_EQ(window.FocusName(), "Text5");
    EXPECT_EQ(window.Text("Text5"), "");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text2");
    EXPECT_EQ(window.Text("Text2"), "");
    EXPECT_TRUE(window.Text("Label1").contains("2. 昼食"));
}

TEST(EntryFlow, BudgetLineShowsTheMonthSoFar) {
    struct Case {
        std::string ledger;
        const char* total;
        QColor colour;
    };
    const Case cases[] = {
        {"", "0 (今月累計)", Qt::black},
        {Record("261201", 2, "-40000"), "40000 (今月累計)", QColor(255, 0, 0)},
    };
    for (const Case& c : cases) {
        EntryWindow window({2026, 12, 10});
        if (!c.ledger.empty())
            window.folder.Write("202612.DAT", c.ledger);
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"2"});
        EXPECT_EQ(window.Text("Label12"), c.total);
        // 30000 / 31 * 10 = 9677.4, cut to whole hundreds.
        EXPECT_EQ(window.Text("Label13"), "9600 (現予算額) / 30000 (月予算額)");
        EXPECT_EQ(window.screen->findChild<QLabel*>("Label12", Qt::FindDirectChildrenOnly)
                      ->palette()
                      .color(QPalette::WindowText),
                  c.colour);
    }
}

TEST(EntryFlow, TaxKeysUseTheRateOfTheDisplayedDay) {
    struct Case {
        CivilDate today;
        int closingDay;
        const char* typed;
        Qt::Key key;
        const char* result;
    };
    const Case cases[] = {
        {{1999, 6, 1}, kMonthEnd, "1000", Qt::Key_PageUp, "1050"},
        {{1999, 6, 1}, kMonthEnd, "1050", Qt::Key_PageDown, "1000"},
        {{2026, 12, 7}, kMonthEnd, "1000", Qt::Key_PageUp, "1100"},
        {{2015, 1, 1}, kMonthEnd, "1000", Qt::Key_PageUp, "1080"},
        {{1989, 3, 31}, kMonthEnd, "1000", Qt::Key_PageUp, "1000"},
        {{2019, 9, 28}, 25, "1000", Qt::Key_PageUp, "1080"},  // 10月度, but still September
        {{2026, 12, 7}, kMonthEnd, "999999999", Qt::Key_PageUp, "999999999"},
    };
    for (const Case& c : cases) {
        EntryWindow window(c.today, c.closingDay);
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"2", "1"});
        window.Type(c.typed);
        window.Press(c.key);
        EXPECT_EQ(window.Text("Text5"), c.result) << c.today.year << " " << c.typed;
    }
}

TEST(EntryFlow, RemarkStopsAtSixtyBytesForInputMethodCommits) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Enter({"2", "1", "500"});
    window.Commit(QString(29, u'あ'));
    window.Commit("いう");
    EXPECT_EQ(window.Text("Text3"), QString(29, u'あ') + "い");
    EXPECT_TRUE(window.Text("Label7").endsWith("これ以上入力できません"));
    window.Press(Qt::Key_Return);
    std::string remark;
    for (int i = 0; i < 29; ++i)
        remark += "あ";
    EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", 2, "-500", remark + "い"));
}

TEST(EntryFlow, AFullMonthRefusesANewItem) {
    EntryWindow window;
    std::string items;
    for (int i = 0; i < 1000; ++i)
        items += Record("261201", 2, "-1");
    window.folder.Write("202612.DAT", items);
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Enter({"2"});
    EXPECT_EQ(window.Titles(), QStringList{"項目追加"});
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(window.folder.Read("202612.DAT"), items);
}

TEST(EntryFlow, ACorrectionOfTheRemarkRewritesTheSameRecord) {
    EntryWindow window;
    const std::string first = Record("261207", 1, "+100", "one");
    const std::string third = Record("261207", 3, "-300", "three");
    window.folder.Write("202612.DAT", first + Record("261207", 2, "-200", "two") + third);
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_Up);
    EXPECT_EQ(window.FocusName(), "MSFlexGrid1");
    EXPECT_EQ(window.Text("Label7"),
              " <ESC,↓>入力欄へ    <↑>カーソル移動    <Enter>選択    <Ins>繰返し");
    EXPECT_EQ(window.Text("Label6"), "  訂 正 入 力 欄");
    window.Press(Qt::Key_Up);
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>入力欄へ    <↑↓>カーソル移動    <Enter>選択    <Ins>繰返し");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(
        window.Text("Text1") + window.Text("Text2") + window.Text("Text5") + window.Text("Text3"),
        "食費朝食200two");
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし");
    EXPECT_EQ(window.Text("Text9"), "2");

    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.Text("Label7"), " <ESC>戻る    <数字>項目入力    <Enter>変更なし");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>戻る    <数字>入力    <Enter>変更なし    <PageUp>+消費税 <PageDown>-消費税");
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_A, Qt::ControlModifier);
    window.Enter({"TWO"});
    EXPECT_EQ(window.folder.Read("202612.DAT"), first + Record("261207", 2, "-200", "TWO") + third);
    EXPECT_EQ(window.Text("Label6"), "  入   力   欄");
    EXPECT_EQ(window.Text("Label7"), kCategoryLegend);
}

TEST(EntryFlow, ACorrectedAmountReplacesTheOldOneOnTheFirstDigit) {
    for (bool committed : {false, true}) {
        EntryWindow window;
        window.folder.Write("202612.DAT", Record("261207", 2, "-200"));
        ASSERT_TRUE(window.Start());
        window.CorrectLastItem();
        window.Enter({"", ""});
        committed ? window.Commit("３５０") : window.Type("350");
        window.Enter({"", ""});
        EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", 2, "-350")) << committed;
    }
}

TEST(EntryFlow, TheMemoOpensWhileCorrectingAndTheCorrectionGoesOn) {
    EntryWindow window;
    window.folder.Write("202612.DAT", Record("261207", 2, "-200", "two"));
    ASSERT_TRUE(window.Start());
    window.CorrectLastItem();
    window.Type("/");
    EXPECT_EQ(window.FocusName(), "Text11");
    window.Type("note");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_EQ(window.Text("Label6"), "  訂 正 入 力 欄");
    EXPECT_EQ(window.Text("Label7"),
              " <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし");
    EXPECT_FALSE(ButtonsEnabled(window));
    window.Enter({"", "", "250", ""});
    EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", 2, "-250", "two"));
    EXPECT_EQ(window.folder.Read("202612.MEM").substr(0, 6), " 7note");
}

TEST(EntryFlow, DeletingAnItemShortensTheFile) {
    struct Case {
        int items;
        int row;
        bool ok;
    };
    const Case cases[] = {{3, 2, true}, {1, 1, true}, {3, 2, false}};
    for (const Case& c : cases) {
        EntryWindow window;
        std::string records[3];
        std::string all;
        for (int i = 0; i < c.items; ++i)
            all += records[i] = Record("261207", 2, "-" + std::to_string(i + 1));
        window.folder.Write("202612.DAT", all);
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Press(Qt::Key_Up);
        for (int row = c.items; row > c.row; --row)
            window.Press(Qt::Key_Up);
        window.Press(Qt::Key_Return);
        window.messages.Answer(c.ok);
        window.Press(Qt::Key_Delete);
        ASSERT_EQ(window.messages.shown.size(), 1u);
        EXPECT_EQ(window.messages.shown[0].title, "項目削除");
        EXPECT_EQ(window.messages.shown[0].text, "削除しますか？  <Enter>OK  <Esc>キャンセル");
        if (!c.ok) {
            EXPECT_EQ(window.folder.Read("202612.DAT"), all);
        } else if (c.items == 1) {
            EXPECT_FALSE(window.folder.Exists("202612.DAT"));
            EXPECT_EQ(window.Text("Label9"), "未入力");
        } else {
            EXPECT_EQ(window.folder.Read("202612.DAT"), records[0] + records[2]);
            EXPECT_EQ(window.folder.Read("202612.DAT").size(), 208u);
        }
    }
}

TEST(EntryFlow, AFailedSaveLeavesScreenAndDiskAgreeing) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.messages.shown.clear();  // the new month's notice
    window.fs.Arm({testing::FsCall::CreateExclusive, 1, ENOSPC});
    window.Enter({"2", "1", "700", "milk"});
    EXPECT_EQ(window.Titles(), QStringList{"ファイルエラー"});
    EXPECT_FALSE(window.folder.Exists("202612.DAT"));
    EXPECT_EQ(window.Cell(0, 1), "");
    EXPECT_EQ(window.Text("Label9"), "未入力");
    EXPECT_EQ(window.FocusName(), "Text3");

    window.fs.Disarm();
    window.Press(Qt::Key_Return);
    const std::string milk = Record("261207", 2, "-700", "milk");
    EXPECT_EQ(window.folder.Read("202612.DAT"), milk);

    window.Press(Qt::Key_Up);
    window.Press(Qt::Key_Return);
    window.fs.Arm({testing::FsCall::Remove, 1, EACCES});
    window.Press(Qt::Key_Delete);
    EXPECT_EQ(window.Titles(), (QStringList{"ファイルエラー", "項目削除", "ファイルエラー"}));
    EXPECT_EQ(window.folder.Read("202612.DAT"), milk);
    EXPECT_EQ(window.Cell(0, 6), "milk");
}

TEST(EntryFlow, HomeAndShiftHomeLeaveTheEntry) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_PageUp);
    window.Press(Qt::Key_Return);
    window.Type("2");
    window.Press(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(window.Text("Text8"), "7");
    EXPECT_EQ(window.FocusName(), "Text1");
    window.Press(Qt::Key_Home);
    EXPECT_EQ(window.FocusName(), "Text8");
    EXPECT_EQ(window.Text("Text1"), "");
}

TEST(EntryFlow, FunctionKeysOpenTheirScreensOnceAndNotWhileCorrecting) {
    EntryWindow window;
    window.folder.Write("202612.DAT", Record("261207", 2, "-200"));
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_F7);
    window.Press(Qt::Key_F7);
    window.Press(Qt::Key_F8);
    EXPECT_EQ(window.screen->findChildren<SettingsMenu*>().size(), 1);
    ASSERT_EQ(window.screen->findChildren<CsvExportScreen*>().size(), 1);
    window.screen->findChild<CsvExportScreen*>()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.screen->findChildren<CsvExportScreen*>().size(), 0);

    window.Press(Qt::Key_Up);
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_F8);
    EXPECT_EQ(window.screen->findChildren<CsvExportScreen*>().size(), 0);
}

TEST(EntryFlow, AMasterSavedFromTheSettingsMenuShowsInTheGuideAtOnce) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Press(Qt::Key_F7);
    auto* menu = window.screen->findChild<SettingsMenu*>();
    ASSERT_NE(menu, nullptr);

    window.state.categories.names[1] = Sjis("収入");
    BuildCategoryGuides(window.state.categories);
    emit menu->categoriesSaved();

    EXPECT_TRUE(window.Text("Label1").contains(QStringLiteral(" 1. 収入")))
        << window.Text("Label1").toStdString();
}

TEST(EntryFlow, TheCalculatorConfirmsItsResultLikeATypedAmount) {
    for (const char* key : {"\\", "¥", "￥"}) {
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"1", "1"});
        window.Type(key);
        EXPECT_EQ(window.FocusName(), "Text10") << key;
        window.Type("12+3*2");
        window.Press(Qt::Key_Return);
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.Text("Text4"), "30") << key;
        EXPECT_EQ(window.FocusName(), "Text3") << key;
    }
}

TEST(EntryFlow, TheMemoTakesThePlaceOfTheGuideAndIsSavedOnClose) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.Press(Qt::Key_Return);
    window.Type("/");
    EXPECT_EQ(window.FocusName(), "Text11");
    EXPECT_FALSE(
        window.screen->findChild<QLabel*>("Label1", Qt::FindDirectChildrenOnly)->isVisible());
    EXPECT_FALSE(ButtonsEnabled(window));
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.FocusName(), "Text1");
    EXPECT_TRUE(
        window.screen->findChild<QLabel*>("Label1", Qt::FindDirectChildrenOnly)->isVisible());
    EXPECT_TRUE(ButtonsEnabled(window));
    EXPECT_EQ(window.Text("Label7"), kCategoryLegend);

    window.Type("/");
    window.Type("milk");
    window.screen->close();
    EXPECT_EQ(window.folder.Read("202612.MEM").substr(0, 6), " 7milk");
}

// An input method left on sends "・" or "／" for the slash key and "￥" or "＼"
// for the backslash key: they act as the keys do.
TEST(EntryFlow, CommittedSlashAndYenOpenTheMemoAndTheCalculator) {
    for (const char* slash : {"/", "・", "／"}) {
        SCOPED_TRACE(slash);
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Commit(QString::fromUtf8(slash));
        EXPECT_TRUE(window.screen->findChild<QWidget*>("Label10")->isVisible());
    }
    for (const char* yen : {"\\", "￥", "＼"}) {
        SCOPED_TRACE(yen);
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.Press(Qt::Key_Return);
        window.Enter({"2", "1"});
        window.Type("12");
        window.Commit(QString::fromUtf8(yen));
        EXPECT_TRUE(window.screen->findChild<QWidget*>("Text10")->isVisible());
        EXPECT_EQ(window.Text("Text5"), "12");
    }
}

// A folder sync that fails after the rename leaves the new file in place:
// the window says the save is unconfirmed and shows what the disk holds.
TEST(EntryFlow, AnUnconfirmedSaveKeepsTheStoredItem) {
    EntryWindow window;
    ASSERT_TRUE(window.Start());
    window.fs.Arm({testing::FsCall::SyncDirectory, 1, EIO});
    window.EnterItem("2", "1", "450", "kept");
    EXPECT_EQ(window.Titles().back(), "ファイルエラー");
    EXPECT_EQ(window.Cell(0, 6), "kept");
    EXPECT_EQ(window.folder.Read("202612.DAT"), Record("261207", 2, "-450", "kept"));
    window.EnterItem("2", "1", "10", "next");  // the next save starts from the disk's state
    EXPECT_EQ(window.folder.Read("202612.DAT"),
              Record("261207", 2, "-450", "kept") + Record("261207", 2, "-10", "next"));
}

}  // namespace
}  // namespace hanaki
