#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "data/disk/file_system.h"
#include "data/formats/category_table.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "data/history/history_pruning.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"
#include "data/program/folder_copy.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;
using Files = std::map<std::string, std::string>;

constexpr int kYear = 126;  // 2026
constexpr int kMonth = 11;
constexpr std::int64_t kDay = 24 * 60 * 60;
const std::string kLedger = "202611.DAT";

LedgerRecord Item(const std::string& date, const std::string& description, int amount,
                  const std::string& remark) {
    return testing::RecordOf(
        {date, "02", "食費", "01", description, "-" + std::to_string(amount), remark});
}

Files Snapshot(const std::string& path) {
    Files files;
    for (const std::string& name : DataFileNames(path))
        files[name] = std::string(std::istreambuf_iterator<char>(
                                      std::ifstream(path + "/" + name, std::ios::binary).rdbuf()),
                                  {});
    return files;
}
Files Snapshot(const TempFolder& dir) {
    return Snapshot(dir.path());
}

// A folder with a month of three items, a memo, the masters; history kept
// with a clock the test moves.
struct Household {
    TempFolder dir;
    std::int64_t now = 1'790'000'000;
    DataFolder folder = dir.folder();

    Household() {
        MonthLedger ledger;
        AppendItem(ledger, 0, Item("261115", "夕食", 1200, "魚"));
        AppendItem(ledger, 1, Item("261116", "朝食", 450, "パン"));
        AppendItem(ledger, 2, Item("261117", "昼食", 800, ""));
        EXPECT_TRUE(SaveMonthLedger(folder, 31, kYear, kMonth, ledger).ok());
        dir.Write("202611.MEM", std::string(240, ' '));
        dir.Write("VERADIV.DAT", Sjis("-食費\r\n,朝食\r\n,昼食\r\n,夕食\r\n"));
        dir.Write("VERADIV.ENV", " 31 \r\n");
        KeepHistory(folder, [this] { return now; });
    }
    MonthLedger Ledger() const {
        MonthLedger ledger;
        EXPECT_TRUE(LoadMonthLedger(folder, 31, kYear, kMonth, ledger).ok());
        return ledger;
    }
    // Over whatever the month's file holds now, as a month just loaded would be.
    IoResult Save(MonthLedger ledger) const {
        folder.Read(kLedger, ledger.onDisk);
        return SaveMonthLedger(folder, 31, kYear, kMonth, ledger);
    }
    // The slot of the item with that remark.
    int SlotOf(const std::string& remark) const {
        MonthLedger ledger = Ledger();
        int found = 0;
        WalkChain(ledger, [&](int slot, const LedgerSlot& entry) {
            if (TrimRight(entry.record.remark) == Sjis(remark))
                found = slot;
        });
        return found;
    }
    std::string UndoLast() const {
        History history = ReadHistory(folder);
        std::optional<ChangeGroup> last = LastUndoableChange(history);
        if (!last)
            return "nothing";
        return UndoChange(folder, history, *last);
    }
    std::string Question() const {
        std::optional<ChangeGroup> last = LastUndoableChange(ReadHistory(folder));
        return last ? UndoQuestion(*last) : "";
    }
    // One Ctrl+Z or Ctrl+Y answered OK: its question (or the message that
    // stood in its place), "nothing" when there is nothing to take.
    std::string Step(bool redo) const {
        const History history = ReadHistory(folder);
        const std::optional<ChangeGroup> next =
            redo ? LastRedoableUndo(history) : LastUndoableChange(history);
        if (!next)
            return "nothing";
        const UndoStep step =
            redo ? PlanRedo(folder, history, *next) : PlanUndo(folder, history, *next);
        if (!step.problem.empty())
            return step.problem;
        EXPECT_EQ(CarryOut(folder, step), "");
        return StepQuestion(step);
    }
    IoResult AddItem(int month, const std::string& date, int amount, const std::string& remark) {
        now += 60;
        MonthLedger ledger;
        LoadMonthLedger(folder, 31, kYear, month, ledger);  // a new month reads as empty
        AppendItem(ledger, ledger.LastSlot(), Item(date, "夕食", amount, remark));
        return SaveMonthLedger(folder, 31, kYear, month, ledger);
    }
};

TEST(Undo, takesBackEachKindOfChangeToTheExactBytesAndNamesIt) {
    struct Case {
        const char* name;
        std::function<IoResult(Household&)> change;
        std::string question;
    };
    const std::vector<Case> cases{
        {"delete an item",
         [](Household& h) {
             MonthLedger ledger = h.Ledger();
             UnlinkItem(ledger, h.SlotOf("パン"));
             return h.Save(ledger);
         },
         "11/16 食費 朝食 450 パン の削除を取り消しますか？"},
        {"add an item",
         [](Household& h) {
             MonthLedger ledger = h.Ledger();
             AppendItem(ledger, ledger.LastSlot(), Item("261118", "夕食", 2000, "寿司"));
             return h.Save(ledger);
         },
         "11/18 食費 夕食 2000 寿司 の追加を取り消しますか？"},
        {"correct an item",
         [](Household& h) {
             MonthLedger ledger = h.Ledger();
             ReplaceItem(ledger, h.SlotOf("パン"), Item("261116", "朝食", 480, "パン"));
             return h.Save(ledger);
         },
         "11/16 食費 朝食 480 パン の訂正を取り消しますか？"},
        {"delete every item, removing the month file",
         [](Household& h) { return h.Save(MonthLedger{}); },
         "2026年11月度の3件 の削除を取り消しますか？"},
        {"start a new month",
         [](Household& h) {
             MonthLedger ledger;
             AppendItem(ledger, 0, Item("261201", "朝食", 300, "牛乳"));
             return SaveMonthLedger(h.folder, 31, kYear, 12, ledger);
         },
         "12/1 食費 朝食 300 牛乳 の追加を取り消しますか？"},
        {"write a memo",
         [](Household& h) {
             MemoMonth memo;
             memo.SetLines(16, {Sjis("買い物"), "", ""});
             return SaveMemo(h.folder, 31, kYear, kMonth, memo, {ChangeKind::Memo, "11/16 のメモ"});
         },
         "11/16 のメモを取り消しますか？"},
        {"change the categories",
         [](Household& h) {
             CategoryTable table;
             EXPECT_TRUE(LoadCategoryTable(h.folder, table).ok());
             table.descriptions[1][4] = Sjis("おやつ");
             return SaveCategoryTable(h.folder, table);
         },
         "費目・摘要の変更を取り消しますか？"},
        {"set the carry-over", [](Household& h) { return WriteCarryOver(h.folder, 31, 1, 2); },
         "自動繰越の設定を取り消しますか？"},
        {"set the budgets",
         [](Household& h) {
             Settings settings;
             settings.budgets[1] = "30000";
             return WriteBudgets(h.folder, settings);
         },
         "予算・集計の設定を取り消しますか？"},
        {"convert over a month",
         [](Household& h) {
             return h.folder.Replace(kLedger, std::string(104, '0'),
                                     {ChangeKind::Conversion, "2026年11月度の変換(上書き)"});
         },
         "2026年11月度の変換(上書き)を取り消しますか？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Household household;
        const Files before = Snapshot(household.dir);
        ASSERT_TRUE(c.change(household).ok());
        ASSERT_NE(Snapshot(household.dir), before);
        EXPECT_EQ(household.Question(), c.question);
        EXPECT_EQ(household.UndoLast(), "");
        EXPECT_EQ(Snapshot(household.dir), before);
        // The undo is a change of its own, and nothing is left to take back.
        History history = ReadHistory(household.folder);
        ASSERT_EQ(history.entries.size(), 2u);
        EXPECT_EQ(history.entries.back().kind, ChangeKind::Undo);
        EXPECT_FALSE(LastUndoableChange(history));
    }
}

TEST(Undo, walksBackThreeChangesAndANewChangeIsTakenBackFirst) {
    Household h;
    std::vector<Files> states{Snapshot(h.dir)};
    for (const char* remark : {"米", "卵", "茶"}) {
        h.now += 60;
        MonthLedger ledger = h.Ledger();
        AppendItem(ledger, ledger.LastSlot(), Item("261120", "夕食", 100, remark));
        ASSERT_TRUE(h.Save(ledger).ok());
        states.push_back(Snapshot(h.dir));
    }
    ASSERT_TRUE(WriteCarryOver(h.folder, 31, 1, 1).ok());
    EXPECT_EQ(h.UndoLast(), "");
    EXPECT_EQ(Snapshot(h.dir), states[3]);
    for (int back = 2; back >= 1; --back) {
        EXPECT_EQ(h.UndoLast(), "");
        EXPECT_EQ(Snapshot(h.dir), states[back]);
    }
    // A change made now is what the next undo takes; then the walk goes on.
    ASSERT_TRUE(WriteClosingDay(h.folder, 25).ok());
    EXPECT_EQ(h.Question(), "締め日の設定を取り消しますか？");
    EXPECT_EQ(h.UndoLast(), "");
    EXPECT_EQ(h.Question(), "11/20 食費 夕食 100 米 の追加を取り消しますか？");
    EXPECT_EQ(h.UndoLast(), "");
    EXPECT_EQ(Snapshot(h.dir), states[0]);
    EXPECT_EQ(h.UndoLast(), "nothing");
}

// Ctrl+Y makes again what the last Ctrl+Z took back, asked in the same words,
// walking back through the undos; a new change ends what can be redone.
TEST(Redo, makesAgainWhatTheUndosTookBackUntilANewChangeIsMade) {
    const std::string rice = "11/20 食費 夕食 100 米 の追加", egg = "11/21 食費 夕食 200 卵 の追加";
    struct Step {
        char key;  // 'z' undo, 'y' redo, 'n' a new change
        std::string answer;
        int state;  // 0 as first, 1 with the rice, 2 with the egg too, 3 rice and tea
    };
    const std::vector<std::pair<const char*, std::vector<Step>>> cases{
        {"one undo, one redo",
         {{'z', egg + "を取り消しますか？", 1},
          {'y', egg + "をやり直しますか？", 2},
          {'y', "nothing", 2}}},
        {"two undos are redone newest first",
         {{'z', egg + "を取り消しますか？", 1},
          {'z', rice + "を取り消しますか？", 0},
          {'y', rice + "をやり直しますか？", 1},
          {'y', egg + "をやり直しますか？", 2},
          {'z', egg + "を取り消しますか？", 1},
          {'y', egg + "をやり直しますか？", 2}}},
        {"an undo after a redo takes the change back again",
         {{'z', egg + "を取り消しますか？", 1},
          {'y', egg + "をやり直しますか？", 2},
          {'z', egg + "を取り消しますか？", 1},
          {'z', rice + "を取り消しますか？", 0},
          {'y', rice + "をやり直しますか？", 1}}},
        {"a new change ends the redo",
         {{'z', egg + "を取り消しますか？", 1},
          {'n', "", 3},
          {'y', "nothing", 3},
          {'z', "11/22 食費 夕食 300 茶 の追加を取り消しますか？", 1},
          {'y', "11/22 食費 夕食 300 茶 の追加をやり直しますか？", 3}}},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        Household h;
        std::vector<Files> states{Snapshot(h.dir)};
        ASSERT_TRUE(h.AddItem(kMonth, "261120", 100, "米").ok());
        states.push_back(Snapshot(h.dir));
        ASSERT_TRUE(h.AddItem(kMonth, "261121", 200, "卵").ok());
        states.push_back(Snapshot(h.dir));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            if (step.key == 'n') {
                ASSERT_TRUE(h.AddItem(kMonth, "261122", 300, "茶").ok());
                states.push_back(Snapshot(h.dir));
            } else {
                EXPECT_EQ(h.Step(step.key == 'y'), step.answer) << i;
            }
            EXPECT_EQ(Snapshot(h.dir), states.at(step.state)) << i;
        }
    }
}

// Another program changes a month after hanaki's last two changes: both stay
// listed, the one it followed is marked, and each undo says whose bytes it
// writes over and keeps them, so that redoing both brings them back.
TEST(Undo, aFileAnotherProgramRewroteIsNamedAndItsBytesAreKeptEitherWay) {
    const std::string outsideRecord = EncodeLedgerRecord(Item("261125", "朝食", 999, "同期"));
    const std::string warning =
        "の後に、別のプログラムが書き換えています。\nそれでも取り消して、この変更の前の内容に"
        "戻しますか？\n（別のプログラムが書き換えた内容も、変更の履歴に残ります。）";
    const std::string november = "2026年11月度のファイル(202611.DAT)は、";
    const std::string x = "11/20 食費 夕食 100 米 の追加", y = "11/21 食費 夕食 200 卵 の追加",
                      december = "12/1 食費 夕食 200 卵 の追加";
    struct Case {
        const char* name;
        int yMonth;  // where the second change is made
        std::function<void(const TempFolder&)> edit;
        bool anchorsLost;  // kept by a hanaki that kept no whole bytes
        std::vector<bool> marked;
        std::vector<std::string> answers;  // of two Ctrl+Z
    };
    const std::vector<Case> cases{
        {"appends a record to the last change's month",
         kMonth,
         [&](const TempFolder& dir) { dir.Write(kLedger, dir.Read(kLedger) + outsideRecord); },
         false,
         {false, true},
         {november + y + warning, x + "を取り消しますか？"}},
        {"rewrites that month shorter",
         kMonth,
         [&](const TempFolder& dir) { dir.Write(kLedger, outsideRecord); },
         false,
         {false, true},
         {november + y + warning, x + "を取り消しますか？"}},
        {"removes that month's file",
         kMonth,
         [&](const TempFolder& dir) { std::filesystem::remove(dir.path() + "/" + kLedger); },
         false,
         {false, true},
         {november + y + warning, x + "を取り消しますか？"}},
        {"appends to the month before the last change's",
         12,
         [&](const TempFolder& dir) { dir.Write(kLedger, dir.Read(kLedger) + outsideRecord); },
         false,
         {true, false},
         {december + "を取り消しますか？", november + x + warning}},
        {"appends, where the history kept no whole bytes",
         kMonth,
         [&](const TempFolder& dir) { dir.Write(kLedger, dir.Read(kLedger) + outsideRecord); },
         true,
         {false, true},
         {"2026年11月度のファイル(202611.DAT)は別のプログラムが書き換えたため、それより前の内容を"
          "履歴から作り直せません。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Household h;
        const Files original = Snapshot(h.dir);
        ASSERT_TRUE(h.AddItem(kMonth, "261120", 100, "米").ok());
        ASSERT_TRUE(h.AddItem(c.yMonth, c.yMonth == kMonth ? "261121" : "261201", 200, "卵").ok());
        c.edit(h.dir);
        if (c.anchorsLost) {
            for (const auto& file : std::filesystem::directory_iterator(HistoryPath(h.folder, "")))
                if (file.path().extension() == ".anchor")
                    std::filesystem::remove(file.path());
        }
        const Files outside = Snapshot(h.dir);

        const History history = ReadHistory(h.folder);
        ASSERT_EQ(history.entries.size(), c.marked.size());
        for (std::size_t i = 0; i < c.marked.size(); ++i)
            EXPECT_EQ(history.entries[i].changedOutsideAfter, c.marked[i]) << i;
        EXPECT_EQ(h.Step(false), c.answers[0]);
        if (c.answers.size() == 1) {
            EXPECT_EQ(Snapshot(h.dir), outside);
            continue;
        }
        EXPECT_EQ(h.Step(false), c.answers[1]);
        EXPECT_EQ(Snapshot(h.dir), original);
        h.Step(true);
        h.Step(true);
        EXPECT_EQ(Snapshot(h.dir), outside);
        // Thinned out a year on, the history still rebuilds the first bytes.
        const std::int64_t first = h.now;
        EXPECT_GT(PruneHistory(h.folder, h.now + 400 * kDay), 0);
        TempFolder out;
        ASSERT_EQ(RestoreFolderAsOf(h.folder, first - 3600, out.path() + "/then"), "");
        EXPECT_EQ(Snapshot(out.path() + "/then"), original);
    }
}

TEST(Restore, asOfAMomentEqualsACopyTakenThenAndBeforeAChangeUndoesAllAfterIt) {
    Household h;
    std::map<std::int64_t, Files> copies{{h.now, Snapshot(h.dir)}};
    for (int step = 1; step <= 4; ++step) {
        h.now += 3600;
        MonthLedger ledger = h.Ledger();
        if (step == 3)
            UnlinkItem(ledger, ledger.head);
        else
            AppendItem(ledger, ledger.LastSlot(), Item("261121", "昼食", step, "弁当"));
        ASSERT_TRUE(h.Save(ledger).ok());
        if (step == 2) {
            ASSERT_TRUE(WriteCarryOver(h.folder, 31, 1, 3).ok());
        }
        copies[h.now] = Snapshot(h.dir);
    }
    TempFolder out;
    int n = 0;
    for (const auto& [moment, copy] : copies) {
        const std::string to = out.path() + "/" + std::to_string(n++);
        EXPECT_EQ(RestoreFolderAsOf(h.folder, moment + 1800, to), "");
        EXPECT_EQ(Snapshot(to), copy) << moment;
    }
    // Never over the live folder or into one that holds files.
    EXPECT_NE(RestoreFolderAsOf(h.folder, h.now, h.dir.path()), "");
    EXPECT_NE(BackUpFolder(h.folder, out.path() + "/0"), "");
    EXPECT_EQ(BackUpFolder(h.folder, out.path() + "/backup"), "");
    EXPECT_EQ(Snapshot(out.path() + "/backup"), Snapshot(h.dir));
    // Restoring before the second change puts every file back, as one change.
    History history = ReadHistory(h.folder);
    EXPECT_EQ(RestoreBefore(h.folder, history, history.entries[1].change), "");
    EXPECT_EQ(Snapshot(h.dir), std::next(copies.begin())->second);
    std::optional<ChangeGroup> last = LastUndoableChange(ReadHistory(h.folder));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->entries.size(), 2u);
}

// Reads as the real file system does, but lets a running program's save land
// once, just after the month's file was read.
class SaveLandsAfterReading : public PosixFileSystem {
  public:
    explicit SaveLandsAfterReading(std::function<void()> save) : save_(std::move(save)) {}
    int ReadAll(const std::string& path, std::string& bytes) override {
        const int err = PosixFileSystem::ReadAll(path, bytes);
        if (save_ && path.ends_with("/" + kLedger))
            std::exchange(save_, nullptr)();
        return err;
    }

  private:
    std::function<void()> save_;
};

TEST(Restore, aSaveThatLandsWhileTheFolderIsReadIsNotMissed) {
    Household h;
    Files after;
    SaveLandsAfterReading files([&h, &after] {
        h.now += 3600;
        MonthLedger ledger = h.Ledger();
        AppendItem(ledger, ledger.LastSlot(), Item("261121", "昼食", 1, "弁当"));
        ASSERT_TRUE(h.Save(ledger).ok());
        after = Snapshot(h.dir);
    });
    const DataFolder reading(h.dir.path(), files, DataFolder::Access::ReadOnly);
    TempFolder out;

    EXPECT_EQ(RestoreFolderAsOf(reading, h.now + 7200, out.path() + "/now"), "");
    EXPECT_EQ(Snapshot(out.path() + "/now"), after);
}

TEST(Pruning, keepsTheLastMonthWholeThenOneADayThenOneAMonthAndEachFilesNewest) {
    Household h;
    const std::int64_t start = h.now;
    // The settings once; the ledger every other day for 400 days, twice a day in the last 40.
    ASSERT_TRUE(WriteClosingDay(h.folder, 25).ok());
    std::vector<std::int64_t> times;
    for (int day = 0; day < 400; ++day) {
        for (int n = 0; n < (day >= 360 ? 2 : day % 2); ++n) {
            h.now = start + day * kDay + n * 3600;
            times.push_back(h.now);
            MonthLedger ledger = h.Ledger();
            AppendItem(ledger, ledger.LastSlot(), Item("261120", "夕食", day * 2 + n, "x"));
            ASSERT_TRUE(h.Save(ledger).ok());
        }
    }
    TempFolder out;
    const std::int64_t aYearAgo = h.now - 364 * kDay;
    ASSERT_EQ(RestoreFolderAsOf(h.folder, aYearAgo, out.path() + "/before"), "");
    const std::uintmax_t spaceBefore = HistorySpace(h.folder);

    const int letGo = PruneHistory(h.folder, h.now);
    History history = ReadHistory(h.folder);
    EXPECT_EQ(history.unreadableLines, 0);
    EXPECT_EQ(letGo, static_cast<int>(times.size() + 1 - history.entries.size()));
    std::set<std::int64_t> kept;
    std::set<std::int64_t> periods;
    for (const HistoryEntry& entry : history.entries) {
        kept.insert(entry.time);
        const std::int64_t age = h.now - entry.time;
        if (entry.file == kLedger && age > 31 * kDay) {
            std::time_t t = entry.time;
            std::tm local{};
            localtime_r(&t, &local);
            const bool byMonth = age > 365 * kDay;
            EXPECT_TRUE(
                periods
                    .insert(local.tm_year * 1000 + (byMonth ? local.tm_mon : 100 + local.tm_yday))
                    .second)
                << "two versions of one " << (byMonth ? "month" : "day");
        }
    }
    for (std::int64_t time : times) {
        if (h.now - time <= 31 * kDay) {
            EXPECT_TRUE(kept.count(time)) << "a change of the last month let go";
        }
    }
    EXPECT_GT(letGo, 20);
    EXPECT_EQ(history.entries.front().file, "VERADIV.ENV");  // its only change stays
    EXPECT_EQ(history.entries.back().time, times.back());
    EXPECT_LT(HistorySpace(h.folder), spaceBefore);
    // Versions no line names are gone, and so are the anchors of all but each
    // file's newest change; what stays still restores right bytes.
    std::set<std::string> files, named{std::string(kHistoryIndexName)};
    for (const auto& file : std::filesystem::directory_iterator(HistoryPath(h.folder, "")))
        files.insert(file.path().filename().string());
    std::map<std::string, const HistoryEntry*> newest;
    for (const HistoryEntry& entry : history.entries) {
        if (!entry.version.starts_with('~'))
            named.insert(entry.version);
        newest[entry.file] = &entry;
    }
    for (const auto& [file, entry] : newest)
        named.insert(AnchorName(*entry));
    EXPECT_EQ(files, named);
    ASSERT_EQ(RestoreFolderAsOf(h.folder, aYearAgo, out.path() + "/after"), "");
    EXPECT_EQ(Snapshot(out.path() + "/after"), Snapshot(out.path() + "/before"));
    const std::string index = h.dir.Read(".hanaki-history/index.txt");
    EXPECT_EQ(PruneHistory(h.folder, h.now), 0);
    EXPECT_EQ(h.dir.Read(".hanaki-history/index.txt"), index);
    EXPECT_EQ(h.UndoLast(), "");
}

TEST(History, versionsKeepTheModeOfTheirFileAlsoWhereTheyAreCopies) {
    for (bool hardLinks : {true, false}) {
        SCOPED_TRACE(hardLinks ? "linked" : "copied");
        Household h;
        testing::FaultyFileSystem fs;
        if (!hardLinks)
            fs.Arm({testing::FsCall::Link, 1, EXDEV});
        DataFolder folder(h.dir.path(), fs);
        KeepHistory(folder, [] { return 1; });
        ::chmod((h.dir.path() + "/" + kLedger).c_str(), 0640);
        const std::string old = h.dir.Read(kLedger);
        MonthLedger emptied;
        emptied.onDisk = old;
        ASSERT_TRUE(SaveMonthLedger(folder, 31, kYear, kMonth, emptied).ok());
        EXPECT_EQ(fs.fired(), !hardLinks);
        History history = ReadHistory(folder);
        ASSERT_EQ(history.entries.size(), 1u);
        struct stat st;
        ASSERT_EQ(::stat(HistoryPath(folder, history.entries[0].version).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0640u);
        std::string damage;
        EXPECT_EQ(BytesBefore(folder, history, history.entries[0], damage), old);
        EXPECT_EQ(damage, "");
    }
}

TEST(History, damageIsReportedAndNeverStopsTheBook) {
    Household h;
    const Files original = Snapshot(h.dir);
    MonthLedger ledger = h.Ledger();
    ASSERT_TRUE(h.Save(MonthLedger{}).ok());  // the month file removed, kept whole
    const Files afterDelete = Snapshot(h.dir);
    // A line edited by hand, a line cut short, and a version changed behind its back.
    std::ofstream(HistoryPath(h.folder, kHistoryIndexName), std::ios::app) << "1\tx\n2\t3";
    History history = ReadHistory(h.folder);
    EXPECT_EQ(history.unreadableLines, 2);
    ASSERT_EQ(history.entries.size(), 1u);
    std::ofstream(HistoryPath(h.folder, history.entries[0].version), std::ios::app) << "!";
    EXPECT_NE(h.UndoLast().find("履歴が壊れています"), std::string::npos);
    EXPECT_EQ(Snapshot(h.dir), afterDelete);
    EXPECT_EQ(PruneHistory(h.folder, h.now + 400 * kDay), 0);

    // The book still saves, and that change is kept and undone.
    ASSERT_TRUE(h.Save(ledger).ok());
    ASSERT_TRUE(h.Save(MonthLedger{}).ok());
    EXPECT_EQ(h.UndoLast(), "");
    EXPECT_EQ(Snapshot(h.dir), original);
    EXPECT_EQ(ReadHistory(h.folder).unreadableLines, 2);
}

TEST(History, aChangeThatNeverReachedTheFileIsNeitherListedNorUndone) {
    Household h;
    const Files before = Snapshot(h.dir);
    // Kept, then the live write refused (as after a crash between the two).
    ::chmod((h.dir.path() + "/" + kLedger).c_str(), 0444);
    EXPECT_FALSE(h.Save(MonthLedger{}).ok());
    EXPECT_EQ(Snapshot(h.dir), before);
    EXPECT_TRUE(ReadHistory(h.folder).entries.empty());
    EXPECT_EQ(h.UndoLast(), "nothing");

    DataFolder readOnly(h.dir.path(), RealFileSystem(), DataFolder::Access::ReadOnly);
    KeepHistory(readOnly);
    ::chmod((h.dir.path() + "/" + kLedger).c_str(), 0644);
    ASSERT_TRUE(h.Save(MonthLedger{}).ok());
    History history = ReadHistory(readOnly);
    ASSERT_EQ(history.entries.size(), 1u);
    EXPECT_NE(UndoChange(readOnly, history, *LastUndoableChange(history)).find("読み取り専用"),
              std::string::npos);
    EXPECT_EQ(RestoreBefore(readOnly, history, 1).empty(), false);
}

}  // namespace
}  // namespace hanaki

namespace hanaki {
namespace {

TEST(Pruning, bridgesLargeDifferencesSoEveryKeptVersionStillRebuildsItsBytes) {
    Household h;
    std::map<std::int64_t, Files> copies{{h.now, Snapshot(h.dir)}};
    const std::int64_t start = h.now + 60;
    // Every item of the month changes twice a day for two months: each
    // difference too large for the index line.
    for (int day = 0; day < 60; ++day) {
        for (int n = 0; n < 2; ++n) {
            h.now = start + day * kDay + n * 3600;
            MonthLedger ledger;
            for (int i = 1; i <= 40; ++i)
                AppendItem(ledger, i - 1, Item("261120", "夕食", day * 2 + n, "x"));
            ASSERT_TRUE(h.Save(ledger).ok());
            copies[h.now] = Snapshot(h.dir);
        }
    }
    ASSERT_GT(PruneHistory(h.folder, h.now), 0);
    const History history = ReadHistory(h.folder);
    int bridged = 0;
    TempFolder out;
    for (const HistoryEntry& entry : history.entries) {
        bridged += entry.version.find(".p") != std::string::npos;
        const std::string to = out.path() + "/" + std::to_string(entry.change);
        ASSERT_EQ(RestoreFolderAsOf(h.folder, entry.time - 1, to), "");
        EXPECT_EQ(Snapshot(to), std::prev(copies.lower_bound(entry.time))->second) << entry.change;
    }
    EXPECT_GT(bridged, 0);
}

// A difference keeps exactly the bytes the change took out, wherever they lie
// against the blocks it is compared in, and rebuilds the bytes before.
TEST(History, aDifferenceKeepsOnlyTheChangedBytesWhereverTheyLie) {
    std::string month(104'000, ' ');
    for (std::size_t i = 0; i < month.size(); ++i)
        month[i] = static_cast<char>('a' + i * 7 % 26);
    struct Case {
        std::size_t at, removed;
        std::string inserted;
    };
    const Case cases[] = {{0, 1, "X"},      {255, 1, "X"},     {256, 2, "XY"},    {52'000, 104, ""},
                          {103'999, 1, ""}, {103'744, 0, "X"}, {511, 300, "XYZ"}, {0, 104'000, ""}};
    for (const Case& c : cases) {
        std::string after = month;
        after.replace(c.at, c.removed, c.inserted);
        const std::string delta = EncodeDelta(month, after);
        EXPECT_EQ(ApplyDelta(delta, after), month) << c.at;
        // The kept bytes are what was taken out, give or take letters the edit happens to repeat.
        const std::string kept = delta.substr(delta.find('\n') + 1);
        EXPECT_LE(kept.size(), c.removed) << c.at;
        EXPECT_NE(month.find(kept), std::string::npos) << c.at;
    }
}

}  // namespace
}  // namespace hanaki
