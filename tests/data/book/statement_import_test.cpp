#include "data/book/statement_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/formats/category_table.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

CategoryTable StatementCategories() {
    CategoryTable categories;
    categories.names[1] = Sjis("給料");
    categories.descriptions[1][1] = Sjis("給料");
    categories.names[2] = Sjis("食費");
    categories.kinds[2] = CategoryKind::Expense;
    categories.descriptions[2][1] = Sjis("食料品");
    categories.descriptions[2][2] = Sjis("外食");
    categories.names[3] = Sjis("雑収入");
    categories.descriptions[3][1] = Sjis("返金");
    return categories;
}

struct ExpectedRow {
    int line;
    CivilDate date;
    bool income;
    long long amount;
    std::string text;    // UTF-8
    std::string remark;  // UTF-8; empty: the text
};

struct ShapeCase {
    std::string name;
    std::string utf8;  // the file's text
    bool cp932;        // written in code page 932 with CR LF, else UTF-8 with LF
    bool byteOrderMark;
    std::vector<ExpectedRow> rows;
};

std::string WithLineEnds(std::string text, bool crlf) {
    if (!crlf)
        return text;
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

const std::string kBank =
    "普通預金 1234567\n"
    "照会期間,2026/11/26～2026/12/08\n"
    "日付,摘要,お支払金額,お預り金額,残高\n"
    "2026/11/27,ｶ)ﾏﾙｴﾂ,\"1,234\",,\"98,766\"\n"
    "2026-11-28,給与　ハナキショウジ,,\"250,000\",\"348,766\"\n"
    "2026年12月1日,\"ＡＢＣカード\n11月分\",\"45,000\",,\"303,766\"\n"
    "20261202,ATM,￥10000,,\"293,766\"\n"
    "R8.12.3,利息,0,1円,\"293,767\"\n"
    "令和8年12月4日,\"振込 \"\"山田\"\"\",５００,,\"293,267\"\n"
    "\n";
const std::vector<ExpectedRow> kBankRows = {
    {4, {2026, 11, 27}, false, 1234, "ｶ)ﾏﾙｴﾂ", ""},
    {5, {2026, 11, 28}, true, 250000, "給与　ハナキショウジ", ""},
    {6, {2026, 12, 1}, false, 45000, "ＡＢＣカード\n11月分", "ＡＢＣカード 11月分"},
    {8, {2026, 12, 2}, false, 10000, "ATM", ""},
    {9, {2026, 12, 3}, true, 1, "利息", ""},
    {10, {2026, 12, 4}, false, 500, "振込 \"山田\"", ""},
};

const std::string kCard =
    "ハナキカード ご利用明細\n"
    "お支払日,2027/01/10\n"
    "利用日,利用店名・商品名,利用者,支払方法,利用金額,手数料,支払総額\n"
    "2026/11/28,ＡＭＡＺＯＮ．ＣＯ．ＪＰ,本人,1回払い,\"1,980\",0,\"1,980\"\n"
    "2026/11/30,スーパー丸,家族,1回払い,３２１０,0,３２１０\n"
    "2026/12/01,ＡＭＡＺＯＮ．ＣＯ．ＪＰ 返品,本人,1回払い,\"-1,980\",0,\"-1,980\"\n"
    "2026/12/02,ガソリン,本人,分割,\"￥5,000\",100,\"￥5,100\"\n"
    ",,,,合計,,\"8,310\"\n";
const std::vector<ExpectedRow> kCardRows = {
    {4, {2026, 11, 28}, false, 1980, "ＡＭＡＺＯＮ．ＣＯ．ＪＰ", ""},
    {5, {2026, 11, 30}, false, 3210, "スーパー丸", ""},
    {6, {2026, 12, 1}, true, 1980, "ＡＭＡＺＯＮ．ＣＯ．ＪＰ 返品", ""},
    {7, {2026, 12, 2}, false, 5100, "ガソリン", ""},
};

std::string Repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// 66 bytes in code page 932: the remark keeps the first 30 characters.
const std::string kLongText = Repeated("あ", 32) + "い";

const std::string kHouseholdBook =
    "日付\t内容\t金額（円）\t大項目\t中項目\tメモ\n"
    "2026/12/05\tローソン\t-450\t食費\t食料品\t\n"
    "2026/12/06\t給与\t300,000\t収入\t給与\t\n"
    "2026/12/07\tドラッグストア\t−1,234円\t日用品\t雑貨\t\n"
    "2026/12/08\t=1+2 メモ\t-100\t\t\t\n"
    "2026/12/08\t" +
    kLongText + "\t-1\t\t\t\n";
const std::vector<ExpectedRow> kHouseholdRows = {
    {2, {2026, 12, 5}, false, 450, "ローソン", ""},
    {3, {2026, 12, 6}, true, 300000, "給与", ""},
    {4, {2026, 12, 7}, false, 1234, "ドラッグストア", ""},
    {5, {2026, 12, 8}, false, 100, "=1+2 メモ", ""},  // a formula's look stays text
    {6, {2026, 12, 8}, false, 1, kLongText, Repeated("あ", 30)},
};

TEST(StatementPlan, theThreeShapesReadInBothEncodings) {
    const ShapeCase cases[] = {
        {"bank, code page 932", kBank, true, false, kBankRows},
        {"bank, UTF-8 with a byte order mark", kBank, false, true, kBankRows},
        {"card, code page 932", kCard, true, false, kCardRows},
        {"card, UTF-8", kCard, false, false, kCardRows},
        {"household book, code page 932, tabs", kHouseholdBook, true, false, kHouseholdRows},
        {"household book, UTF-8 with a byte order mark, tabs", kHouseholdBook, false, true,
         kHouseholdRows},
    };
    testing::TempFolder temp;
    const CategoryTable categories = StatementCategories();
    for (const ShapeCase& c : cases) {
        const std::string text = WithLineEnds(c.utf8, c.cp932);
        const std::string bytes =
            c.cp932 ? Sjis(text) : (c.byteOrderMark ? "\xEF\xBB\xBF" : "") + text;
        const StatementTable table = ReadStatementTable(bytes);
        ASSERT_EQ(table.error, StatementReadError::None) << c.name;
        EXPECT_EQ(table.encoding, c.cp932 ? StatementEncoding::Cp932 : StatementEncoding::Utf8)
            << c.name;
        const std::optional<GuessedLayout> layout = GuessStatementLayout(table);
        ASSERT_TRUE(layout) << c.name;
        const StatementPlan plan =
            PlanStatementImport(temp.folder(), categories, kMonthEnd, table, *layout, {});
        ASSERT_TRUE(plan.io.ok()) << c.name;
        ASSERT_EQ(plan.rows.size(), c.rows.size()) << c.name;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const PlannedRow& got = plan.rows[i];
            const ExpectedRow& want = c.rows[i];
            const std::string where = c.name + " row " + std::to_string(i);
            EXPECT_EQ(got.problem, RowProblem::None) << where;
            EXPECT_EQ(got.line, want.line) << where;
            EXPECT_EQ(got.date, want.date) << where;
            EXPECT_EQ(got.income, want.income) << where;
            EXPECT_EQ(got.amount, want.amount) << where;
            EXPECT_EQ(got.text, want.text) << where;
            EXPECT_EQ(got.remark, Sjis(want.remark.empty() ? want.text : want.remark)) << where;
            EXPECT_FALSE(got.checked) << where << ": no rule, no category";
        }
    }
}

// Closing day 25, so 11/26 … 12/25 is 2026年12月度; a bread bought by hand
// on 12/01 already stands in it.
struct Household {
    Household() {
        EXPECT_TRUE(SaveCategoryTable(temp.folder(), categories).ok());
        temp.Write("202612.DAT", testing::LedgerFileBytes({{"261201", "02", "食費", "01", "食料品",
                                                            "-1980", "スーパー丸"}}));
        rules =
            ParseStatementRules(Sjis("2,1,パン屋\r\n2,1,本屋\r\n2,1,スーパー\r\n1,1,給与\r\n"
                                     "2,1,返品\r\n"));
    }

    StatementPlan Plan(const std::string& csv, const RemarkProposer& proposer = {}) {
        const StatementTable table = ReadStatementTable(csv);
        const std::optional<GuessedLayout> layout = GuessStatementLayout(table);
        EXPECT_TRUE(layout);
        return PlanStatementImport(folder, categories, 25, table, *layout, rules, proposer);
    }

    StatementImport Import(const StatementPlan& plan) {
        return ImportStatementRows(folder, categories, 25, plan.rows, "明細 test.csv の取り込み");
    }

    testing::TempFolder temp;
    DataFolder folder = temp.folder();
    CategoryTable categories = StatementCategories();
    StatementRules rules;
};

const std::string kTwoMonths =
    "日付,内容,金額（円）\n"
    "2026/11/20,本屋,-800\n"
    "2026/11/30,パン屋,-300\n"
    "2026/11/30,パン屋,-300\n"
    "2026/12/01,スーパー丸,-1980\n"
    "2026/12/01,花屋,-500\n"
    "2026/12/24,給与,250000\n"
    "2026/12/24,返品,500\n";

TEST(StatementImport, aSecondImportOfTheSameRowsAddsNothing) {
    Household h;
    const RemarkProposer memory = [](std::string_view remark) -> std::optional<CategoryChoice> {
        if (remark == Sjis("花屋"))
            return CategoryChoice{2, 2};
        return std::nullopt;
    };
    const StatementPlan first = h.Plan(kTwoMonths, memory);
    ASSERT_EQ(first.rows.size(), 7u);
    const std::vector<bool> already = {false, false, false, true, false, false, false};
    const std::vector<ProposalSource> sources = {
        ProposalSource::Rule,   ProposalSource::Rule, ProposalSource::Rule, ProposalSource::Rule,
        ProposalSource::Memory, ProposalSource::Rule, ProposalSource::None};
    for (std::size_t i = 0; i < already.size(); ++i) {
        EXPECT_EQ(first.rows[i].alreadyImported, already[i]) << i;
        EXPECT_EQ(first.rows[i].source, sources[i]) << i;
    }
    // A refund is income: the rule's expense category does not fit it.
    EXPECT_FALSE(first.rows[6].checked);
    EXPECT_EQ(first.rows[0].month, (AccountingMonth{126, 11}));
    EXPECT_EQ(first.rows[1].month, (AccountingMonth{126, 12}));
    EXPECT_EQ(first.rows[1].accountingKey, "261205");

    const StatementImport done = h.Import(first);
    ASSERT_TRUE(done.io.ok());
    EXPECT_EQ(done.importedCount, 5);
    EXPECT_EQ(h.temp.Read("202611.DAT"),
              testing::LedgerFileBytes({{"261120", "02", "食費", "01", "食料品", "-800", "本屋"}}));
    EXPECT_EQ(h.temp.Read("202612.DAT"),
              testing::LedgerFileBytes({
                  {"261130", "02", "食費", "01", "食料品", "-300", "パン屋"},
                  {"261130", "02", "食費", "01", "食料品", "-300", "パン屋"},
                  {"261201", "02", "食費", "01", "食料品", "-1980", "スーパー丸"},
                  {"261201", "02", "食費", "02", "外食", "-500", "花屋"},
                  {"261224", "01", "給料", "01", "給料", "+250000", "給与"},
              }));

    const std::string november = h.temp.Read("202611.DAT"), december = h.temp.Read("202612.DAT");
    const StatementPlan second = h.Plan(kTwoMonths, memory);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_TRUE(second.rows[i].alreadyImported) << i;
        EXPECT_FALSE(second.rows[i].checked) << i;
    }
    // Checked by hand anyway, as a second window would: found again, not added.
    StatementPlan forced = first;
    EXPECT_EQ(h.Import(forced).importedCount, 0);
    EXPECT_EQ(h.temp.Read("202611.DAT"), november);
    EXPECT_EQ(h.temp.Read("202612.DAT"), december);
}

TEST(StatementImport, aRuleLearntForOneRowDecidesTheNextStatement) {
    Household h;
    StatementPlan plan = h.Plan(kTwoMonths);
    PlannedRow& flowers = plan.rows[4];
    ASSERT_EQ(flowers.source, ProposalSource::None);
    ChooseCategory(h.categories, flowers, {2, 2});
    EXPECT_TRUE(flowers.checked);
    LearnStatementRule(h.rules, {flowers.remark, false, 2, 2});
    ASSERT_TRUE(SaveStatementRules(h.folder, h.rules).ok());
    ASSERT_TRUE(LoadStatementRules(h.folder, h.rules).ok());
    const StatementPlan next = h.Plan("日付,内容,金額（円）\n2026/12/10,花屋 駅前,-700\n");
    EXPECT_EQ(next.rows.at(0).source, ProposalSource::Rule);
    EXPECT_EQ(next.rows.at(0).choice, (CategoryChoice{2, 2}));
    EXPECT_TRUE(next.rows.at(0).checked);
}

TEST(StatementImport, aMonthPastAThousandItemsStopsTheWholeImport) {
    struct Case {
        int rowsInDecember;
        bool refused;
    };
    for (const Case c : {Case{1, false}, Case{2, true}}) {
        Household h;
        std::vector<testing::ItemFields> items(999,
                                               {"261202", "02", "食費", "01", "食料品", "-1", "x"});
        const std::string full = testing::LedgerFileBytes(items);
        h.temp.Write("202612.DAT", full);
        std::string csv = "日付,内容,金額（円）\n2026/11/20,本屋,-800\n";
        for (int i = 0; i < c.rowsInDecember; ++i)
            csv += "2026/12/0" + std::to_string(i + 3) + ",パン屋,-300\n";
        const StatementImport done = h.Import(h.Plan(csv));
        EXPECT_TRUE(done.io.ok());
        EXPECT_EQ(done.fullMonth.has_value(), c.refused) << c.rowsInDecember;
        if (!c.refused) {
            EXPECT_EQ(done.importedCount, 2);
            continue;
        }
        EXPECT_EQ(*done.fullMonth, (AccountingMonth{126, 12}));
        EXPECT_EQ(done.fullMonthCount, 1001);
        EXPECT_EQ(AccountingMonthWords(*done.fullMonth), "2026年12月度");
        EXPECT_FALSE(h.temp.Exists("202611.DAT"));
        EXPECT_EQ(h.temp.Read("202612.DAT"), full);
    }
}

TEST(StatementImport, oneUndoTakesBackTheWholeImport) {
    Household h;
    std::int64_t now = 1'800'000'000;
    KeepHistory(h.folder, [&] { return now; });
    const std::string december = h.temp.Read("202612.DAT");
    ASSERT_EQ(h.Import(h.Plan(kTwoMonths)).importedCount, 4);  // 花屋 has no category here
    const History history = ReadHistory(h.folder);
    const std::optional<ChangeGroup> last = LastUndoableChange(history);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->entries.size(), 2u);
    EXPECT_EQ(UndoQuestion(*last), "明細 test.csv の取り込みを取り消しますか？");
    EXPECT_EQ(UndoChange(h.folder, history, *last), "");
    EXPECT_FALSE(h.temp.Exists("202611.DAT"));
    EXPECT_EQ(h.temp.Read("202612.DAT"), december);
}

TEST(StatementImport, aFailedWriteOfTheSecondMonthPutsTheFirstBack) {
    Household h;
    testing::FaultyFileSystem faulty;
    DataFolder folder(h.temp.path(), faulty);
    const StatementPlan plan = h.Plan(kTwoMonths);
    const std::string december = h.temp.Read("202612.DAT");
    // 202611.DAT is written first; the second file's rename fails.
    faulty.Arm({testing::FsCall::Rename, 2, ENOSPC});
    const StatementImport done =
        ImportStatementRows(folder, h.categories, 25, plan.rows, "明細 test.csv の取り込み");
    EXPECT_TRUE(faulty.fired());
    ASSERT_FALSE(done.io.ok());
    EXPECT_EQ(done.importedCount, 0);
    EXPECT_FALSE(h.temp.Exists("202611.DAT"));
    EXPECT_EQ(h.temp.Read("202612.DAT"), december);
}

}  // namespace
}  // namespace hanaki
