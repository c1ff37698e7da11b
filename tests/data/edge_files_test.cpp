#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "data/book/aggregation.h"
#include "data/disk/safe_write.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "data/history/history_store.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

// What a data file's name may point at, for every reader and the writer.
namespace hanaki {
namespace {

namespace fs = std::filesystem;
using testing::Sjis;
using testing::TempFolder;

std::string ReadPath(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kCategories = Sjis("+給料\r\n基本給\r\n-食費\r\n昼食\r\n");

std::string Record(const std::string& date, const std::string& category,
                   const std::string& description, const std::string& amount) {
    return testing::RecordBytes({date, category, "食費", description, "昼食", amount});
}

// Something that is not a regular file of a sane size, made at `path`.
struct Odd {
    std::string name;
    std::function<void(const fs::path&)> make;
    int error;
};

const std::vector<Odd>& Odds() {
    static const std::vector<Odd> odds{
        {"FIFO", [](const fs::path& p) { ::mkfifo(p.c_str(), 0644); }, kNotRegularFile},
        {"link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         kNotRegularFile},
        {"link to /dev/null", [](const fs::path& p) { fs::create_symlink("/dev/null", p); },
         kNotRegularFile},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, EISDIR},
        {"huge sparse file",
         [](const fs::path& p) {
             std::ofstream(p).put('x');
             fs::resize_file(p, kLargestDataFile + 1);
         },
         EFBIG},
    };
    return odds;
}

// One reader of a household file: its result and the file it reads.
struct Reader {
    std::string file;
    std::function<IoResult(const DataFolder&)> read;
};

std::vector<Reader> Readers() {
    return {
        {"200001.DAT",
         [](const DataFolder& f) {
             MonthLedger ledger;
             AppendItem(ledger, 0, DecodeLedgerRecord(Record("000110", "02", "01", "-5")));
             IoResult result = LoadMonthLedger(f, kMonthEnd, 100, 1, ledger);
             EXPECT_EQ(ledger.head, 1) << "the month in memory stays";
             return result;
         }},
        {"200001.DAT",
         [](const DataFolder& f) {
             CategoryTable categories;
             MonthTotals totals;
             return AggregateMonth(f, categories, Settings(), 100, 1, totals).io;
         }},
        {"200001.MEM",
         [](const DataFolder& f) {
             MemoMonth memo;
             return LoadMemo(f, kMonthEnd, 100, 1, memo);
         }},
        {"VERADIV.DAT",
         [](const DataFolder& f) {
             CategoryTable categories;
             return LoadCategoryTable(f, categories);
         }},
        {"VERADIV.ENV",
         [](const DataFolder& f) {
             Settings settings;
             SettingsReading reading;
             return LoadSettings(f, settings, reading);
         }},
    };
}

TEST(EdgeFiles, everyReaderRefusesWhatIsNoRegularFileOrFarTooLargeAndNamesIt) {
    for (const Reader& reader : Readers()) {
        for (const Odd& odd : Odds()) {
            SCOPED_TRACE(reader.file + " a " + odd.name);
            TempFolder dir;
            odd.make(fs::path(dir.path()) / reader.file);
            const IoResult result = reader.read(dir.folder());
            ASSERT_FALSE(result.ok());
            EXPECT_EQ(result.error->code, odd.error);
            EXPECT_EQ(result.error->path, dir.folder().PathOf(reader.file));
            EXPECT_NE(DescribeIoError(*result.error).find(reader.file), std::string::npos);
        }
    }
}

TEST(EdgeFiles, theWriterLeavesWhatIsNoRegularFileAndReplacesTheFileALinkLeadsTo) {
    for (const Odd& odd : Odds()) {
        if (odd.error == EFBIG)
            continue;
        SCOPED_TRACE(odd.name);
        TempFolder dir;
        const fs::path target = fs::path(dir.path()) / "200001.DAT";
        odd.make(target);
        const fs::file_status before = fs::symlink_status(target);
        const IoResult result = WriteFileAtomically(RealFileSystem(), target, "new");
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error->code, odd.error);
        EXPECT_EQ(result.error->path, target.string());
        EXPECT_EQ(fs::symlink_status(target).type(), before.type());
        EXPECT_EQ(dir.FileCount(), 1u);
    }
    for (const bool relative : {false, true}) {
        SCOPED_TRACE(relative ? "relative link" : "absolute link");
        TempFolder dir, elsewhere;
        const fs::path real = fs::path(elsewhere.path()) / "real.pdf";
        dir.Write("real.pdf", "not this one");
        std::ofstream(real) << "old";
        const fs::path link = fs::path(dir.path()) / "month.pdf";
        fs::create_symlink(relative ? fs::relative(real, dir.path()) : real, link);
        ASSERT_TRUE(WriteFileAtomically(RealFileSystem(), link, "new").ok());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(ReadPath(real), "new");
        EXPECT_EQ(dir.Read("real.pdf"), "not this one");
        EXPECT_EQ(dir.FileCount(), 2u);
        EXPECT_EQ(elsewhere.FileCount(), 1u);
    }
}

TEST(ReadableRecords, theWindowThePrintoutAndTheSumsSkipTheSameRecords) {
    TempFolder dir;
    dir.Write("VERADIV.DAT", kCategories);
    const std::string good = Record("000110", "02", "01", "-100");
    const std::vector<std::string> unreadable{
        Record("000230", "02", "01", "-99999999"),  // 30 February
        Record("000231", "02", "01", "-99999999"), Record("001301", "02", "01", "-1"),
        Record("000110", "00", "01", "-1"),        Record("000110", "21", "01", "-1"),
        Record("000110", "02", "21", "-1"),        Record("000110", "02", "01", "-x1"),
    };
    std::string bytes = good;
    for (const std::string& record : unreadable)
        bytes += record;
    bytes += good.substr(0, 60);  // a record cut short
    dir.Write("200001.DAT", bytes);

    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger).ok());
    CategoryTable categories;
    ASSERT_TRUE(LoadCategoryTable(dir.folder(), categories).ok());
    MonthTotals fromLedger;
    SumMonthLedger(ledger, categories, fromLedger);
    MonthTotals fromFile;
    const AggregationReport report =
        AggregateMonth(dir.folder(), categories, Settings(), 100, 1, fromFile);

    const int skipped = static_cast<int>(unreadable.size()) + 1;
    EXPECT_EQ(ledger.unreadableRecords, skipped);
    EXPECT_EQ(report.unreadableRecords, skipped);
    EXPECT_EQ(fromLedger.expense(), 100);
    EXPECT_EQ(fromFile.expense(), 100);
    for (const std::string& record : unreadable)
        EXPECT_FALSE(ReadLedgerRecord(record)) << record.substr(0, 40);
}

TEST(ChangedOnDisk, aSaveOverAMonthFileAnotherProgramChangedIsRefusedAndLeavesIt) {
    const std::string mine = Record("000110", "02", "01", "-100");
    const std::string theirs = Record("000111", "02", "01", "-200");
    // What the file held at load, and what another program made of it since.
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {mine, mine + theirs},
        {mine, std::nullopt},
        {"", theirs},
    };
    for (const auto& [loaded, changed] : cases) {
        SCOPED_TRACE(changed ? changed->size() : 0);
        TempFolder dir;
        if (!loaded.empty())
            dir.Write("200001.DAT", loaded);
        MonthLedger ledger;
        ASSERT_TRUE(LoadMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger).ok());
        if (changed)
            dir.Write("200001.DAT", *changed);
        else
            fs::remove(fs::path(dir.path()) / "200001.DAT");
        AppendItem(ledger, ledger.LastSlot(),
                   DecodeLedgerRecord(Record("000112", "02", "01", "-3")));

        const IoResult saved = SaveMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger);
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error->refusal, IoRefusal::ChangedOnDisk);
        EXPECT_EQ(dir.Exists("200001.DAT"), changed.has_value());
        if (changed) {
            EXPECT_EQ(dir.Read("200001.DAT"), *changed);
        }

        // Reloaded, the next save keeps the other program's record.
        ASSERT_TRUE(LoadMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger).ok());
        AppendItem(ledger, ledger.LastSlot(),
                   DecodeLedgerRecord(Record("000112", "02", "01", "-3")));
        ASSERT_TRUE(SaveMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger).ok());
        ASSERT_TRUE(SaveMonthLedger(dir.folder(), kMonthEnd, 100, 1, ledger).ok());
        EXPECT_EQ(dir.Read("200001.DAT"),
                  changed.value_or("") + Record("000112", "02", "01", "-3"));
    }
}

// How a data folder goes away under a running program: moved (a USB stick
// pulled, its mount point gone with it), or an empty mount point left where
// the stick was, without the lock the program keeps in its folder.
enum class Gone { Moved, EmptyMountPoint };

TEST(VanishedFolder, everyReadAndWriteNamesTheFolderWritesNothingAndWorksOnceItIsBack) {
    using Use = std::function<IoResult(const DataFolder&, MonthLedger&)>;
    const std::vector<std::pair<std::string, Use>> uses{
        {"store an item",
         [](const DataFolder& f, MonthLedger& ledger) {
             AppendItem(ledger, ledger.LastSlot(),
                        DecodeLedgerRecord(Record("000112", "02", "01", "-3")));
             return SaveMonthLedger(f, kMonthEnd, 100, 1, ledger);
         }},
        {"delete the month's only item",
         [](const DataFolder& f, MonthLedger& ledger) {
             UnlinkItem(ledger, ledger.head);
             return SaveMonthLedger(f, kMonthEnd, 100, 1, ledger);
         }},
        {"read a month without items",
         [](const DataFolder& f, MonthLedger& ledger) {
             return LoadMonthLedger(f, kMonthEnd, 100, 2, ledger);
         }},
        {"save a memo",
         [](const DataFolder& f, MonthLedger&) {
             MemoMonth memo;
             memo.SetLines(3, {Sjis("買い物"), "", ""});
             return SaveMemo(f, kMonthEnd, 100, 2, memo);
         }},
        {"save the closing day",
         [](const DataFolder& f, MonthLedger&) { return WriteClosingDay(f, 25); }},
        {"read the history to undo a change",
         [](const DataFolder& f, MonthLedger&) {
             const History history = ReadHistory(f);
             return history.error ? IoResult{history.error} : IoResult::Ok();
         }},
    };
    for (Gone gone : {Gone::Moved, Gone::EmptyMountPoint}) {
        for (const auto& [name, use] : uses) {
            SCOPED_TRACE(name + (gone == Gone::Moved ? " (moved)" : " (empty mount point)"));
            TempFolder dir;
            dir.Write("VERADIV.ENV", " 31 \r\n");
            dir.Write("200001.DAT", Record("000110", "02", "01", "-100"));
            dir.Write(".hanaki.lock", "mine");
            DataFolder folder = dir.folder();
            folder.WatchPresence(".hanaki.lock");
            MonthLedger ledger;
            ASSERT_TRUE(LoadMonthLedger(folder, kMonthEnd, 100, 1, ledger).ok());

            const fs::path path = dir.path(), away = dir.path() + ".away";
            fs::rename(path, away);
            if (gone == Gone::EmptyMountPoint)
                fs::create_directory(path);
            MonthLedger kept = ledger;
            const IoResult refused = use(folder, kept);
            ASSERT_FALSE(refused.ok());
            EXPECT_EQ(refused.error->code, kFolderMissing);
            EXPECT_EQ(refused.error->path, dir.path());
            EXPECT_EQ(gone == Gone::EmptyMountPoint, fs::exists(path));
            if (gone == Gone::EmptyMountPoint) {
                EXPECT_TRUE(fs::is_empty(path));
                fs::remove(path);
            }
            EXPECT_EQ(ReadPath(away / "200001.DAT"), Record("000110", "02", "01", "-100"));

            fs::rename(away, path);
            EXPECT_TRUE(use(folder, ledger).ok());
        }
    }
}

}  // namespace
}  // namespace hanaki
