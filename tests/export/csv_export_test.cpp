#include "export/csv_export.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cerrno>

#include "data/disk/stale_temporaries.h"
#include "ledger_files.h"
#include "support/cp932_text.h"
#include "support/dead_process.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

TEST(LedgerToCsv, WritesTheHeadingAndAnIncomeLineByteForByte) {
    int skipped = 0;
    std::string csv = LedgerToCsv(Record("990526", "01", "給料", "01", "基本給", "+1200", "5月分"),
                                  Categories(), skipped);
    const std::string expected =
        "\x22\x94\x4e\x8c\x8e\x93\xfa\x22\x2c\x22\x94\xef\x96\xda\x4e\x6f\x2e\x22\x2c\x22\x94\xef"
        "\x96\xda\x22\x2c\x22\x93\x45\x97\x76\x4e\x6f\x2e\x22\x2c\x22\x93\x45\x97\x76\x22\x2c\x22"
        "\x93\xfc\x8b\xe0\x22\x2c\x22\x8f\x6f\x8b\xe0\x22\x2c\x22\x94\xf5\x8d\x6c\x22\x0d\x0a"
        "\x22\x39\x39\x2f\x30\x35\x2f\x32\x36\x22\x2c\x31\x2c\x22\x8b\x8b\x97\xbf\x22\x2c\x31\x2c"
        "\x22\x8a\xee\x96\x7b\x8b\x8b\x22\x2c\x31\x32\x30\x30\x2c\x22\x22\x2c\x22\x35\x8c\x8e\x95"
        "\xaa\x22\x0d\x0a";
    EXPECT_EQ(csv, expected);
    EXPECT_EQ(skipped, 0);
}

TEST(LedgerToCsv, WritesEachRecordUnderItsCategorysKindToday) {
    struct Case {
        const char* name;
        std::string record;
        const char* line;
    };
    const Case cases[] = {
        {"expense", Record("990527", "02", "食費", "02", "昼食", "-850", "社食"),
         "\"99/05/27\",2,\"食費\",2,\"昼食\",\"\",850,\"社食\""},
        {"kind changed to expense after entry",
         Record("990501", "02", "食費", "01", "朝食", "+300", ""),
         "\"99/05/01\",2,\"食費\",1,\"朝食\",\"\",300,\"\""},
        {"kind changed to income after entry",
         Record("990501", "01", "給料", "02", "賞与", "-5000", ""),
         "\"99/05/01\",1,\"給料\",2,\"賞与\",5000,\"\",\"\""},
        {"blank-only remark", Record("990502", "02", "食費", "01", "朝食", "-1", "      "),
         "\"99/05/02\",2,\"食費\",1,\"朝食\",\"\",1,\"\""},
        {"inner blanks kept", Record("990503", "02", "外 食", "01", "朝 食", "-1", " 駅前 で "),
         "\"99/05/03\",2,\"外 食\",1,\"朝 食\",\"\",1,\" 駅前 で\""},
        {"quote doubled", Record("990504", "02", "食費", "01", "朝食", "-1", "\"特売\"の卵"),
         "\"99/05/04\",2,\"食費\",1,\"朝食\",\"\",1,\"\"\"特売\"\"の卵\""},
        {"comma kept inside the quotes",
         Record("990505", "02", "食費", "01", "朝食", "-1", "卵,牛乳"),
         "\"99/05/05\",2,\"食費\",1,\"朝食\",\"\",1,\"卵,牛乳\""},
        {"largest amount", Record("990506", "01", "給料", "01", "基本給", "+999999999", ""),
         "\"99/05/06\",1,\"給料\",1,\"基本給\",999999999,\"\",\"\""},
        {"five full-width characters",
         Record("990507", "02", "日用品雑貨", "01", "洗剤洗剤洗", "-1", ""),
         "\"99/05/07\",2,\"日用品雑貨\",1,\"洗剤洗剤洗\",\"\",1,\"\""},
        {"negative income", Record("990508", "01", "給料", "01", "基本給", "+-300", "返金"),
         "\"99/05/08\",1,\"給料\",1,\"基本給\",-300,\"\",\"返金\""},
        {"category 0 is income", Record("990509", "00", "", "00", "", "+5", ""),
         "\"99/05/09\",0,\"\",0,\"\",5,\"\",\"\""},
        {"description past the list", Record("990510", "02", "食費", "25", "外食", "-40", ""),
         "\"99/05/10\",2,\"食費\",25,\"外食\",\"\",40,\"\""},
    };
    // The kinds of the table as it is now: 食費 expense, 給料 income.
    const CategoryTable categories = Categories();
    for (const Case& c : cases) {
        int skipped = 0;
        EXPECT_EQ(LedgerToCsv(c.record, categories, skipped), Heading() + Sjis(c.line) + "\r\n")
            << c.name;
        EXPECT_EQ(skipped, 0) << c.name;
    }
}

TEST(LedgerToCsv, AnEmptyLedgerGivesTheHeadingOnly) {
    int skipped = 0;
    EXPECT_EQ(LedgerToCsv("", Categories(), skipped), Heading());
    EXPECT_EQ(skipped, 0);
}

TEST(LedgerToCsv, LeavesOutAndCountsRecordsThatCannotBeRead) {
    const std::string good = Record("990510", "02", "食費", "01", "朝食", "-100", "");
    const std::string bytes =
        good + Record("990511", "AB", "食費", "01", "朝食", "-100", "") +  // category not a number
        Record("990512", "21", "食費", "01", "朝食", "-100", "") +         // beyond 20
        Record("990513", "02", "食費", "x1", "朝食", "-100", "") +         // description
        Record("990514", "02", "食費", "01", "朝食", "-1O0", "") +         // letter O
        Record("990515", "02", "食費", "01", "朝食", "", "") +             // no amount
        good + good.substr(0, 60);                                         // cut off
    int skipped = 0;
    const std::string line = Sjis("\"99/05/10\",2,\"食費\",1,\"朝食\",\"\",100,\"\"\r\n");
    EXPECT_EQ(LedgerToCsv(bytes, Categories(), skipped), Heading() + line + line);
    EXPECT_EQ(skipped, 6);
}

TEST(LedgerToCsv, ReportsEveryCutOffTailAsASkippedRecord) {
    const std::string record = Record("990510", "02", "食費", "01", "朝食", "-100", "");
    struct Case {
        std::size_t bytes;
        int lines;
        int skipped;  // a record the count takes in but the file cuts short
    };
    const Case cases[] = {
        {104 + 1, 1, 1},  {104 + 51, 1, 1},  {104 + 52, 1, 1}, {208 + 52, 2, 1},
        {104 + 53, 1, 1}, {208 + 103, 2, 1}, {208, 2, 0},
    };
    const std::string line = Sjis("\"99/05/10\",2,\"食費\",1,\"朝食\",\"\",100,\"\"\r\n");
    for (const Case& c : cases) {
        std::string bytes = record + record + record;
        bytes.resize(c.bytes);
        int skipped = 0;
        std::string expected = Heading();
        for (int i = 0; i < c.lines; ++i)
            expected += line;
        EXPECT_EQ(LedgerToCsv(bytes, Categories(), skipped), expected) << c.bytes;
        EXPECT_EQ(skipped, c.skipped) << c.bytes;
    }
}

TEST(IsExportableLedgerName, TakesSixDigitNamesOtherThanZero) {
    const std::pair<const char*, bool> names[] = {
        {"199905.DAT", true},  {"200001.dat", true},   {"000001.DAT", true},
        {"000000.DAT", false}, {"ABCDEF.DAT", false},  {"VERADIV.DAT", false},
        {"19990.DAT", false},  {"1999055.DAT", false}, {"199905.MEM", false},
        {"1999 5.DAT", false}, {"199905.CSV", false},  {"199905.DAT.tmp", false},
    };
    for (const auto& [name, taken] : names)
        EXPECT_EQ(IsExportableLedgerName(name), taken) << name;
}

struct Folders {
    Folders() : root(temp.path().toStdString()), source(root / "src"), destination(root / "dst") {
        fs::create_directories(source);
        fs::create_directories(destination);
    }
    QTemporaryDir temp;
    fs::path root, source, destination;
};

TEST(LedgerToCsv, SkipsADayTheCalendarLacksAsTheWindowAndTheSumsDo) {
    for (const char* date : {"990230", "990231", "990431", "991301"}) {
        int skipped = 0;
        EXPECT_EQ(LedgerToCsv(Record(date, "02", "食費", "01", "朝食", "-99999999", ""),
                              Categories(), skipped),
                  Heading())
            << date;
        EXPECT_EQ(skipped, 1) << date;
    }
}

TEST(ExportFolderToCsv, WritesOneCsvPerLedgerFileAndPassesOverOtherNames) {
    Folders folders;
    const std::string april = Record("990410", "01", "給料", "01", "基本給", "+1200", "");
    const std::string may = Record("990526", "02", "食費", "02", "昼食", "-850", "");
    WriteFile(folders.source / "199904.DAT", april);
    WriteFile(folders.source / "199905.DAT", may);
    WriteFile(folders.source / "ABCDEF.DAT", may);
    WriteFile(folders.source / "000000.DAT", may);
    WriteFile(folders.source / "VERADIV.DAT", Sjis(kCategoryFile));
    fs::create_directory(folders.source / "199906.DAT");
    WriteFile(folders.destination / "199905.CSV", "old");

    CsvExportResult result = ExportFolderToCsv(RealFileSystem(), folders.source.string(),
                                               folders.destination.string(), Categories());

    EXPECT_EQ(result.written, 2);
    // A folder under a month file's name is told, never passed over in silence.
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].find("199906.DAT"), std::string::npos) << result.failures[0];
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(ConvertedMessage(result), "2個のデータをコンバートしました。");
    EXPECT_EQ(Names(folders.destination), (std::vector<std::string>{"199904.CSV", "199905.CSV"}));
    int skipped = 0;
    EXPECT_EQ(ReadFile(folders.destination / "199905.CSV"),
              LedgerToCsv(may, Categories(), skipped));
}

TEST(ExportFolderToCsv, AFileThatCannotBeWrittenIsReportedAndTheOthersGoOn) {
    Folders folders;
    const std::string bad = Record("990401", "XX", "給料", "01", "基本給", "+1", "");
    WriteFile(folders.source / "199904.DAT", bad + bad);
    WriteFile(folders.source / "199905.DAT", bad);
    WriteFile(folders.source / "199906.DAT", "");
    RefusingFileSystem refusing("199905.CSV");

    CsvExportResult result = ExportFolderToCsv(refusing, folders.source.string(),
                                               folders.destination.string(), Categories());

    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(
        result.failures,
        std::vector<std::string>{"ファイル " + (folders.destination / "199905.CSV").string() +
                                 " に書き込めませんでした。\n理由: ディスクの空きがありません。"});
    EXPECT_EQ(Names(folders.destination), (std::vector<std::string>{"199904.CSV", "199906.CSV"}));
    // Only the records of files written count as left out, each file on a line of its own.
    EXPECT_EQ(ConvertedMessage(result), "2個のデータをコンバートしました。");
    EXPECT_EQ(result.skips,
              std::vector<std::string>{"ファイル " + (folders.source / "199904.DAT").string() +
                                       " の読めないデータ2件は書き出しませんでした。"});
}

TEST(ExportFolderToCsv, AMissingSourceIsAFailureNotAnEmptyExport) {
    Folders folders;
    CsvExportResult result = ExportFolderToCsv(RealFileSystem(), (folders.root / "none").string(),
                                               folders.destination.string(), Categories());
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(result.failures,
              std::vector<std::string>{
                  "ファイル " + (folders.root / "none").string() +
                  " を読み込めませんでした。\n理由: ファイルまたはフォルダがありません。"});
}

TEST(ExportFolderToCsv, SaysTheOlderFileRemainsOnlyWhenThereIsOne) {
    for (bool older : {false, true}) {
        Folders folders;
        WriteFile(folders.source / "199905.DAT", "");
        if (older)
            WriteFile(folders.destination / "199905.CSV", "older");
        RefusingFileSystem refusing(".CSV");

        CsvExportResult result = ExportFolderToCsv(refusing, folders.source.string(),
                                                   folders.destination.string(), Categories());

        const std::string path = (folders.destination / "199905.CSV").string();
        EXPECT_EQ(result.failures,
                  std::vector<std::string>{
                      "ファイル " + path +
                      " に書き込めませんでした。\n理由: ディスクの空きがありません。" +
                      (older ? "\nファイルは変更前のまま残っています。" : "")});
        EXPECT_EQ(FailureSummary(result),
                  "0個のファイルを書き出し、1個は書き出せませんでした。\n最初の失敗:\n" +
                      result.failures[0]);
    }
}

TEST(ExportFolderToCsv, TwoLedgersDifferingOnlyInCaseAreRefusedTogetherAndTheRestWritten) {
    Folders folders;
    WriteFile(folders.source / "199905.DAT", "");
    WriteFile(folders.source / "199905.dat", "");
    WriteFile(folders.source / "199904.DAT", "");

    CsvExportResult result = ExportFolderToCsv(RealFileSystem(), folders.source.string(),
                                               folders.destination.string(), Categories());

    const std::string src = folders.source.string() + "/";
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.failed, 2);
    EXPECT_EQ(result.failures,
              std::vector<std::string>{"ファイル " + src + "199905.DAT と " + src +
                                       "199905.dat は大文字と小文字だけが違い、どちらも "
                                       "199905.CSV になるため、書き出しませんでした。"});
    EXPECT_EQ(Names(folders.destination), std::vector<std::string>{"199904.CSV"});
}

TEST(ExportFolderToCsv, RemovesWhatAKilledExportLeftButNotAWriterStillRunning) {
    Folders folders;
    WriteFile(folders.source / "199905.DAT", "");
    const std::string killed = TemporaryFileName("199905.CSV", HostName(), DeadProcessId(), 0);
    const std::string running = TemporaryFileName("199904.CSV", HostName(), ::getppid(), 0);
    const std::string users = "199903.CSV.tmp" + std::to_string(DeadProcessId()) + "-0";
    for (const std::string& name : {killed, running, users})
        WriteFile(folders.destination / name, "half");

    ExportFolderToCsv(RealFileSystem(), folders.source.string(), folders.destination.string(),
                      Categories());

    EXPECT_EQ(Names(folders.destination), (std::vector<std::string>{running, users, "199905.CSV"}));
}

}  // namespace
}  // namespace hanaki
