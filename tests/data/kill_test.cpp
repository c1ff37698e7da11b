#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "data/disk/stale_temporaries.h"
#include "data/formats/ledger.h"
#include "data/program/folder_copy.h"
#include "support/cp932_text.h"
#include "support/dead_process.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::DeadProcessId;
using testing::Sjis;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr int kKilledYear = 100;
constexpr int kKilledMonth = 1;
const std::string kKilledFile = "200001.DAT";

MonthLedger FullMonth(const std::string& remark) {
    MonthLedger ledger;
    for (int i = 1; i <= kLedgerSlots; ++i) {
        std::string day = std::to_string(10 + i % 19);
        AppendItem(ledger, i - 1,
                   testing::RecordOf({"0001" + day, "02", "食費", "01", "昼食",
                                      "-" + std::to_string(i), remark + std::to_string(i)}));
    }
    return ledger;
}

std::vector<std::string> TemporaryFiles(const TempFolder& dir) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("." + kKilledFile + ".hanaki~"))
            found.push_back(name);
    }
    return found;
}

// How long a forked child takes to run `work` and end. Kills are spread over
// such a span, so that they land inside the work even where starting a child
// is slow (a sanitized build, a loaded machine).
template <typename Work>
std::chrono::microseconds ForkedRunTime(Work work) {
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
}

// Saves the two versions in turn, `first` first, until killed.
[[noreturn]] void SaveForever(const DataFolder& folder, const std::string& first,
                              const std::string& second) {
    for (int n = 0;; ++n)
        folder.Replace(kKilledFile, n % 2 == 0 ? first : second);
}

TEST(KilledWriter, aKillAtAnyMomentOfASaveLeavesAWholeMonthAndTheSweepClearsWhatItLeft) {
    TempFolder dir;
    DataFolder folder = dir.folder();
    MonthLedger a = FullMonth("版A ");
    MonthLedger b = FullMonth("版B ");
    const std::string bytesA = SerializeMonthLedger(kMonthEnd, a);
    const std::string bytesB = SerializeMonthLedger(kMonthEnd, b);
    ASSERT_EQ(bytesA.size(), kLedgerRecordBytes * kLedgerSlots);
    ASSERT_TRUE(folder.Replace(kKilledFile, bytesA).ok());

    // Kills are spread over a child's start and three saves, so they land in every step.
    auto span = ForkedRunTime([&] {
                    for (int i = 0; i < 4; ++i)
                        folder.Replace(kKilledFile, i % 2 ? bytesB : bytesA);
                }) *
                3 / 4;
    span = std::clamp(span, std::chrono::microseconds(300), std::chrono::microseconds(100000));

    // A user's file that merely looks like a temporary outlives every sweep.
    const std::string lookalike = kKilledFile + ".tmp" + std::to_string(DeadProcessId()) + "-0";
    dir.Write(lookalike, "mine");

    constexpr int kKills = 240;
    int changes = 0;
    int leftovers = 0;
    std::string before = bytesA;
    for (int i = 0; i < kKills; ++i) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(folder, before == bytesA ? bytesB : bytesA,
                        before == bytesA ? bytesA : bytesB);
        std::this_thread::sleep_for(span * ((i * 37) % kKills) / kKills);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        std::string bytes = dir.Read(kKilledFile);
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
    EXPECT_EQ(dir.Read(lookalike), "mine");
    EXPECT_GT(changes, 0);
    EXPECT_GT(leftovers, 0);
}

TEST(KilledWriter, aKillAtAnyMomentOfABackupLeavesAWholeCopyOrNoneAndTheSweepClearsWhatItLeft) {
    TempFolder dir;
    const std::filesystem::path data = std::filesystem::path(dir.path()) / "data";
    const std::filesystem::path copies = std::filesystem::path(dir.path()) / "copies";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(copies);
    const DataFolder folder(data, RealFileSystem());
    ASSERT_TRUE(folder.Replace("VERADIV.DAT", Sjis("+給料\r\n基本給\r\n-食費\r\n昼食\r\n")).ok());
    ASSERT_TRUE(folder.Replace("VERADIV.ENV", " 25 \r\n").ok());
    const std::string month = SerializeMonthLedger(kMonthEnd, FullMonth("月"));
    for (const char* name : {"200001.DAT", "200002.DAT", "200003.DAT"})
        ASSERT_TRUE(folder.Replace(name, month).ok());
    const auto live = testing::Listing(data);

    // Kills spread over half as long again as a child's backup, so that some miss it.
    const auto span = std::clamp(
        ForkedRunTime([&] { BackUpFolder(folder, (copies / "timed").string()); }) * 3 / 2,
        std::chrono::microseconds(300), std::chrono::microseconds(200000));
    ASSERT_TRUE(std::filesystem::exists(copies / "timed"));
    std::filesystem::remove_all(copies / "timed");

    constexpr int kKills = 80;
    int whole = 0;
    int leftovers = 0;
    for (int i = 0; i < kKills; ++i) {
        const std::filesystem::path copy = copies / std::to_string(i);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(BackUpFolder(folder, copy.string()).empty() ? 0 : 1);
        std::this_thread::sleep_for(span * ((i * 37) % kKills) / kKills);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        if (std::filesystem::exists(copy)) {
            ASSERT_EQ(testing::Listing(copy), live) << "kill " << i;
            ++whole;
        }
        // One folder at the most, with the temporary file of the copy's last file in it.
        const int left = static_cast<int>(
            std::count_if(std::filesystem::directory_iterator(copies), {}, [](const auto& entry) {
                return entry.path().filename().string().find(".hanaki~") != std::string::npos;
            }));
        ASSERT_LE(left, 1) << "kill " << i;
        leftovers += left;
        EXPECT_EQ(RemoveStaleTemporaryFiles(RealFileSystem(), copies.string()), left);
        EXPECT_TRUE(testing::TemporariesUnder(copies).empty());
    }
    std::printf("backup kill points: %d (whole copy %d times, temporary left %d times)\n", kKills,
                whole, leftovers);
    EXPECT_GT(whole, 0);
    EXPECT_GT(leftovers, 0);
}

TEST(StaleTemporaries, onlyOurOwnTemporariesOfGoneWritersOfThisComputerAreRemoved) {
    TempFolder dir;
    const long dead = DeadProcessId();
    const std::string host = HostName();
    auto ours = [&](const std::string& target, long pid, int attempt) {
        return TemporaryFileName(target, host, pid, attempt);
    };
    struct Case {
        std::string name;
        bool removed;
    };
    const std::string deadText = std::to_string(dead);
    std::vector<Case> cases{
        {ours("200001.DAT", dead, 0), true},
        {ours("VERADIV.ENV", dead, 12), true},
        {ours("家計.pdf", dead, 1), true},
        {ours("200001.MEM", ::getppid(), 0), false},
        {ours("200001.DAT", ::getpid(), 0), false},
        {TemporaryFileName("200001.DAT", host + "-other", dead, 0), false},
        {TemporaryFileName("200001.DAT", "other-" + host, dead, 0), false},
        {ours("", dead, 0), false},
        // Users' files that only look like temporaries.
        {"notes.txt.tmp" + deadText + "-0", false},
        {"budget.xlsx.tmp99993-0", false},
        {"家計メモ.txt.tmp" + deadText + "-0", false},
        {"200001.DAT.tmp" + deadText + "-0", false},
        {"200001.DAT", false},
        {ours("200001.DAT", dead, 0) + "~", false},
        {"200001.DAT.hanaki~" + host + "~" + deadText + "-0.tmp", false},
        {".200001.DAT.hanaki~" + host + "~" + deadText + ".tmp", false},
        {".200001.DAT.hanaki~" + host + "~99999999999999999999-1.tmp", false},
    };
    for (const Case& c : cases)
        dir.Write(c.name, "x");
    // Copies a killed backup left: of files only, as it writes them, or holding a folder.
    for (const std::string copy : {"abandoned", "with a folder"}) {
        const std::filesystem::path folder =
            std::filesystem::path(dir.path()) / ours(copy, dead, 3);
        std::filesystem::create_directories(folder / (copy == "abandoned" ? "" : "mine"));
        testing::WriteFile(folder / "200001.DAT", "x");
        testing::WriteFile(folder / ours("200001.DAT", dead, 0), "x");
    }
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.folder()), 4);
    for (const Case& c : cases)
        EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
    EXPECT_FALSE(dir.Exists(ours("abandoned", dead, 3)));
    EXPECT_TRUE(dir.Exists(ours("with a folder", dead, 3) + "/200001.DAT"));
}

}  // namespace
}  // namespace hanaki
