#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "data/ledger.h"
#include "data/stale_temporaries.h"
#include "support/dead_process.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::DeadProcessId;
using testing::Sjis;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr int kYear = 100;
constexpr int kMonth = 1;
const std::string kTarget = "200001.DAT";

MonthLedger FullMonth(const std::string& remark) {
    MonthLedger ledger;
    for (int i = 1; i <= kLedgerSlots; ++i) {
        std::string day = std::to_string(10 + i % 19);
        LedgerRecord record{"0001" + day,
                            "02",
                            Sjis("食費"),
                            "01",
                            Sjis("昼食"),
                            "-" + std::to_string(i),
                            Sjis(remark) + std::to_string(i)};
        AppendItem(ledger, i - 1, record);
    }
    return ledger;
}

std::vector<std::string> TemporaryFiles(const TempFolder& dir) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(kTarget + ".tmp"))
            found.push_back(name);
    }
    return found;
}

// Saves the two versions in turn, `first` first, until killed.
[[noreturn]] void SaveForever(const DataFolder& folder, const MonthLedger& first,
                              const MonthLedger& second) {
    for (int n = 0;; ++n)
        SaveMonthLedger(folder, kMonthEnd, kYear, kMonth, n % 2 == 0 ? first : second);
}

TEST(KilledWriter, aKillAtAnyMomentOfASaveLeavesAWholeMonthAndTheSweepClearsWhatItLeft) {
    TempFolder dir;
    DataFolder folder = dir.folder();
    MonthLedger a = FullMonth("版A ");
    MonthLedger b = FullMonth("版B ");
    const std::string bytesA = SerializeMonthLedger(kMonthEnd, a);
    const std::string bytesB = SerializeMonthLedger(kMonthEnd, b);
    ASSERT_EQ(bytesA.size(), kLedgerRecordBytes * kLedgerSlots);
    ASSERT_TRUE(SaveMonthLedger(folder, kMonthEnd, kYear, kMonth, a).ok());

    // Kills are spread over three saves' time, so they land in every step.
    Clock::time_point start = Clock::now();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(SaveMonthLedger(folder, kMonthEnd, kYear, kMonth, i % 2 ? a : b).ok());
    auto span = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) * 3 / 4;
    span = std::clamp(span, std::chrono::microseconds(300), std::chrono::microseconds(100000));

    constexpr int kKills = 240;
    int changes = 0;
    int leftovers = 0;
    std::string before = bytesA;
    for (int i = 0; i < kKills; ++i) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(folder, before == bytesA ? b : a, before == bytesA ? a : b);
        std::this_thread::sleep_for(span * ((i * 37) % kKills) / kKills);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        std::string bytes = dir.Read(kTarget);
        ASSERT_TRUE(bytes == bytesA || bytes == bytesB) << "kill " << i << ": " << bytes.size();
        changes += bytes != before;
        before = bytes;
        std::vector<std::string> temporaries = TemporaryFiles(dir);
        ASSERT_LE(temporaries.size(), 1u) << "kill " << i;
        leftovers += static_cast<int>(temporaries.size());
        EXPECT_EQ(RemoveStaleTemporaryFiles(folder), static_cast<int>(temporaries.size()));
        EXPECT_TRUE(TemporaryFiles(dir).empty());
    }
    std::printf("kill points: %d (file replaced %d times, temporary left %d times)\n", kKills,
                changes, leftovers);
    RecordProperty("kill_points", kKills);
    EXPECT_GT(changes, 0);
    EXPECT_GT(leftovers, 0);
}

TEST(StaleTemporaries, onlyFilesOfWritersThatNoLongerRunAreRemoved) {
    TempFolder dir;
    std::string dead = std::to_string(DeadProcessId());
    std::string alive = std::to_string(::getppid());
    std::string own = std::to_string(::getpid());
    struct Case {
        std::string name;
        bool removed;
    };
    std::vector<Case> cases{
        {"200001.DAT.tmp" + dead + "-0", true},
        {"VERADIV.ENV.tmp" + dead + "-12", true},
        {"200001.MEM.tmp" + alive + "-0", false},
        {"200001.DAT.tmp" + own + "-0", false},
        {"200001.DAT", false},
        {"200001.DAT.tmp", false},
        {"200001.DAT.tmp" + dead, false},
        {"200001.DAT.tmp" + dead + "-", false},
        {"200001.DAT.tmpx" + dead + "-1", false},
        {".tmp" + dead + "-1", false},
        {"200001.DAT.tmp99999999999999999999-1", false},
    };
    for (const Case& c : cases)
        dir.Write(c.name, "x");
    std::filesystem::create_directory(std::filesystem::path(dir.path()) /
                                      ("old.tmp" + dead + "-3"));

    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.folder()), 2);
    for (const Case& c : cases)
        EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
    EXPECT_TRUE(dir.Exists("old.tmp" + dead + "-3"));
}

}  // namespace
}  // namespace hanaki
