#include "data/book/ledger_search.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/formats/fixed_field.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;

std::string Record(const std::string& date, int category, const std::string& amount,
                   const std::string& remark) {
    return testing::RecordBytes({date, TwoDigits(category), "食費", "01", "夕食", amount, remark});
}

RecordMatch RemarkStartsWith(char letter) {
    return [letter](const RecordFields& fields) { return fields.remark().front() == letter; };
}

// Every month's search in one.
struct Found {
    std::vector<FoundItem> items;
    std::vector<std::string> problems;
    bool readFailed = false;
};

Found SearchAll(const DataFolder& folder, MonthSpan span, const RecordMatch& match) {
    Found all;
    SearchLedgers(
        folder, span, match,
        [&](const FoundRecord& found) {
            all.items.push_back({found.year, found.month, found.slot,
                                 DecodeLedgerRecord(found.fields.bytes), found.fields.numbers});
        },
        [&](const LedgerSearch& month) {
            all.problems.insert(all.problems.end(), month.problems.begin(), month.problems.end());
            all.readFailed = all.readFailed || month.readFailed;
        });
    return all;
}

TEST(LedgerSearch, walksTheMonthsOfTheSpanOldestFirstAndNamesWhatItCannotRead) {
    TempFolder dir;
    dir.Write("202601.DAT", Record("260105", 2, "-100", "a1") + Record("260106", 2, "-200", "b") +
                                Record("260107", 2, "-300", "a2"));
    // A record without a category and a cut-off tail: neither is searched, both are counted.
    dir.Write("202512.DAT",
              Record("251201", 0, "-1", "a0") + Record("251202", 2, "-5", "a3") + "a-bit");
    dir.Write("202602.DAT", Record("260201", 2, "-9", "a4"));
    std::filesystem::create_directory(dir.path() + "/202511.DAT");  // cannot be read as a file

    const Found found =
        SearchAll(dir.folder(), {2025 * 12 + 10, 2026 * 12 + 0}, RemarkStartsWith('a'));

    std::vector<std::tuple<int, int, int, std::string>> seen;
    for (const FoundItem& item : found.items)
        seen.emplace_back(item.year, item.month, item.slot, TrimRight(item.record.remark));
    EXPECT_EQ(seen, (decltype(seen){{2025, 12, 2, "a3"}, {2026, 1, 1, "a1"}, {2026, 1, 3, "a2"}}));
    EXPECT_EQ(found.items[1].record.date, "260105");
    EXPECT_EQ(found.items[1].numbers.amount, 100);
    ASSERT_EQ(found.problems.size(), 2u);
    EXPECT_NE(found.problems[0].find("202511.DAT"), std::string::npos) << found.problems[0];
    EXPECT_EQ(found.problems[1],
              "202512.DAT の 2件の記録が読み取れません。これらの記録は検索されません。");
    EXPECT_TRUE(found.readFailed);
}

TEST(LedgerSearch, theColumnFollowsTheMastersKindElseTheRecordsSign) {
    CategoryTable master;
    master.names[1] = "a";
    master.kinds[1] = CategoryKind::Income;
    master.names[2] = "b";
    master.kinds[2] = CategoryKind::Expense;
    const struct {
        int category;
        std::string amount;
        bool income;
    } cases[] = {
        {1, "-500", true},   // an income category written with the other sign
        {2, "+500", false},  // an expense category written with the other sign
        {7, "+500", true},   // no such category: the sign decides
        {7, "-500", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsIncomeItem(master, c.category, c.amount), c.income)
            << c.category << " " << c.amount;
}

TEST(LedgerSearch, aFoundItemIsLocatedInItsMonthOnlyUntilItIsChangedOrRemoved) {
    TempFolder dir;
    dir.Write("202601.DAT", Record("260105", 2, "-100", "a") + Record("260106", 2, "-200", "b"));
    Found found = SearchAll(dir.folder(), {2026 * 12, 2026 * 12}, RemarkStartsWith('b'));
    ASSERT_EQ(found.items.size(), 1u);
    const FoundItem item = found.items[0];
    const LedgerRecord picked = ChainRecord(item, 25);

    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 25, 126, 1, ledger).ok());
    EXPECT_EQ(LocateItem(ledger, item.slot, picked), 2);
    LedgerRecord changed = ledger.entries[2].record;
    changed.remark = Sjis("c");
    ReplaceItem(ledger, 2, changed);
    EXPECT_EQ(LocateItem(ledger, item.slot, picked), 0);
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 25, 126, 1, ledger).ok());
    UnlinkItem(ledger, 2);
    EXPECT_EQ(LocateItem(ledger, item.slot, picked), 0);
}

}  // namespace
}  // namespace hanaki
