#include "app/history_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "data/formats/ledger.h"
#include "data/history/history_store.h"
#include "data/program/folder_copy.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;

// 2026-11-16 09:30 and 2026-11-17 21:05, UTC.
constexpr std::int64_t kFirst = 1'794'821'400;
constexpr std::int64_t kSecond = 1'794'949'500;

struct Kept {
    TempFolder dir;
    std::int64_t now = kFirst;
    Kept() {
        setenv("TZ", "UTC", 1);
        tzset();
        DataFolder folder = dir.folder();
        folder.KeepHistory([this] { return now; });
        MonthLedger ledger;
        AppendItem(ledger, 0,
                   {"261116", "02", Sjis("食費"), "01", Sjis("朝食"), "-450", Sjis("パン,牛乳")});
        EXPECT_TRUE(SaveMonthLedger(folder, 31, 126, 11, ledger).ok());
        now = kSecond;
        EXPECT_TRUE(
            folder.Replace("VERADIV.ENV", " 25 \r\n", {ChangeKind::Settings, "締め日の設定"}).ok());
    }
};

TEST(HistoryCommand, listsNewestFirstAsTextOrReportCsvAndFromADay) {
    Kept kept;
    struct Case {
        std::optional<CivilDate> since;
        bool csv;
        std::string out;
    };
    const std::vector<Case> cases{
        {std::nullopt, true,
         "時刻,ファイル,種類,内容\r\n"
         "2026-11-17 21:05,VERADIV.ENV,設定,締め日の設定\r\n"
         "2026-11-16 09:30,202611.DAT,追加,\"11/16 食費 朝食 450 パン,牛乳\"\r\n"},
        {CivilDate{2026, 11, 17}, true,
         "時刻,ファイル,種類,内容\r\n"
         "2026-11-17 21:05,VERADIV.ENV,設定,締め日の設定\r\n"},
        {CivilDate{2026, 11, 17}, false,
         "2026-11-17 21:05  VERADIV.ENV  設定  締め日の設定\n"
         "履歴の容量: 189 バイト（2 件の変更）\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunHistoryCommand(kept.dir.path(), c.since, c.csv, out, err), 0);
        EXPECT_EQ(out.str(), c.out);
    }
    // A line that cannot be read is left out of the listing, and the exit status says so.
    std::ofstream(HistoryPath(kept.dir.folder(), kHistoryIndexName), std::ios::app) << "1\tx\n";
    std::ostringstream out, err;
    EXPECT_EQ(RunHistoryCommand(kept.dir.path(), std::nullopt, false, out, err), 1);
}

// A change after which another program rewrote its file stays listed, marked.
TEST(HistoryCommand, listsAChangeWhoseFileAnotherProgramRewroteWithAMark) {
    Kept kept;
    kept.dir.Write("202611.DAT", kept.dir.Read("202611.DAT") + std::string(104, ' '));
    std::ostringstream text, csv, err;
    EXPECT_EQ(RunHistoryCommand(kept.dir.path(), std::nullopt, false, text, err), 0);
    EXPECT_EQ(RunHistoryCommand(kept.dir.path(), std::nullopt, true, csv, err), 0);
    EXPECT_EQ(text.str(),
              "2026-11-17 21:05  VERADIV.ENV  設定  締め日の設定\n"
              "2026-11-16 09:30  202611.DAT  追加  11/16 食費 朝食 450 パン,牛乳  "
              "（この後、別のプログラムが変更）\n"
              "履歴の容量: 189 バイト（2 件の変更）\n");
    EXPECT_EQ(csv.str(),
              "時刻,ファイル,種類,内容\r\n"
              "2026-11-17 21:05,VERADIV.ENV,設定,締め日の設定\r\n"
              "2026-11-16 09:30,202611.DAT,追加,\"11/16 食費 朝食 450 パン,牛乳  "
              "（この後、別のプログラムが変更）\"\r\n");
}

TEST(HistoryCommand, restoresAsOfAMinuteIntoANewFolderAndBacksUpTheLiveOne) {
    Kept kept;
    TempFolder out;
    std::ostringstream text, err;
    EXPECT_EQ(
        RunRestoreAsOfCommand(kept.dir.path(), "2026-11-17 21:04", out.path() + "/then", text, err),
        0)
        << err.str();
    EXPECT_EQ(DataFileNames(out.path() + "/then"), std::vector<std::string>{"202611.DAT"});
    EXPECT_EQ(RunRestoreAsOfCommand(kept.dir.path(), "2026-11-16 09:29", out.path() + "/before",
                                    text, err),
              0);
    EXPECT_TRUE(DataFileNames(out.path() + "/before").empty());
    EXPECT_EQ(
        RunRestoreAsOfCommand(kept.dir.path(), "2026-11-31 09:00", out.path() + "/x", text, err),
        2);
    EXPECT_EQ(RunBackupCommand(kept.dir.path(), out.path() + "/copy", text, err), 0);
    EXPECT_EQ(DataFileNames(out.path() + "/copy"),
              (std::vector<std::string>{"202611.DAT", "VERADIV.ENV"}));
    EXPECT_EQ(RunBackupCommand(kept.dir.path(), out.path() + "/copy", text, err), 1);
    EXPECT_FALSE(kept.dir.Exists(".hanaki.lock"));
}

}  // namespace
}  // namespace hanaki
