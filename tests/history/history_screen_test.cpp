#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "../settings/household.h"
#include "data/formats/ledger.h"
#include "data/history/history_store.h"
#include "history/history_screen.h"
#include "history/undo_prompt.h"
#include "support/cp932_text.h"
#include "support/screen_fit.h"
#include "support/wait.h"

namespace hanaki::testing {
namespace {

// A household with three kept changes: an item added, the settings, the item deleted.
struct Kept {
    Household home;
    std::int64_t now = 1'794'821'400;  // 2026-11-16 09:30 UTC
    std::string empty, withItem;
    Kept() {
        setenv("TZ", "UTC", 1);
        tzset();
        home.UseSettings(" 31 \r\n");
        KeepHistory(home.state.folder, [this] { return now += 60; });
        empty = home.temp.Read("VERADIV.ENV");
        MonthLedger ledger;
        AppendItem(ledger, 0,
                   {"261116", "02", Sjis("食費"), "01", Sjis("朝食"), "-450", Sjis("パン")});
        EXPECT_TRUE(SaveMonthLedger(home.state.folder, 31, 126, 11, ledger).ok());
        withItem = home.temp.Read("202611.DAT");
        EXPECT_TRUE(WriteCarryOver(home.state.folder, 31, 1, 1).ok());
        UnlinkItem(ledger, 1);
        EXPECT_TRUE(SaveMonthLedger(home.state.folder, 31, 126, 11, ledger).ok());
    }
    QStringList Questions() const {
        QStringList texts;
        for (const auto& shown : home.messages.shown)
            texts << shown.text;
        return texts;
    }
};

QStringList Row(QTableWidget* list, int row) {
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column)
        cells << list->item(row, column)->text();
    return cells;
}

TEST(HistoryScreen, listsNewestFirstAndEnterPutsTheFolderBackBeforeTheChosenChange) {
    Kept kept;
    auto* screen = new HistoryScreen(kept.home.state, kept.home.services);
    ShowActive(*screen);
    auto* list = Child<QTableWidget>(*screen, "HistoryList");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(Row(list, 0), (QStringList{"2026-11-16 09:33", "2026年11月度", "削除",
                                         "11/16 食費 朝食 450 パン"}));
    EXPECT_EQ(Row(list, 1),
              (QStringList{"2026-11-16 09:32", "VERADIV.ENV", "繰越", "自動繰越の設定"}));
    EXPECT_TRUE(Child<QLabel>(*screen, "HistorySpace")->text().startsWith("履歴の容量: "));

    // Cancel leaves everything; OK on the second line undoes it and the deletion after it.
    Press(Qt::Key_Down);
    kept.home.messages.Answer(false);
    Press(Qt::Key_Return);
    EXPECT_FALSE(kept.home.temp.Exists("202611.DAT"));
    Press(Qt::Key_Return);
    EXPECT_EQ(kept.Questions().last(),
              "2026-11-16 09:32 の「自動繰越の設定」の直前の状態にデータフォルダを戻しますか？\n"
              "それより後の変更もすべて取り消されます（戻したこと自体も履歴に残ります）。");
    EXPECT_EQ(kept.home.temp.Read("202611.DAT"), kept.withItem);
    EXPECT_EQ(kept.home.temp.Read("VERADIV.ENV"), kept.empty);
    EXPECT_EQ(list->rowCount(), 5);
    EXPECT_EQ(Row(list, 0)[2], "取り消し");
    EXPECT_EQ(kept.home.state.settings.carryOverCategory, 0);
    Press(Qt::Key_Escape);
}

// Another program keeps a change while the screen is open: it is listed at
// once, the line chosen stays chosen, and a restore takes it back too.
TEST(HistoryScreen, followsChangesKeptElsewhereKeepingTheChosenLine) {
    Kept kept;
    MonthLedger ledger;
    auto add = [&](const DataFolder& folder, const char* description, const char* amount,
                   bool first = false) {
        AppendItem(ledger, first ? 0 : ledger.LastSlot(),
                   {"261116", "02", Sjis("食費"), "01", Sjis(description), amount, ""});
        ASSERT_TRUE(SaveMonthLedger(folder, 31, 126, 11, ledger).ok());
    };
    add(kept.home.state.folder, "朝食", "-450");
    const std::string breakfast = kept.home.temp.Read("202611.DAT");
    add(kept.home.state.folder, "昼食", "-800");  // the line chosen: the newest
    auto* screen = new HistoryScreen(kept.home.state, kept.home.services);
    ShowActive(*screen);
    auto* list = Child<QTableWidget>(*screen, "HistoryList");

    DataFolder other = kept.home.temp.folder();
    KeepHistory(other, [&kept] { return kept.now += 60; });
    add(other, "夕食", "-700", true);  // before the others
    ASSERT_TRUE(WaitFor([&] { return list->rowCount() == 6; }, "the change to be listed"));
    EXPECT_EQ(Row(list, 0)[3], "11/16 食費 夕食 700");
    EXPECT_EQ(list->currentRow(), 1);

    Press(Qt::Key_Return);
    EXPECT_EQ(kept.Questions(),
              QStringList{"2026-11-16 09:35 の「11/16 食費 昼食 800 の追加」の直前の状態に"
                          "データフォルダを戻しますか？\nそれより後の変更もすべて取り消されます"
                          "（戻したこと自体も履歴に残ります）。"});
    EXPECT_EQ(kept.home.temp.Read("202611.DAT"), breakfast);

    // A folder opened for reading says so before any question.
    DataFolder readOnly(kept.home.temp.path(), RealFileSystem(), DataFolder::Access::ReadOnly);
    ProgramState browsing(readOnly, [] { return CivilDate{2026, 11, 16}; });
    auto* browser = new HistoryScreen(browsing, kept.home.services);
    ShowActive(*browser);
    Press(Qt::Key_Return);
    ASSERT_EQ(kept.home.messages.shown.size(), 2u);
    EXPECT_FALSE(kept.home.messages.shown[1].question);
    EXPECT_TRUE(kept.Questions().last().contains("読み取り専用"));
    browser->close();
    screen->close();
}

TEST(HistoryScreen, aRestoreWhileTheFolderIsGoneSaysSoOnceAndChangesNothing) {
    Kept kept;
    kept.home.state.folder.WatchPresence();
    auto* screen = new HistoryScreen(kept.home.state, kept.home.services);
    ShowActive(*screen);
    const std::string path = kept.home.temp.path();
    const std::string env = kept.home.temp.Read("VERADIV.ENV");
    std::filesystem::rename(path, path + ".away");
    Press(Qt::Key_Return);
    std::filesystem::rename(path + ".away", path);
    const QStringList shown = kept.Questions();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_FALSE(kept.home.messages.shown[0].question);
    EXPECT_TRUE(
        shown[0].contains("データフォルダ " + QString::fromStdString(path) + " が見つかりません。"))
        << shown[0].toStdString();
    EXPECT_FALSE(kept.home.temp.Exists("202611.DAT"));
    EXPECT_EQ(kept.home.temp.Read("VERADIV.ENV"), env);
    Press(Qt::Key_Escape);
}

TEST(UndoPrompt, namesTheLastChangeUndoesItOnOkAndWalksBackUntilNothingIsLeft) {
    Kept kept;
    auto& state = kept.home.state;
    auto& messages = kept.home.messages;
    messages.Answer(false);
    EXPECT_FALSE(AskAndUndoLastChange(state, messages, nullptr));
    EXPECT_FALSE(kept.home.temp.Exists("202611.DAT"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(AskAndUndoLastChange(state, messages, nullptr));
    EXPECT_FALSE(AskAndUndoLastChange(state, messages, nullptr));
    EXPECT_EQ(kept.Questions(), (QStringList{"11/16 食費 朝食 450 パン の削除を取り消しますか？",
                                             "11/16 食費 朝食 450 パン の削除を取り消しますか？",
                                             "自動繰越の設定を取り消しますか？",
                                             "11/16 食費 朝食 450 パン の追加を取り消しますか？",
                                             "取り消せる変更はありません。"}));
    EXPECT_FALSE(kept.home.temp.Exists("202611.DAT"));

    DataFolder readOnly(kept.home.temp.path(), RealFileSystem(), DataFolder::Access::ReadOnly);
    ProgramState browsing(readOnly, [] { return CivilDate{2026, 11, 16}; });
    EXPECT_FALSE(AskAndUndoLastChange(browsing, messages, nullptr));
    EXPECT_TRUE(kept.Questions().last().contains("読み取り専用"));
}

TEST(HistoryScreen, fitsEveryScreenSizeAndShowsItsLegendWhole) {
    const char* shots = std::getenv("HANAKI_HISTORY_SHOTS");
    Kept kept;
    for (QSize size : {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        SCOPED_TRACE(size.height());
        Services services{kept.home.messages, ScreenMetrics(size.height())};
        std::unique_ptr<HistoryScreen> screen(new HistoryScreen(kept.home.state, services));
        screen->setAttribute(Qt::WA_DeleteOnClose, false);
        screen->show();
        ExpectWholeWithin(*screen, size);
        if (shots)
            screen->grab().save(QString("%1/history-%2.png").arg(shots).arg(size.height()));
    }
}

}  // namespace
}  // namespace hanaki::testing
