#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "data/disk/folder_lock.h"
#include "data/formats/ledger.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"
#include "import/foreign_folder.h"
#include "import/tsugite_command.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr int kConvertedYear = 99;  // 1999: the month the foreign file converts into
constexpr int kConvertedMonth = 5;
const std::string kConvertedFile = "199905.DAT";

LedgerRecord Breakfast(int amount) {
    return testing::RecordOf(
        {"990501", "02", "食費", "01", "朝食", "-" + std::to_string(amount), "パン"});
}

// A running hanaki in a child process: it holds the folder and corrects the
// month again and again, each save kept in the history, until told to stop.
class RunningHanaki {
  public:
    explicit RunningHanaki(const std::string& path) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(stop_), 0);
        ::fcntl(stop_[0], F_SETFL, O_NONBLOCK);
        pid_ = ::fork();
        if (pid_ == 0)
            Run(path, ready[1]);
        char held = 0;
        EXPECT_EQ(::read(ready[0], &held, 1), 1);
        EXPECT_EQ(held, 'y');
        ::close(ready[0]);
        ::close(ready[1]);
    }
    // A test that failed halfway leaves no writer behind.
    ~RunningHanaki() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    RunningHanaki(const RunningHanaki&) = delete;
    RunningHanaki& operator=(const RunningHanaki&) = delete;

    // True when it ended by itself with every save made.
    bool Stop() {
        int status = 0;
        const bool stopped = ::write(stop_[1], "s", 1) == 1 && ::waitpid(pid_, &status, 0) == pid_;
        pid_ = 0;
        return stopped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

  private:
    [[noreturn]] void Run(const std::string& path, int ready) {
        int failures = 0;
        {
            FolderLock lock(path, "hanaki");
            DataFolder folder(path, RealFileSystem());
            KeepHistory(folder);
            MonthLedger ledger;
            failures +=
                !lock.held() ||
                !LoadMonthLedger(folder, kMonthEnd, kConvertedYear, kConvertedMonth, ledger).ok();
            (void)!::write(ready, lock.held() ? "y" : "n", 1);
            char byte;
            for (int n = 1; ::read(stop_[0], &byte, 1) != 1 && failures < 100; ++n) {
                ReplaceItem(ledger, 1, Breakfast(100 + n));
                failures +=
                    !SaveMonthLedger(folder, kMonthEnd, kConvertedYear, kConvertedMonth, ledger)
                         .ok();
            }
        }
        ::_exit(failures == 0 ? 0 : 1);
    }

    pid_t pid_ = 0;
    int stop_[2] = {-1, -1};
};

int Convert(const std::string& source, const std::string& destination, std::string& err) {
    std::ostringstream out, errors;
    const int code = RunTsugiteCommand(
        ParseTsugiteOptions({"--source", source, "--dest", destination, "--closing-day", "31"}),
        RealFileSystem(), out, errors);
    err = errors.str();
    return code;
}

// Lines in the history's index. Not the history as read: without the lock, a
// reader may take the index before a save and the live file after it.
std::size_t IndexLines(const TempFolder& dir) {
    const std::string index = dir.Read(".hanaki-history/index.txt");
    return static_cast<std::size_t>(std::count(index.begin(), index.end(), '\n'));
}

// While hanaki writes the history, a conversion into the same folder is
// turned away before it writes a byte; the history that hanaki alone wrote
// reads whole, and once hanaki has gone the conversion is kept after it.
TEST(HistoryWriters, twoProgramsNeverWriteTheHistoryAtOnce) {
    TempFolder source, dir;
    testing::WriteFile(source.path() + "/VERADIV.DAT", testing::Sjis(testing::kForeignCategories));
    testing::WriteFile(source.path() + "/VERADIV.059", testing::ForeignDays({"0501", "0502"}));
    dir.Write(kConvertedFile, EncodeLedgerRecord(Breakfast(100)));
    const DataFolder folder = dir.folder();

    RunningHanaki hanaki(dir.path());
    // Each attempt falls between saves of hanaki's.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::size_t before = IndexLines(dir);
        std::string err;
        EXPECT_EQ(Convert(source.path(), dir.path(), err), 3) << attempt;
        EXPECT_NE(err.find("hanaki"), std::string::npos) << err;
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
        while (IndexLines(dir) == before && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_GT(IndexLines(dir), before) << "hanaki stopped saving";
    }
    ASSERT_TRUE(hanaki.Stop()) << "a save of hanaki's failed";

    History history = ReadHistory(folder);
    EXPECT_EQ(history.unreadableLines, 0);
    ASSERT_GE(history.entries.size(), 5u);
    for (std::size_t i = 0; i < history.entries.size(); ++i) {
        const HistoryEntry& entry = history.entries[i];
        EXPECT_EQ(entry.change, static_cast<long>(i) + 1) << "a second writer's number";
        EXPECT_EQ(entry.kind, ChangeKind::Correct) << entry.change;
        std::string damage;
        BytesBefore(folder, history, entry, damage);
        EXPECT_EQ(damage, "") << entry.change;
    }

    const std::string lastOfHanaki = dir.Read(kConvertedFile);
    std::string err;
    ASSERT_EQ(Convert(source.path(), dir.path(), err), 0) << err;
    EXPECT_NE(dir.Read(kConvertedFile), lastOfHanaki);
    history = ReadHistory(folder);
    ASSERT_FALSE(history.entries.empty());
    EXPECT_EQ(history.entries.back().kind, ChangeKind::Conversion);
    DataFolder undoing = dir.folder();
    KeepHistory(undoing);
    const std::optional<ChangeGroup> conversion = LastUndoableChange(history);
    ASSERT_TRUE(conversion);
    EXPECT_EQ(UndoChange(undoing, history, *conversion), "");
    EXPECT_EQ(dir.Read(kConvertedFile), lastOfHanaki);
}

// The data files of a folder by name, the history and the lock left out.
std::map<std::string, std::string> DataFiles(const TempFolder& dir) {
    std::map<std::string, std::string> files;
    for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
        if (file.is_regular_file() && !file.path().filename().string().starts_with("."))
            files[file.path().filename().string()] = dir.Read(file.path().filename().string());
    }
    return files;
}

// However many files a conversion writes, it is one change: one undo, named
// by its months and its count, takes back them all.
TEST(HistoryWriters, aConversionIsOneChangeThatOneUndoTakesBackWhole) {
    struct Case {
        std::vector<std::string> sources;
        std::string question;
    };
    const std::vector<Case> cases{
        {{"VERADIV.128", "VERADIV.019", "VERADIV.029", "VERADIV.039", "KAKMEMO.128", "KAKMEMO.019",
          "KAKMEMO.029"},
         "1998年12月度から1999年3月度までの変換(7ファイル)を取り消しますか？"},
        {{"VERADIV.059", "KAKMEMO.059"}, "1999年5月度の変換(2ファイル)を取り消しますか？"},
        {{"VERADIV.059"}, "1999年5月度の変換(上書き)を取り消しますか？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        TempFolder source, dir;
        testing::WriteFile(source.path() + "/VERADIV.DAT",
                           testing::Sjis(testing::kForeignCategories));
        for (const std::string& name : c.sources)
            source.Write(name, name.starts_with("KAKMEMO")
                                   ? std::string(240, ' ')
                                   : testing::ForeignDays({name.substr(8, 2) + "01"}));
        dir.Write(kConvertedFile, EncodeLedgerRecord(Breakfast(100)));
        const auto before = DataFiles(dir);
        std::string err;
        ASSERT_EQ(Convert(source.path(), dir.path(), err), 0) << err;
        ASSERT_NE(DataFiles(dir), before);

        DataFolder folder = dir.folder();
        KeepHistory(folder);
        const History history = ReadHistory(folder);
        EXPECT_EQ(history.entries.size(), c.sources.size());
        const std::optional<ChangeGroup> conversion = LastUndoableChange(history);
        ASSERT_TRUE(conversion);
        EXPECT_EQ(UndoQuestion(*conversion), c.question);
        EXPECT_EQ(UndoChange(folder, history, *conversion), "");
        EXPECT_EQ(DataFiles(dir), before);
        EXPECT_FALSE(LastUndoableChange(ReadHistory(folder)));
    }
}

}  // namespace
}  // namespace hanaki
