#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "data/disk/data_folder.h"
#include "data/disk/stale_temporaries.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/history/history_store.h"
#include "foreign_folder.h"
#include "import/conversion.h"
#include "support/cp932_text.h"
#include "support/dead_process.h"
#include "support/faulty_file_system.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

const ConversionMessage kNoneConverted{"Convert completed!", "0個のデータをコンバートしました。"};
const ConversionMessage kNoMemos{"Convert completed!", "0個のメモデータをリネームコピーしました。"};

// A foreign folder "src" (with its category file) and a destination "dst".
struct Folders {
    Folders() : root(temp.path().toStdString()), source(root / "src"), destination(root / "dst") {
        fs::create_directories(source);
        fs::create_directories(destination);
        WriteFile(source / "VERADIV.DAT", Sjis(kForeignCategories));
    }

    ConversionRequest Request(int closingDay = 31) const {
        return {source.string(), destination.string(), closingDay};
    }
    ConversionReport Run(int closingDay = 31, FileSystem& files = RealFileSystem()) const {
        PlanResult planned = PlanConversion(Request(closingDay), files);
        EXPECT_TRUE(planned.plan);
        return CarryOutConversion(*planned.plan, files);
    }
    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(destination)) {
            if (entry.path().filename() != kHistoryFolderName)
                names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    QTemporaryDir temp;
    fs::path root, source, destination;
};

TEST(FolderConversion, ConvertsEveryMonthFileAndReportsTheBadOnesWhileTheOthersGoOn) {
    Folders folders;
    const std::string may = ForeignDays({"0510", "0503"});
    WriteFile(folders.source / "VERADIV.059", may);
    WriteFile(folders.source / "VERADIV.049", ForeignDays({"0401"}));
    WriteFile(folders.source / "VERADIV.129", "");
    WriteFile(folders.source / "VERADIV.069", ForeignDays({"0601", "0632"}));
    WriteFile(folders.source / "VERADIV.07A", ForeignDays({"0701"}));
    WriteFile(folders.source / "VERADIV.000", ForeignDays({"0101"}));
    WriteFile(folders.source / "VERADIV.BAK", ForeignDays({"0101"}));
    WriteFile(folders.destination / "199906.DAT", "older June");

    ConversionReport report = folders.Run();

    const std::string src = folders.source.string() + "/";
    const std::vector<ConversionMessage> expected = {
        {"Incorrect Data!", "エラー発生、まちかど帳データ" + src + "VERADIV.069を修正して下さい。",
         true},
        {"Incorrect Data!", "エラー発生、まちかど帳データ" + src + "VERADIV.07Aを修正して下さい。",
         true},
        {"Convert completed!",
         "3個のデータをコンバートしました。2個のデータがコンバート失敗です。"},
        kNoMemos,
    };
    EXPECT_EQ(report.messages, expected);
    EXPECT_EQ(folders.Written(),
              (std::vector<std::string>{"199904.DAT", "199905.DAT", "199906.DAT", "199912.DAT"}));
    EXPECT_EQ(ReadFile(folders.destination / "199906.DAT"), "older June");
    EXPECT_EQ(ReadFile(folders.destination / "199912.DAT"), "");
    EXPECT_EQ(ReadFile(folders.source / "VERADIV.059"), may);
}

TEST(FolderConversion, WritesFilesThatOurOwnLoadersRead) {
    Folders folders;
    WriteFile(folders.source / "VERADIV.059", Foreign("0501", "01", "01", "+250000", "五月分") +
                                                  Foreign("0428", "02", "03", "-1800", "*控え") +
                                                  Foreign("0428", "02", "01", "-450", "パン"));
    MemoRecord memo{{"28", "28", "28"}, {Sjis("雨"), "", ""}};
    WriteFile(folders.source / "KAKMEMO.059", EncodeMemoRecord(memo));

    folders.Run(25);

    DataFolder destination(folders.destination.string(), RealFileSystem());
    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(destination, 25, 99, 5, ledger).ok());
    std::vector<std::string> items;
    for (int slot = ledger.head; slot != 0; slot = ledger.entries[slot].next) {
        const LedgerRecord& r = ledger.entries[slot].record;
        ASSERT_FALSE(ledger.entries[slot].unreadable);
        std::optional<ItemNumbers> numbers = ReadItemNumbers(r);
        items.push_back(r.date + " " + TrimRight(r.categoryName) + " " +
                        TrimRight(r.descriptionName) + " " + std::to_string(numbers->amount) + " " +
                        TrimRight(r.remark));
    }
    EXPECT_EQ(items, (std::vector<std::string>{Sjis("990503 食費 夕食 1800 "),
                                               Sjis("990503 食費 朝食 450 パン"),
                                               Sjis("990506 給料 基本給 250000 五月分")}));
    MemoMonth memos;
    ASSERT_TRUE(LoadMemo(destination, 25, 99, 5, memos).ok());
    EXPECT_EQ(memos.LinesOf(3)[0], Sjis("雨"));
}

TEST(FolderConversion, CopiesMemoFilesUntilANameThatIsNotANumber) {
    struct Case {
        const char* name;
        std::vector<std::string> memos;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"a backup after the months",
         {"KAKMEMO.059", "KAKMEMO.120", "KAKMEMO.BAK"},
         {"199012.MEM", "199905.MEM"}},
        {"month 0 ends the copying first", {"KAKMEMO.000", "KAKMEMO.059"}, {}},
        {"a month past 12 is passed over",
         {"KAKMEMO.059", "KAKMEMO.139", "KAKMEMO.88A"},
         {"199905.MEM"}},
    };
    for (const Case& c : cases) {
        Folders folders;
        for (const std::string& name : c.memos)
            WriteFile(folders.source / name, name);

        ConversionReport report = folders.Run();

        EXPECT_EQ(folders.Written(), c.written) << c.name;
        EXPECT_EQ(report.memosCopied, static_cast<int>(c.written.size())) << c.name;
    }
}

TEST(FolderConversion, ReplacesExistingFilesWholeAndCountsThemBeforehand) {
    Folders folders;
    WriteFile(folders.source / "VERADIV.059", ForeignDays({"0501"}));
    WriteFile(folders.source / "VERADIV.069", ForeignDays({"0600"}));
    WriteFile(folders.source / "KAKMEMO.059", "new memo");
    WriteFile(folders.destination / "199905.DAT", std::string(520, 'x'));
    WriteFile(folders.destination / "199905.MEM", "older memo");
    WriteFile(folders.destination / "199906.DAT", "kept");  // its month file fails

    PlanResult planned = PlanConversion(folders.Request(), RealFileSystem());
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(CountReplacedFiles(*planned.plan, RealFileSystem()), 2);
    ConversionReport report = CarryOutConversion(*planned.plan, RealFileSystem());

    EXPECT_EQ(report.replaced, 2);
    EXPECT_EQ(ReadFile(folders.destination / "199905.DAT").size(), 104u);
    EXPECT_EQ(ReadFile(folders.destination / "199905.MEM"), "new memo");
    EXPECT_EQ(
        report.messages.back(),
        (ConversionMessage{"Convert completed!", "1個のメモデータをリネームコピーしました。"}));
}

TEST(FolderConversion, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
    Folders folders;
    WriteFile(folders.source / "VERADIV.049", ForeignDays({"0401"}));
    WriteFile(folders.source / "VERADIV.059", ForeignDays({"0501"}));
    WriteFile(folders.destination / "199904.DAT", "older April");
    FaultyFileSystem faulty;
    faulty.Arm({FsCall::Write, 1, ENOSPC});

    ConversionReport report = folders.Run(31, faulty);

    EXPECT_EQ(ReadFile(folders.destination / "199904.DAT"), "older April");
    EXPECT_EQ(ReadFile(folders.destination / "199905.DAT").size(), 104u);
    ASSERT_EQ(report.messages.size(), 3u);
    EXPECT_EQ(report.messages[0].title, "ファイルエラー");
    EXPECT_NE(report.messages[0].text.find("199904.DAT"), std::string::npos);
    EXPECT_EQ(report.messages[1].text,
              "1個のデータをコンバートしました。1個のデータがコンバート失敗です。");
    EXPECT_EQ(folders.Written(), (std::vector<std::string>{"199904.DAT", "199905.DAT"}));
}

TEST(FolderConversion, TwoFilesDifferingOnlyInCaseAreRefusedTogetherAndTheRestConverted) {
    Folders folders;
    WriteFile(folders.source / "VERADIV.059", ForeignDays({"0501"}));
    WriteFile(folders.source / "veradiv.059", ForeignDays({"0502"}));
    WriteFile(folders.source / "VERADIV.049", ForeignDays({"0401"}));
    WriteFile(folders.source / "KAKMEMO.059", "upper");
    WriteFile(folders.source / "kakmemo.059", "lower");
    WriteFile(folders.destination / "199905.MEM", "older memo");

    ConversionReport report = folders.Run();

    const std::string src = folders.source.string() + "/";
    const std::vector<ConversionMessage> expected = {
        {"ファイル名の重複",
         "まちかど帳データ" + src + "VERADIV.059と" + src +
             "veradiv.059は大文字と小文字だけが違い、どちらも199905.DATになるため、"
             "変換しませんでした。",
         true},
        {"Convert completed!",
         "1個のデータをコンバートしました。2個のデータがコンバート失敗です。"},
        {"ファイル名の重複",
         "まちかど帳データ" + src + "KAKMEMO.059と" + src +
             "kakmemo.059は大文字と小文字だけが違い、どちらも199905.MEMになるため、"
             "変換しませんでした。",
         true},
        {"Convert completed!",
         "0個のメモデータをリネームコピーしました。2個のメモデータがコピー失敗です。"},
    };
    EXPECT_EQ(report.messages, expected);
    EXPECT_EQ(folders.Written(), (std::vector<std::string>{"199904.DAT", "199905.MEM"}));
    EXPECT_EQ(ReadFile(folders.destination / "199905.MEM"), "older memo");
}

// Counts which files are read whole.
class ReadWatchingFileSystem : public PosixFileSystem {
  public:
    int ReadAll(const std::string& path, std::string& bytes) override {
        read.push_back(fs::path(path).filename().string());
        return PosixFileSystem::ReadAll(path, bytes);
    }
    std::vector<std::string> read;
};

TEST(FolderConversion, AFileLongerThanItsFormatIsReportedAndNeverRead) {
    Folders folders;
    // 2000 records and a half-record tail is the most a month file can be.
    std::string april, may;
    for (int i = 0; i < 2000; ++i) {
        april += ForeignDays({"0401"});
        may += ForeignDays({"0501"});
    }
    WriteFile(folders.source / "VERADIV.049", april + std::string(20, ' '));
    WriteFile(folders.source / "VERADIV.059", may + std::string(21, ' '));
    WriteFile(folders.source / "KAKMEMO.049", std::string(31 * 240, ' '));
    WriteFile(folders.source / "KAKMEMO.059", "");
    fs::resize_file(folders.source / "KAKMEMO.059", 50'000'000);
    ReadWatchingFileSystem files;

    ConversionReport report = folders.Run(31, files);

    const std::string src = folders.source.string() + "/";
    const std::vector<ConversionMessage> expected = {
        {"ファイルが大きすぎます",
         "まちかど帳データ" + src +
             "VERADIV.059は80021バイトあり、この形式の上限(80000バイト)を超えているため、"
             "変換しませんでした。",
         true},
        {"Convert completed!",
         "1個のデータをコンバートしました。1個のデータがコンバート失敗です。"},
        {"ファイルが大きすぎます",
         "まちかど帳データ" + src +
             "KAKMEMO.059は50000000バイトあり、この形式の上限(7440バイト)を超えているため、"
             "変換しませんでした。",
         true},
        {"Convert completed!",
         "1個のメモデータをリネームコピーしました。1個のメモデータがコピー失敗です。"},
    };
    EXPECT_EQ(report.messages, expected);
    EXPECT_EQ(folders.Written(), (std::vector<std::string>{"199904.DAT", "199904.MEM"}));
    EXPECT_EQ(std::count(files.read.begin(), files.read.end(), "VERADIV.059"), 0);
    EXPECT_EQ(std::count(files.read.begin(), files.read.end(), "KAKMEMO.059"), 0);
}

TEST(FolderConversion, RemovesWhatAKilledConversionLeftButNotAWriterStillRunning) {
    Folders folders;
    WriteFile(folders.source / "VERADIV.059", ForeignDays({"0501"}));
    const long dead = DeadProcessId();
    const std::string running = TemporaryFileName("199906.DAT", HostName(), ::getppid(), 0);
    const std::string users = "199907.DAT.tmp" + std::to_string(dead) + "-0";
    for (const std::string& name :
         {TemporaryFileName("199905.DAT", HostName(), dead, 0),
          TemporaryFileName("199904.MEM", HostName(), dead, 3), running, users})
        WriteFile(folders.destination / name, "half");

    folders.Run();

    EXPECT_EQ(folders.Written(), (std::vector<std::string>{running, "199905.DAT", users}));
}

TEST(FolderConversion, ASourceWithOnlyTheCategoryFileConvertsNothing) {
    Folders folders;
    EXPECT_EQ(folders.Run().messages, (std::vector<ConversionMessage>{kNoneConverted, kNoMemos}));
    EXPECT_TRUE(folders.Written().empty());
}

TEST(FolderConversion, ASourceWithoutTheCategoryFileIsRefused) {
    Folders folders;
    fs::remove(folders.source / "VERADIV.DAT");
    WriteFile(folders.source / "VERADIV.059", ForeignDays({"0501"}));

    PlanResult planned = PlanConversion(folders.Request(), RealFileSystem());

    EXPECT_FALSE(planned.plan);
    EXPECT_EQ(
        planned.refusal,
        (ConversionMessage{"ファイルエラー", "費目ファイル(VERADIV.DAT)がありません。", true}));
}

}  // namespace
}  // namespace hanaki
