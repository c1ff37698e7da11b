#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "data/formats/ledger.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Fault;
using testing::FaultKind;
using testing::FaultyFileSystem;
using testing::FsCall;
using testing::Sjis;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr int kHistoryYear = 126;
constexpr int kHistoryMonth = 11;
const std::string kHistoryFile = "202611.DAT";

MonthLedger Month(int items, const std::string& remark) {
    MonthLedger ledger;
    for (int i = 1; i <= items; ++i)
        AppendItem(
            ledger, i - 1,
            testing::RecordOf({"2611" + std::to_string(10 + i % 19), "02", "食費", "01", "昼食",
                               "-" + std::to_string(i), remark + std::to_string(i)}));
    return ledger;
}

std::vector<Fault> HistoryFaultsFor(FsCall call, int nth) {
    std::vector<Fault> faults{{call, nth, ENOSPC, FaultKind::Error},
                              {call, nth, EIO, FaultKind::Error}};
    if (call == FsCall::Write)
        faults.push_back({call, nth, 0, FaultKind::ShortWrite});
    if (call == FsCall::Link)
        faults.push_back({call, nth, EXDEV, FaultKind::Error});
    return faults;
}

// The folder holds the old month; `history` says whether it already has a history.
struct Folder {
    TempFolder dir;
    Folder(bool history, const std::string& old) {
        dir.Write(kHistoryFile, old);
        if (history) {
            DataFolder folder = dir.folder();
            KeepHistory(folder, [] { return 1; });
            EXPECT_TRUE(folder.Replace("VERADIV.ENV", " 31 \r\n").ok());
        }
    }
    std::vector<std::string> Temporaries() const {
        std::vector<std::string> found;
        for (const auto& file : std::filesystem::recursive_directory_iterator(dir.path())) {
            if (file.path().filename().string().find(".tmp") != std::string::npos)
                found.push_back(file.path().string());
        }
        return found;
    }
};

// After a save that failed or succeeded, the live file is old or new and the
// history agrees: a change that took place is undone to the old bytes, one
// that did not is not offered.
void ExpectConsistent(const Folder& f, const std::string& old, const std::string& renewed,
                      bool removal) {
    DataFolder folder = f.dir.folder();
    KeepHistory(folder, [] { return 3; });
    const bool changed =
        removal ? !f.dir.Exists(kHistoryFile) : f.dir.Read(kHistoryFile) == renewed;
    ASSERT_TRUE(changed || f.dir.Read(kHistoryFile) == old);
    History history = ReadHistory(folder);
    for (const HistoryEntry& entry : history.entries) {
        std::string damage;
        BytesBefore(folder, history, entry, damage);
        EXPECT_EQ(damage, "") << entry.change;
    }
    std::optional<ChangeGroup> last = LastUndoableChange(history);
    const bool offered = last && last->entries.front().file == kHistoryFile;
    ASSERT_EQ(offered, changed);
    if (changed) {
        EXPECT_EQ(UndoChange(folder, history, *last), "");
        EXPECT_EQ(f.dir.Read(kHistoryFile), old);
    }
}

// Saves `ledger` over whatever the month's file holds now, as a month just loaded would.
IoResult SaveOverFile(const DataFolder& folder, MonthLedger ledger) {
    folder.Read(LedgerFileName(kHistoryYear, kHistoryMonth), ledger.onDisk);
    return SaveMonthLedger(folder, kMonthEnd, kHistoryYear, kHistoryMonth, ledger);
}

TEST(HistoryFaults, everyFailedStepLeavesOldOrNewBytesAndAHistoryThatRestoresOnlyRightOnes) {
    const std::string old = SerializeMonthLedger(kMonthEnd, Month(5, "旧"));
    const MonthLedger edited = Month(6, "旧");
    const std::string renewed = SerializeMonthLedger(kMonthEnd, edited);
    int faultPoints = 0;
    for (bool removal : {false, true}) {
        for (bool history : {false, true}) {
            SCOPED_TRACE(std::string(removal ? "removal" : "replacement") +
                         (history ? " with a history" : " first change"));
            auto save = [&](FileSystem& fs, const std::string& root) {
                DataFolder folder(root, fs);
                KeepHistory(folder, [] { return 2; });
                return SaveOverFile(folder, removal ? MonthLedger{} : edited);
            };
            FaultyFileSystem counter;
            {
                Folder clean(history, old);
                ASSERT_TRUE(save(counter, clean.dir.path()).ok());
            }
            for (FsCall call : testing::kAllFsCalls) {
                for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
                    for (const Fault& fault : HistoryFaultsFor(call, nth)) {
                        SCOPED_TRACE(std::string(testing::NameOf(call)) + " #" +
                                     std::to_string(nth) + " errno " + std::to_string(fault.error));
                        Folder f(history, old);
                        FaultyFileSystem fs;
                        fs.Arm(fault);
                        IoResult result = save(fs, f.dir.path());
                        ++faultPoints;
                        EXPECT_TRUE(f.Temporaries().empty());
                        // A folder sync that failed is told, and the change stands.
                        const bool unconfirmed =
                            !result.ok() && result.error->step == IoStep::SyncFolder;
                        if ((result.ok() || unconfirmed) && !removal) {
                            EXPECT_EQ(f.dir.Read(kHistoryFile), renewed);
                        }
                        if (!result.ok() && !unconfirmed) {
                            EXPECT_TRUE(f.dir.Exists(kHistoryFile));
                            EXPECT_EQ(f.dir.Read(kHistoryFile), old);
                        }
                        ExpectConsistent(f, old, renewed, removal);
                        // The retry is kept and undone like any change.
                        fs.Disarm();
                        ASSERT_TRUE(save(fs, f.dir.path()).ok());
                        ExpectConsistent(f, old, renewed, removal);
                    }
                }
            }
        }
    }
    std::printf("history fault points injected: %d\n", faultPoints);
    EXPECT_GT(faultPoints, 100);
}

[[noreturn]] void SaveForever(const std::string& root, const MonthLedger& first,
                              const MonthLedger& second) {
    DataFolder folder = DataFolder(root, RealFileSystem());
    KeepHistory(folder);
    for (int n = 0;; ++n)
        SaveOverFile(folder, n % 2 == 0 ? first : second);
}

TEST(HistoryKills, aKillAtAnyStepLeavesAWholeMonthWhoseLastChangeUndoesToTheOtherOne) {
    TempFolder dir;
    DataFolder folder = dir.folder();
    KeepHistory(folder);
    const MonthLedger a = Month(1000, "版A ");
    const MonthLedger b = Month(1000, "版B ");
    const std::string bytesA = SerializeMonthLedger(kMonthEnd, a);
    const std::string bytesB = SerializeMonthLedger(kMonthEnd, b);
    ASSERT_TRUE(SaveOverFile(folder, a).ok());

    Clock::time_point start = Clock::now();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(SaveOverFile(folder, i % 2 ? a : b).ok());
    auto span = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) * 3 / 4;
    span = std::clamp(span, std::chrono::microseconds(300), std::chrono::microseconds(100000));

    constexpr int kKills = 80;
    for (int i = 0; i < kKills; ++i) {
        const std::string before = dir.Read(kHistoryFile);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(dir.path(), before == bytesA ? b : a, before == bytesA ? a : b);
        std::this_thread::sleep_for(span * ((i * 37) % kKills) / kKills);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::string live = dir.Read(kHistoryFile);
        ASSERT_TRUE(live == bytesA || live == bytesB) << "kill " << i;
        History history = ReadHistory(folder);
        ASSERT_FALSE(history.entries.empty());
        const HistoryEntry& last = history.entries.back();
        EXPECT_EQ(last.after, Fingerprint(live)) << "kill " << i;
        std::string damage;
        std::optional<std::string> previous = BytesBefore(folder, history, last, damage);
        EXPECT_EQ(damage, "") << "kill " << i;
        if (previous) {
            EXPECT_EQ(*previous, live == bytesA ? bytesB : bytesA) << "kill " << i;
        }
    }
    std::printf("history kill points: %d, changes kept: %zu\n", kKills,
                ReadHistory(folder).entries.size());
}

}  // namespace
}  // namespace hanaki
