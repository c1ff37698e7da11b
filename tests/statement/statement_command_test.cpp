#include "statement/statement_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>

#include "data/disk/folder_lock.h"
#include "data/formats/category_table.h"
#include "data/formats/entry_options.h"
#include "data/formats/fixed_items.h"
#include "data/formats/statement_layouts.h"
#include "data/formats/statement_rules.h"
#include "data/program/folder_copy.h"
#include "export/csv_export.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

struct StatementRun {
    int code = 0;
    std::string out;
    std::string err;
};

StatementRun RunStatement(const testing::TempFolder& temp, const std::string& file,
                          bool dryRun = false) {
    std::ostringstream out, err;
    const int code =
        RunStatementCommand(temp.path(), {file, dryRun, false}, {2026, 12, 8}, out, err);
    return {code, out.str(), err.str()};
}

void WriteStatementHousehold(const testing::TempFolder& temp) {
    CategoryTable categories;
    categories.names[1] = Sjis("食費");
    categories.kinds[1] = CategoryKind::Expense;
    categories.descriptions[1][1] = Sjis("食料品");
    ASSERT_TRUE(SaveCategoryTable(temp.folder(), categories).ok());
    temp.Write("VERADIV.ENV", "31\r\n");
    temp.Write(std::string(kStatementLayoutsFileName), Sjis("1,3,-,0,0,2,日付\t内容\t金額\r\n"));
    temp.Write(std::string(kStatementRulesFileName), Sjis("1,1,パン\r\n"));
    temp.Write("book.csv", "日付,内容,金額\n2026/12/01,パン,-300\n2026/12/02,パン,-300\n");
}

// What each run prints is in the baselines beside this file; here, what only
// a second run, a held lock and a FIFO show.
TEST(StatementCommand, importsOnceWaitsForAFolderInUseAndRefusesAFifo) {
    testing::TempFolder temp;
    WriteStatementHousehold(temp);
    const std::string file = temp.path() + "/book.csv";
    {
        FolderLock other(temp.path(), "tsugite");
        ASSERT_TRUE(other.held());
        const StatementRun refused = RunStatement(temp, file);
        EXPECT_EQ(refused.code, 3);
        EXPECT_FALSE(temp.Exists("202612.DAT"));
        EXPECT_EQ(RunStatement(temp, file, true).code, 0);  // a dry run only reads
    }
    EXPECT_EQ(RunStatement(temp, file).code, 0);
    const std::string once = temp.Read("202612.DAT");
    EXPECT_EQ(once.size(), 2 * kLedgerRecordBytes);
    const StatementRun again = RunStatement(temp, file);
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(temp.Read("202612.DAT"), once);
    EXPECT_NE(again.out.find("取込済"), std::string::npos) << again.out;

    const std::string fifo = temp.path() + "/pipe.csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const StatementRun piped = RunStatement(temp, fifo);
    EXPECT_EQ(piped.code, 1);
    EXPECT_NE(piped.err.find("FIFO"), std::string::npos) << piped.err;

    // Past the size limit: refused before a byte is read.
    temp.Write("big.csv", std::string(kLargestDataFile + 1, 'a'));
    const StatementRun big = RunStatement(temp, temp.path() + "/big.csv");
    EXPECT_EQ(big.code, 1);
    EXPECT_NE(big.err.find("8 MB"), std::string::npos) << big.err;
}

// No rule names the bakery; November's item with the same remark does.
TEST(StatementCommand, aRowNoRuleDecidesTakesTheCategoryOfThePastItemWithItsRemark) {
    testing::TempFolder temp;
    WriteStatementHousehold(temp);
    temp.Write("202611.DAT", testing::LedgerFileBytes({{.date = "261120",
                                                        .category = "01",
                                                        .categoryName = "食費",
                                                        .description = "01",
                                                        .descriptionName = "食料品",
                                                        .amount = "-450",
                                                        .remark = "ベーカリー朝日"}}));
    temp.Write("book.csv", "日付,内容,金額\n2026/12/03,ベーカリー朝日,-380\n");
    const StatementRun run = RunStatement(temp, temp.path() + "/book.csv");
    EXPECT_EQ(run.code, 0) << run.err;
    const std::string december = temp.Read("202612.DAT");
    ASSERT_EQ(december.size(), kLedgerRecordBytes);
    EXPECT_EQ(DecodeLedgerRecord(december).categoryNumber, "01");
    EXPECT_EQ(DecodeLedgerRecord(december).amount, "-380      ");
}

TEST(StatementCommand, aBackupKeepsTheRulesLayoutsFixedItemsAndEntryOptions) {
    testing::TempFolder temp, copies;
    WriteStatementHousehold(temp);
    temp.Write(std::string(kFixedItemsFileName), Sjis("27,3,1,80000,家賃,1,2026/01,\r\n"));
    temp.Write(std::string(kEntryOptionsFileName), Sjis("1桁で次へ=1\r\n"));
    const std::string destination = copies.path() + "/copy";
    ASSERT_EQ(BackUpFolder(temp.folder(), destination), "");
    for (std::string_view name : {kStatementRulesFileName, kStatementLayoutsFileName,
                                  kFixedItemsFileName, kEntryOptionsFileName})
        EXPECT_EQ(testing::ReadFile(destination + "/" + std::string(name)),
                  temp.Read(std::string(name)))
            << name;
}

TEST(StatementCommand, theCsvExportWritesAFormulaLookingRemarkAsText) {
    CategoryTable categories;
    categories.names[1] = Sjis("食費");
    categories.kinds[1] = CategoryKind::Expense;
    categories.descriptions[1][1] = Sjis("食料品");
    int skipped = 0;
    const std::string csv = LedgerToCsv(
        testing::LedgerFileBytes({{"261201", "01", "食費", "01", "食料品", "-100", "=1+2"},
                                  {"261201", "01", "食費", "01", "食料品", "-100", "@SUM(A1)"},
                                  {"261201", "01", "食費", "01", "食料品", "-100", "1-2"}}),
        categories, skipped);
    EXPECT_NE(csv.find(",\"'=1+2\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"'@SUM(A1)\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"1-2\"\r\n"), std::string::npos) << csv;
}

}  // namespace
}  // namespace hanaki
