#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include "data/disk/folder_lock.h"
#include "data/disk/stale_temporaries.h"
#include "data/formats/category_table.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "data/program/folder_copy.h"
#include "export/csv_export.h"
#include "import/conversion.h"
#include "import/tsugite_command.h"
#include "support/cp932_text.h"
#include "support/dead_process.h"
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

LedgerRecord Item(int day, int n) {
    std::string dd = (day < 10 ? "0" : "") + std::to_string(day);
    return testing::RecordOf({"0001" + dd, "02", "食費", "01", "朝食",
                              "-" + std::to_string(100 + n), "パン " + std::to_string(n)});
}

std::string LedgerOf(int count) {
    MonthLedger ledger;
    for (int i = 1; i <= count; ++i)
        AppendItem(ledger, i - 1, Item(1 + i % 28, i));
    return SerializeMonthLedger(kMonthEnd, ledger);
}

constexpr int kYear = 100;
constexpr int kMonth = 1;

// What a program holds in memory and the one save it makes of it.
using Save = std::function<IoResult(const DataFolder&)>;

Save AddLedgerItem(const DataFolder& folder) {
    auto ledger = std::make_shared<MonthLedger>();
    EXPECT_TRUE(LoadMonthLedger(folder, kMonthEnd, kYear, kMonth, *ledger).ok());
    int after = ledger->LastSlot();
    AppendItem(*ledger, after, Item(28, 9999));
    return [ledger](const DataFolder& f) {
        return SaveMonthLedger(f, kMonthEnd, kYear, kMonth, *ledger);
    };
}

Save DeleteOnlyLedgerItem(const DataFolder& folder) {
    auto ledger = std::make_shared<MonthLedger>();
    EXPECT_TRUE(LoadMonthLedger(folder, kMonthEnd, kYear, kMonth, *ledger).ok());
    UnlinkItem(*ledger, ledger->head);
    return [ledger](const DataFolder& f) {
        return SaveMonthLedger(f, kMonthEnd, kYear, kMonth, *ledger);
    };
}

Save EditMemo(const DataFolder& folder, bool eraseAll) {
    auto memo = std::make_shared<MemoMonth>();
    EXPECT_TRUE(LoadMemo(folder, 25, kYear, kMonth, *memo).ok());
    if (eraseAll) {
        for (int day = 1; day <= 31; ++day)
            memo->SetLines(day, {});
    } else {
        memo->SetLines(3, {Sjis("歯医者 10時"), "", Sjis("忘れずに")});
    }
    return [memo](const DataFolder& f) { return SaveMemo(f, 25, kYear, kMonth, *memo); };
}

std::string MemoOf(int days) {
    MemoMonth memo;
    for (int day = 1; day <= days; ++day)
        memo.SetLines(day, {Sjis("買い物"), "", ""});
    return SerializeMemo(25, kYear, kMonth, memo);
}

std::string OldCategoryFile() {
    return Sjis("+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n");
}

Save EditCategories(const DataFolder& folder) {
    auto table = std::make_shared<CategoryTable>();
    EXPECT_TRUE(LoadCategoryTable(folder, *table).ok());
    table->names[3] = Sjis("住居");
    table->kinds[3] = CategoryKind::Expense;
    table->descriptions[3][1] = Sjis("家賃");
    table->descriptions[2][3] = Sjis("夕食");
    return [table](const DataFolder& f) { return SaveCategoryTable(f, *table); };
}

Save EditBudgets(const DataFolder& folder) {
    auto settings = std::make_shared<Settings>();
    SettingsReading reading;
    EXPECT_TRUE(LoadSettings(folder, *settings, reading).ok());
    settings->budgets[2] = "45000";
    settings->summaryFlags[5] = 0;
    return [settings](const DataFolder& f) { return WriteBudgets(f, *settings); };
}

// What the user is told after one save: nothing, or a sentence per failure.
struct Outcome {
    std::vector<IoError> errors;  // when the writer reports them one by one
    std::vector<std::string> messages;
    bool ok() const { return messages.empty(); }
};

// One user action that writes files, over any file system. The in-memory
// state it works from is built once and kept, so a repeat proves it whole.
using Action = std::function<Outcome(FileSystem&)>;

struct Scenario {
    std::string name;
    std::map<std::string, std::string> before;  // files of the test folder
    std::vector<std::string> targets;           // files the action writes
    std::function<Action(const std::string& root)> prepare;
};

Scenario DataCore(std::string name, std::string target, std::optional<std::string> old,
                  std::function<Save(const DataFolder&)> prepare) {
    std::map<std::string, std::string> before;
    if (old)
        before[target] = *old;
    return {std::move(name), before, {target}, [prepare](const std::string& root) -> Action {
                Save save = prepare(DataFolder(root, RealFileSystem()));
                return [save, root](FileSystem& fs) {
                    IoResult result = save(DataFolder(root, fs));
                    if (result.ok())
                        return Outcome{};
                    return Outcome{{*result.error}, {DescribeIoError(*result.error)}};
                };
            }};
}

std::string ForeignRecord(const std::string& mmdd, const std::string& amount) {
    return FitField(mmdd, 4) + "0201" + FitField(amount, 9) + FitField(Sjis("外食"), 23);
}

Scenario CsvExport() {
    return {"csv export of two months",
            {{"data/199905.DAT", LedgerOf(3)},
             {"data/199906.DAT", LedgerOf(2)},
             {"csv/199905.CSV", "old export\r\n"}},
            {"csv/199905.CSV", "csv/199906.CSV"},
            [](const std::string& root) -> Action {
                CategoryTable categories;
                ParseCategoryFile(OldCategoryFile(), categories);
                return [categories, root](FileSystem& fs) {
                    CsvExportResult result =
                        ExportFolderToCsv(fs, root + "/data", root + "/csv", categories);
                    return Outcome{{}, result.failures};
                };
            }};
}

Scenario Conversion() {
    return {"conversion of a foreign month and its memo",
            {{"src/VERADIV.DAT", OldCategoryFile()},
             {"src/VERADIV.059", ForeignRecord("0428", "-1200") + ForeignRecord("0503", "-800")},
             {"src/KAKMEMO.059", MemoOf(2)},
             {"dst/199905.DAT", LedgerOf(1)}},
            {"dst/199905.DAT", "dst/199905.MEM"},
            [](const std::string& root) -> Action {
                return [root](FileSystem& fs) {
                    Outcome outcome;
                    PlanResult planned = PlanConversion({root + "/src", root + "/dst", 25}, fs);
                    if (!planned.plan) {
                        outcome.messages.push_back(planned.refusal->text);
                        return outcome;
                    }
                    for (const ConversionMessage& message :
                         CarryOutConversion(*planned.plan, fs).messages) {
                        if (message.text.starts_with("ファイル "))
                            outcome.messages.push_back(message.text);
                    }
                    return outcome;
                };
            }};
}

const std::string kFullSettings =
    " 25 \r\n3,1\r\n50000,30000,,,,,,,,,,,,,,,,,,\r\n1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n";

std::vector<Scenario> Scenarios() {
    auto memo = [](bool eraseAll) {
        return [eraseAll](const DataFolder& f) { return EditMemo(f, eraseAll); };
    };
    auto fixed = [](Save save) { return [save](const DataFolder&) { return save; }; };
    return {
        DataCore("ledger, new item in a month with items", "200001.DAT", LedgerOf(3),
                 AddLedgerItem),
        DataCore("ledger, first item of a month", "200001.DAT", std::nullopt, AddLedgerItem),
        DataCore("ledger, 1000th item", "200001.DAT", LedgerOf(999), AddLedgerItem),
        DataCore("ledger, deleting the only item", "200001.DAT", LedgerOf(1), DeleteOnlyLedgerItem),
        DataCore("memo, new day", "200001.MEM", MemoOf(2), memo(false)),
        DataCore("memo, first memo of a month", "200001.MEM", std::nullopt, memo(false)),
        DataCore("memo, all erased", "200001.MEM", MemoOf(5), memo(true)),
        DataCore("category master", "VERADIV.DAT", OldCategoryFile(), EditCategories),
        DataCore("settings, closing day on the first run", "VERADIV.ENV", std::nullopt,
                 fixed([](const DataFolder& f) { return WriteClosingDay(f, 25); })),
        DataCore("settings, carry-over", "VERADIV.ENV", " 25 \r\n",
                 fixed([](const DataFolder& f) { return WriteCarryOver(f, 25, 3, 1); })),
        DataCore("settings, budgets", "VERADIV.ENV", kFullSettings, EditBudgets),
        CsvExport(),
        Conversion(),
    };
}

// The errors each call meets in the field.
std::vector<Fault> FaultsFor(FsCall call, int nth) {
    auto error = [&](int code) { return Fault{call, nth, code, FaultKind::Error}; };
    switch (call) {
        case FsCall::CreateExclusive:
            return {error(EACCES), error(EROFS), error(ENOSPC), error(EEXIST)};
        case FsCall::Write:
            return {error(ENOSPC),
                    error(EIO),
                    error(EDQUOT),
                    {call, nth, 0, FaultKind::ShortWrite},
                    {call, nth, ENOSPC, FaultKind::PartialThenError}};
        case FsCall::Sync:
        case FsCall::SyncFileSystem:
            return {error(EIO), error(ENOSPC)};
        case FsCall::Close:
            return {error(EIO), error(ENOSPC)};
        case FsCall::Rename:
            return {error(EACCES), error(EIO), error(ENOSPC)};
        case FsCall::Remove:
            return {error(EACCES), error(EIO), error(EROFS)};
        case FsCall::SyncDirectory:
            return {error(EIO)};
        case FsCall::ReadAll:
            return {error(EIO), error(EACCES)};
        case FsCall::Status:
            return {error(EIO), error(EACCES)};
        case FsCall::SetMode:
            return {error(EPERM), error(EIO)};
        case FsCall::SetOwner:
            return {error(EPERM)};
        case FsCall::Link:
            return {error(ENOSPC), error(EXDEV)};
        case FsCall::OpenForAppend:
        case FsCall::MakeFolder:
            return {error(ENOSPC), error(EACCES)};
        case FsCall::RemoveFolder:
            return {error(EIO), error(EACCES)};
    }
    return {};
}

// A failed folder sync leaves the renamed file in place, a group the process
// may not give leaves the file its own, and a name taken by someone else's
// temporary file is only a reason to pick the next name.
bool SaveSurvives(const Fault& fault) {
    return fault.call == FsCall::SyncDirectory || fault.call == FsCall::SetOwner ||
           (fault.call == FsCall::CreateExclusive && fault.error == EEXIST) ||
           (fault.call == FsCall::Link && fault.error == EXDEV);
}

using Files = std::map<std::string, std::optional<std::string>>;

// A user's file whose name only looks like a temporary of a writer that is gone.
const std::string kLookalike = "notes.txt.tmp" + std::to_string(testing::DeadProcessId()) + "-0";

class Workspace {
  public:
    explicit Workspace(const Scenario& scenario) {
        dir_.Write(kLookalike, "mine");
        for (const auto& [name, bytes] : scenario.before) {
            MakeFolderFor(name);
            dir_.Write(name, bytes);
        }
        for (const std::string& name : scenario.targets)
            MakeFolderFor(name);
    }
    std::string root() const { return dir_.path(); }
    bool LookalikeKept() const { return dir_.Read(kLookalike) == "mine"; }

    Files Targets(const Scenario& scenario) const {
        Files files;
        for (const std::string& name : scenario.targets)
            files[name] = dir_.Exists(name) ? std::optional(dir_.Read(name)) : std::nullopt;
        return files;
    }
    std::vector<std::string> TemporaryFiles() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root())) {
            if (entry.path().filename().string().find(".hanaki~") != std::string::npos)
                found.push_back(entry.path().string());
        }
        return found;
    }

  private:
    void MakeFolderFor(const std::string& name) const {
        std::filesystem::create_directories((std::filesystem::path(root()) / name).parent_path());
    }
    TempFolder dir_;
};

// A whole old or a whole new file, and the user told about each one left old
// (a source that could not be read is named instead of its target).
void ExpectOldOrNew(const Files& now, const Files& old, const Files& renewed,
                    const Outcome& outcome, const std::string& root, bool readFailed) {
    for (const auto& [name, bytes] : now) {
        EXPECT_TRUE(bytes == old.at(name) || bytes == renewed.at(name)) << name;
        if (bytes != renewed.at(name) && !outcome.errors.empty() && !readFailed) {
            bool named = false;
            for (const IoError& error : outcome.errors)
                named |= error.path == root + "/" + name;
            EXPECT_TRUE(named) << name << " stayed old without its own message";
        }
    }
    for (const std::string& message : outcome.messages) {
        EXPECT_NE(message.find("ファイル " + root + "/"), std::string::npos) << message;
        EXPECT_NE(message.find("ませんでした。\n理由: "), std::string::npos) << message;
        EXPECT_EQ(message.find("エラー番号"), std::string::npos) << message;
    }
}

TEST(FaultInjection, everyFailedStepOfEverySaveLeavesTheOldFileAndTheNextSaveWritesTheNewOne) {
    int faultPoints = 0;
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        // A clean run tells the new files and how many calls of each kind they take.
        FaultyFileSystem counter;
        Files old, renewed;
        {
            Workspace clean(scenario);
            old = clean.Targets(scenario);
            ASSERT_TRUE(scenario.prepare(clean.root())(counter).ok());
            renewed = clean.Targets(scenario);
        }
        for (const auto& [name, bytes] : renewed)
            ASSERT_NE(bytes, old[name]) << name;

        for (FsCall call : testing::kAllFsCalls) {
            for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
                for (const Fault& fault : FaultsFor(call, nth)) {
                    SCOPED_TRACE(std::string(testing::NameOf(call)) + " #" + std::to_string(nth) +
                                 " errno " + std::to_string(fault.error) + " kind " +
                                 std::to_string(static_cast<int>(fault.kind)));
                    Workspace work(scenario);
                    Action action = scenario.prepare(work.root());
                    FaultyFileSystem fs;
                    fs.Arm(fault);
                    Outcome outcome = action(fs);
                    if (!fs.fired())
                        continue;
                    ++faultPoints;
                    EXPECT_TRUE(work.TemporaryFiles().empty());
                    RemoveStaleTemporaryFiles(fs, work.root());
                    EXPECT_TRUE(work.LookalikeKept());
                    if (SaveSurvives(fault)) {
                        // A folder sync that failed after the rename is told, not hidden.
                        EXPECT_EQ(outcome.ok(), fault.call != FsCall::SyncDirectory);
                        EXPECT_EQ(work.Targets(scenario), renewed);
                        continue;
                    }
                    EXPECT_FALSE(outcome.ok());
                    ExpectOldOrNew(work.Targets(scenario), old, renewed, outcome, work.root(),
                                   call == FsCall::ReadAll);
                    if (scenario.targets.size() == 1) {
                        EXPECT_EQ(work.Targets(scenario), old);
                    }

                    fs.Disarm();
                    EXPECT_TRUE(action(fs).ok());
                    EXPECT_EQ(work.Targets(scenario), renewed);
                    EXPECT_TRUE(work.TemporaryFiles().empty());
                }
            }
        }
    }
    // The count goes into the test log for the release notes.
    RecordProperty("fault_points", faultPoints);
    std::printf("fault points injected: %d\n", faultPoints);
    EXPECT_GT(faultPoints, 250);
}

mode_t ModeOf(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

gid_t GroupOf(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_gid : 0;
}

// Sets the umask for one scope.
class Umask {
  public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

  private:
    mode_t old_;
};

TEST(FilePermissions, aSaveKeepsTheModeAndGroupItReplacesAndANewFileFollowsTheUmask) {
    // The superuser may hand a file any group; anyone else keeps their own.
    const gid_t group = ::geteuid() == 0 ? 4242 : ::getegid();
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        for (auto [mode, mask] : {std::pair<mode_t, mode_t>{0600, 077}, {0664, 002}}) {
            Workspace work(scenario);
            for (const auto& [name, bytes] : scenario.before) {
                std::string path = work.root() + "/" + name;
                ASSERT_EQ(::chown(path.c_str(), static_cast<uid_t>(-1), group), 0);
                ASSERT_EQ(::chmod(path.c_str(), mode), 0);
            }
            Umask umask(mask);
            FaultyFileSystem fs;
            ASSERT_TRUE(scenario.prepare(work.root())(fs).ok());
            for (const auto& [name, bytes] : work.Targets(scenario)) {
                std::string path = work.root() + "/" + name;
                if (!scenario.before.count(name)) {
                    EXPECT_EQ(ModeOf(path), 0666 & ~mask) << name;
                } else if (bytes) {  // not removed with its last item
                    EXPECT_EQ(ModeOf(path), mode) << name;
                    EXPECT_EQ(GroupOf(path), group) << name;
                }
            }
        }
    }
}

// The superuser passes every permission check, so for it the bits are what
// count; a file of another user is what a user without the superuser meets.
TEST(FilePermissions, aFileOrFolderThatMayNotBeWrittenIsReportedAndLeftAsItIs) {
    enum class Made { FileBits0444, OthersFile, FolderBits0555 };
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        for (Made made : {Made::FileBits0444, Made::OthersFile, Made::FolderBits0555}) {
            Workspace work(scenario);
            FaultyFileSystem fs;
            std::vector<std::string> refused;
            for (const std::string& name : scenario.targets) {
                std::string path = work.root() + "/" + name;
                if (made == Made::FolderBits0555) {
                    ASSERT_EQ(::chmod(std::filesystem::path(path).parent_path().c_str(), 0555), 0);
                } else if (!scenario.before.count(name)) {
                    continue;
                } else if (made == Made::FileBits0444) {
                    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
                } else {
                    fs.PretendReadOnly(path);
                }
                refused.push_back(path);
            }
            Files old = work.Targets(scenario);
            Outcome outcome = scenario.prepare(work.root())(fs);

            const std::string reason = made == Made::FolderBits0555 ? "書き込みが許可されていません"
                                                                    : "読み取り専用のファイルです";
            ASSERT_EQ(outcome.messages.size(), refused.size());
            for (std::size_t i = 0; i < refused.size(); ++i) {
                const std::string& message = outcome.messages[i];
                const std::string verb =
                    message.find("を削除") != std::string::npos ? "を削除でき" : "に書き込め";
                // Only an older file can be said to stay as it was.
                const bool older = scenario.before.count(
                    std::filesystem::path(refused[i]).lexically_relative(work.root()).string());
                EXPECT_EQ(message, "ファイル " + refused[i] + " " + verb +
                                       "ませんでした。\n理由: " + reason + "。" +
                                       (older ? "\nファイルは変更前のまま残っています。" : ""));
            }
            Files now = work.Targets(scenario);
            for (const auto& [name, bytes] : now) {
                if (std::count(refused.begin(), refused.end(), work.root() + "/" + name)) {
                    EXPECT_EQ(bytes, old.at(name)) << name;
                }
            }
            EXPECT_TRUE(work.TemporaryFiles().empty());
            for (const std::string& path : refused)
                ::chmod(std::filesystem::path(path).parent_path().c_str(), 0755);
        }
    }
}

TEST(ReadOnlyFolder, aFolderWithoutWriteBitsIsOpenedForReadingEvenByTheSuperuser) {
    TempFolder dir;
    dir.Write("a-file", "x");
    std::filesystem::create_directory(dir.path() + "/locked");
    ::chmod((dir.path() + "/locked").c_str(), 0555);
    // A missing folder is refused at start, not opened.
    for (const char* name : {"locked", ".", "missing", "a-file"})
        EXPECT_EQ(IsReadOnlyFolder(RealFileSystem(), dir.path() + "/" + name),
                  name == std::string("locked"))
            << name;
}

TEST(FaultInjection, aFileThatCannotBeReadLeavesWhatIsInMemoryAsItWas) {
    TempFolder dir;
    dir.Write("200001.DAT", LedgerOf(3));
    dir.Write("200001.MEM", MemoOf(2));
    dir.Write("VERADIV.DAT", OldCategoryFile());
    dir.Write("VERADIV.ENV", kFullSettings);

    MonthLedger ledger;
    AppendItem(ledger, 0, Item(5, 1));
    MemoMonth memo;
    memo.SetLines(4, {"a", "b", "c"});
    CategoryTable categories;
    categories.names[1] = "x";
    Settings settings;
    settings.closingDay = 10;
    SettingsReading reading;

    struct Load {
        std::string name;
        std::function<IoResult(const DataFolder&)> run;
        std::function<bool()> unchanged;
    };
    std::vector<Load> loads{
        {"200001.DAT",
         [&](const DataFolder& f) { return LoadMonthLedger(f, kMonthEnd, kYear, kMonth, ledger); },
         [&] {
             return ledger.head == 1 && ledger.nextFree == 2 &&
                    ledger.entries[1].record == Item(5, 1);
         }},
        {"200001.MEM", [&](const DataFolder& f) { return LoadMemo(f, 25, kYear, kMonth, memo); },
         [&] { return memo.InUse(4) && memo.LinesOf(4)[1] == "b"; }},
        {"VERADIV.DAT", [&](const DataFolder& f) { return LoadCategoryTable(f, categories); },
         [&] { return categories.names[1] == "x"; }},
        {"VERADIV.ENV", [&](const DataFolder& f) { return LoadSettings(f, settings, reading); },
         [&] { return settings.closingDay == 10; }},
    };
    for (const Load& load : loads) {
        SCOPED_TRACE(load.name);
        FaultyFileSystem fs;
        fs.Arm({FsCall::ReadAll, 1, EIO, FaultKind::Error});
        IoResult result = load.run(dir.folder(fs));
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error->path, dir.folder().PathOf(load.name));
        EXPECT_TRUE(load.unchanged());
    }
}

// Runs `run` with each fault of each call that a clean run counted.
void ForEachFault(const FaultyFileSystem& counter, const std::function<void(const Fault&)>& run) {
    for (FsCall call : testing::kAllFsCalls) {
        for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
            for (const Fault& fault : FaultsFor(call, nth)) {
                SCOPED_TRACE(std::string(testing::NameOf(call)) + " #" + std::to_string(nth) +
                             " errno " + std::to_string(fault.error));
                run(fault);
            }
        }
    }
}

// A household in "data" under `root`: a master and a month, or every kind of data file.
std::string WriteCopiedHousehold(const std::string& root, bool everyKind = true) {
    const std::string data = root + "/data";
    std::filesystem::create_directories(data);
    testing::WriteFile(data + "/VERADIV.DAT", OldCategoryFile());
    testing::WriteFile(data + "/200001.DAT", LedgerOf(40));
    if (everyKind) {
        testing::WriteFile(data + "/VERADIV.ENV", kFullSettings);
        testing::WriteFile(data + "/200001.MEM", MemoOf(3));
    }
    return data;
}

// `--backup`, and `--restore-as-of` a moment after the last change.
using Copy = std::function<std::string(const DataFolder&, const std::string&)>;
const Copy kCopies[] = {
    [](const DataFolder& f, const std::string& to) { return BackUpFolder(f, to); },
    [](const DataFolder& f, const std::string& to) {
        return RestoreFolderAsOf(f, std::time(nullptr) + 60, to);
    },
};

TEST(CopyFaults, everyFailedStepLeavesNoCopyNoTemporaryAndNoLockAndTheNextCopyIsWhole) {
    using testing::Listing;
    for (const Copy& copyFolder : kCopies) {
        FaultyFileSystem counter;
        {
            TempFolder clean;
            const std::string data = WriteCopiedHousehold(clean.path(), false);
            ASSERT_EQ(copyFolder(DataFolder(data, counter), clean.path() + "/copy"), "");
        }
        ForEachFault(counter, [&](const Fault& fault) {
            TempFolder root;
            const std::string data = WriteCopiedHousehold(root.path(), false);
            const std::string copy = root.path() + "/copy";
            FaultyFileSystem fs;
            fs.Arm(fault);
            const std::string message = copyFolder(DataFolder(data, fs), copy);
            if (!fs.fired())
                return;
            EXPECT_TRUE(testing::TemporariesUnder(root.path()).empty());
            EXPECT_FALSE(std::filesystem::exists(data + "/.hanaki.lock"));
            // Only a copy renamed into place whole stays, told when unconfirmed.
            if (std::filesystem::exists(copy)) {
                EXPECT_EQ(Listing(copy), Listing(data));
                EXPECT_EQ(message.empty(), fault.call != FsCall::SyncDirectory) << message;
                return;
            }
            EXPECT_NE(message.find(root.path()), std::string::npos) << message;
            fs.Disarm();
            EXPECT_EQ(copyFolder(DataFolder(data, fs), copy), "");
            EXPECT_EQ(Listing(copy), Listing(data));
        });
    }
}

// True when `check` holds in a child process of an ordinary user: the
// superuser reads every file whatever its permissions say.
bool AsOrdinaryUser(const std::function<bool()>& check) {
    if (pid_t child = ::fork(); child == 0) {
        const bool user = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        ::_exit(user && check() ? 0 : 1);
    } else {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
}

TEST(CopyFaults, aDataFileOrFolderThatCannotBeReadIsNamedAndNoCopyIsMade) {
    namespace fs = std::filesystem;
    using Make = std::function<void(const fs::path&)>;
    const std::vector<std::pair<std::string, Make>> odds{
        {"FIFO",
         [](const fs::path& p) {
             fs::remove(p);
             ::mkfifo(p.c_str(), 0644);
         }},
        {"folder",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_directory(p);
         }},
        {"device",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_symlink("/dev/null", p);
         }},
        {"broken link",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_symlink("gone", p);
         }},
        {"mode 000", [](const fs::path& p) { fs::permissions(p, fs::perms::none); }},
    };
    for (const Copy& copyFolder : kCopies) {
        // "": the data folder itself.
        for (const std::string name :
             {"VERADIV.DAT", "VERADIV.ENV", "200001.DAT", "200001.MEM", ""}) {
            for (const auto& [odd, make] : odds) {
                if (name.empty() && odd != "mode 000")
                    continue;
                SCOPED_TRACE(name + " " + odd);
                TempFolder root;
                const std::string data = WriteCopiedHousehold(root.path());
                const std::string path = name.empty() ? data : data + "/" + name;
                make(path);
                fs::permissions(root.path(), fs::perms::all);  // the copy's folder, for anyone
                const std::string copy = root.path() + "/copy";
                EXPECT_TRUE(AsOrdinaryUser([&] {
                    const std::string message =
                        copyFolder(DataFolder(data, RealFileSystem()), copy);
                    return message.find(path) != std::string::npos &&
                           message.ends_with(" には何も書き出していません。") &&
                           !fs::exists(copy) && testing::TemporariesUnder(root.path()).empty();
                }));
            }
        }
    }
}

TEST(FaultInjection, noFailedStepOfAConversionLeavesTheLockBehind) {
    TempFolder root;
    std::filesystem::create_directories(root.path() + "/src");
    std::filesystem::create_directories(root.path() + "/dst");
    root.Write("src/VERADIV.DAT", OldCategoryFile());
    root.Write("src/VERADIV.059", ForeignRecord("0428", "-1200"));
    TsugiteOptions options;
    options.source = root.path() + "/src";
    options.destination = root.path() + "/dst";
    options.closingDay = 25;
    std::ostringstream out, err;
    FaultyFileSystem counter;
    ASSERT_EQ(RunTsugiteCommand(options, counter, out, err), 0) << err.str();
    ForEachFault(counter, [&](const Fault& fault) {
        FaultyFileSystem fs;
        fs.Arm(fault);
        RunTsugiteCommand(options, fs, out, err);
        EXPECT_FALSE(root.Exists("dst/.hanaki.lock"));
    });
}

}  // namespace
}  // namespace hanaki
