#include <gtest/gtest.h>

#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using testing::TempFolder;

LedgerRecord Item(const std::string& date, int category, const std::string& name, int description,
                  const std::string& descriptionName, const std::string& amount,
                  const std::string& remark = "") {
    return testing::RecordOf(
        {date, TwoDigits(category), name, TwoDigits(description), descriptionName, amount, remark});
}

// Adds an item after the last item of its day, as the day view does.
void Add(MonthLedger& ledger, const LedgerRecord& record) {
    AppendItem(ledger, CollectDay(ledger, record.date).insertionPoint, record);
}

TEST(LedgerRecordLayout, fieldsSitAtTheirOffsetsPaddedWithBlanks) {
    LedgerRecord record = Item("990526", 2, "食費食費食", 1, "朝食", "+500",
                               "全角三十文字の備考全角三十文字の備考全角三十文字の備考あいう");
    std::string bytes = EncodeLedgerRecord(record);
    ASSERT_EQ(bytes.size(), 104u);
    EXPECT_EQ(bytes.substr(0, 6), "990526");
    EXPECT_EQ(bytes.substr(6, 2), "02");
    EXPECT_EQ(bytes.substr(8, 12), Sjis("食費食費食") + "  ");
    EXPECT_EQ(bytes.substr(20, 2), "01");
    EXPECT_EQ(bytes.substr(22, 12), Sjis("朝食") + std::string(8, ' '));
    EXPECT_EQ(bytes.substr(34, 10), "+500      ");
    EXPECT_EQ(bytes.substr(44, 60),
              Sjis("全角三十文字の備考全角三十文字の備考全角三十文字の備考あいう"));
    EXPECT_EQ(DecodeLedgerRecord(bytes),
              DecodeLedgerRecord(EncodeLedgerRecord(DecodeLedgerRecord(bytes))));
}

TEST(LedgerRecordLayout, aCutNeverLeavesHalfACharacter) {
    LedgerRecord record = Item("990526", 1, "給料", 1, "基本給", "+1");
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "備";
    record.remark = "a" + Sjis(thirty);
    std::string remark = EncodeLedgerRecord(record).substr(44, 60);
    // "a" and 29 full-width characters make 59 bytes; the 30th would straddle the end.
    EXPECT_EQ(remark.substr(0, 59), "a" + Sjis(thirty).substr(0, 58));
    EXPECT_EQ(remark[59], ' ');
}

TEST(MonthLedgerFile, itemsAreStoredUnderTheirCalendarDatesInTheAccountingMonthsFile) {
    TempFolder dir;
    MonthLedger ledger;
    Add(ledger, Item("000101", 2, "食費", 1, "朝食", "-300"));
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 25, 100, 1, ledger).ok());
    EXPECT_EQ(dir.Read("200001.DAT").substr(0, 6), "991226");

    MonthLedger calendarMonth;
    Add(calendarMonth, Item("991226", 2, "食費", 1, "朝食", "-300"));
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 12, calendarMonth).ok());
    EXPECT_EQ(dir.Read("199912.DAT").substr(0, 6), "991226");
}

TEST(MonthLedgerFile, loadingAndSavingAnUnchangedMonthGivesBackTheSameBytes) {
    TempFolder dir;
    std::string bytes =
        EncodeLedgerRecord(Item("991226", 1, "給料", 1, "基本給", "+250000")) +
        EncodeLedgerRecord(Item("991231", 2, "食費", 2, "昼食", "-800", "〜ランチ−")) +
        EncodeLedgerRecord(Item("000125", 2, "食費", 1, "朝食", "+-300", "①"));
    dir.Write("200001.DAT", bytes);
    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 25, 100, 1, ledger).ok());
    EXPECT_EQ(ledger.entries[1].record.date, "000101");
    EXPECT_EQ(ledger.entries[3].record.date, "000131");
    EXPECT_EQ(ledger.nextFree, 4);
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 25, 100, 1, ledger).ok());
    EXPECT_EQ(dir.Read("200001.DAT"), bytes);
}

TEST(MonthLedgerFile, newItemsFollowTheLastItemOfTheirDay) {
    MonthLedger ledger;
    Add(ledger, Item("000105", 2, "食費", 1, "a", "-1"));
    Add(ledger, Item("000103", 2, "食費", 1, "b", "-2"));
    Add(ledger, Item("000105", 2, "食費", 1, "c", "-3"));
    Add(ledger, Item("000101", 2, "食費", 1, "d", "-4"));
    std::string order;
    for (int s = ledger.head; s != 0; s = ledger.entries[s].next)
        order += TrimRight(ledger.entries[s].record.descriptionName);
    EXPECT_EQ(order, "dbac");
    EXPECT_EQ(CollectDay(ledger, "000105").items, (std::vector<int>{1, 3}));
    EXPECT_EQ(ledger.entries[ledger.LastSlot()].record.descriptionName, "c");
}

TEST(MonthLedgerFile, deletionsShortenTheFileAndTheLastOneRemovesIt) {
    TempFolder dir;
    MonthLedger ledger;
    for (int i = 1; i <= 3; ++i)
        Add(ledger, Item("990510", 2, "食費", 1, "朝食", "-" + std::to_string(i)));
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_EQ(dir.Read("199905.DAT").size(), 312u);

    UnlinkItem(ledger, 2);
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    std::string bytes = dir.Read("199905.DAT");
    ASSERT_EQ(bytes.size(), 208u);
    EXPECT_EQ(bytes.substr(34, 2), "-1");
    EXPECT_EQ(bytes.substr(104 + 34, 2), "-3");

    UnlinkItem(ledger, 1);
    UnlinkItem(ledger, 3);
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_FALSE(dir.Exists("199905.DAT"));
}

TEST(MonthLedgerFile, emptyAndMissingFilesAreEmptyMonths) {
    TempFolder dir;
    MonthLedger ledger;
    Add(ledger, Item("990510", 2, "食費", 1, "朝食", "-1"));
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_EQ(ledger.head, 0);
    EXPECT_EQ(ledger.nextFree, 1);

    dir.Write("199906.DAT", "");
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 6, ledger).ok());
    EXPECT_EQ(ledger.head, 0);
    EXPECT_EQ(dir.FileCount(), 1u);
}

TEST(MonthLedgerFile, damagedRecordsAreKeptByteForByteButNeverShown) {
    TempFolder dir;
    std::string good = EncodeLedgerRecord(Item("990510", 2, "食費", 1, "朝食", "-100"));
    std::string badNumber = good;
    badNumber.replace(6, 2, "x1");
    std::string badCategory = good;
    badCategory.replace(6, 2, "21");
    std::string badAmount = good;
    badAmount.replace(35, 3, "1O0");
    std::string tail = "990510  trailing bytes";
    std::string bytes = good + badNumber + badCategory + badAmount + good + tail;
    dir.Write("199905.DAT", bytes);

    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_EQ(ledger.unreadableRecords, 4);
    EXPECT_EQ(CollectDay(ledger, "990510").items, (std::vector<int>{1, 5}));

    // A new item goes after the day's last readable item; nothing is lost.
    Add(ledger, Item("990510", 2, "食費", 1, "朝食", "-7"));
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    std::string saved = dir.Read("199905.DAT");
    std::string added = EncodeLedgerRecord(Item("990510", 2, "食費", 1, "朝食", "-7"));
    EXPECT_EQ(saved, good + badNumber + badCategory + badAmount + good + added + tail);
}

TEST(MonthLedgerFile, aMonthOfMoreThanAThousandRecordsLoadsWholeAndIsFull) {
    TempFolder dir;
    std::string bytes;
    for (int i = 0; i < 1005; ++i)
        bytes += EncodeLedgerRecord(Item("990510", 2, "食費", 1, "朝食", "-1"));
    dir.Write("199905.DAT", bytes);
    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_TRUE(ledger.IsFull());
    ASSERT_TRUE(SaveMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    EXPECT_EQ(dir.Read("199905.DAT"), bytes);
}

TEST(MonthLedgerFile, anUnreadableFileLeavesTheOpenMonthAsItWas) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() + "/199905.DAT");
    MonthLedger ledger;
    Add(ledger, Item("990510", 2, "食費", 1, "朝食", "-1"));
    IoResult result = LoadMonthLedger(dir.folder(), 31, 99, 5, ledger);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(DescribeIoError(*result.error).find("199905.DAT"), std::string::npos);
    EXPECT_EQ(ledger.head, 1);
}

TEST(MonthLedgerChain, aCorrectionKeepsItsPlaceAndAFullMonthTakesNoMore) {
    MonthLedger ledger;
    Add(ledger, Item("990510", 2, "食費", 1, "a", "-1"));
    Add(ledger, Item("990510", 2, "食費", 1, "b", "-2"));
    ReplaceItem(ledger, 1, Item("990510", 1, "給料", 1, "A", "+9"));
    EXPECT_EQ(ledger.head, 1);
    EXPECT_EQ(ledger.entries[1].next, 2);
    EXPECT_EQ(ledger.entries[1].record.descriptionName, "A");
    EXPECT_EQ(ledger.nextFree, 3);

    ledger.nextFree = kLedgerSlots + 1;
    EXPECT_EQ(AppendItem(ledger, 2, Item("990510", 2, "食費", 1, "c", "-3")), 0);
    EXPECT_EQ(ledger.entries[2].next, 0);
}

TEST(MonthLedgerChain, aChainDamagedIntoALoopStillEnds) {
    MonthLedger ledger;
    Add(ledger, Item("990510", 2, "食費", 1, "a", "-1"));
    Add(ledger, Item("990511", 2, "食費", 1, "b", "-2"));
    ledger.entries[2].next = 1;
    EXPECT_LE(CollectDay(ledger, "990511").items.size(), ledger.entries.size());
    UnlinkItem(ledger, 3);  // not in the chain
    EXPECT_NE(LastEntryDate(ledger, 31), std::nullopt);
}

TEST(MonthLedgerChain, theLastEntryDateIsTheLastReadableItemsCalendarDate) {
    TempFolder dir;
    dir.Write("200001.DAT",
              EncodeLedgerRecord(Item("991226", 1, "給料", 1, "a", "+1")) + std::string(104, 'x'));
    MonthLedger ledger;
    EXPECT_EQ(LastEntryDate(ledger, 25), std::nullopt);
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 25, 100, 1, ledger).ok());
    EXPECT_EQ(LastEntryDate(ledger, 25), (CivilDate{1999, 12, 26}));
}

// Of equal items the one nearest the slot picked; an unlinked slot holds no item.
TEST(MonthLedgerChain, aPickedItemIsTheNearestEqualOneWhenItsSlotHoldsAnother) {
    const LedgerRecord a = Item("990510", 2, "食費", 1, "a", "-1");
    const LedgerRecord b = Item("990511", 2, "食費", 1, "b", "-2");
    MonthLedger ledger;
    for (const LedgerRecord& record : {b, a, a, b, a})
        AppendItem(ledger, ledger.LastSlot(), record);
    EXPECT_EQ(LocateItem(ledger, 3, b), 4);
    EXPECT_EQ(LocateItem(ledger, 2, b), 1);
    UnlinkItem(ledger, 4);
    EXPECT_EQ(LocateItem(ledger, 4, b), 1);
    UnlinkItem(ledger, 1);
    EXPECT_EQ(LocateItem(ledger, 1, b), 0);
}

TEST(ItemNumbers, amountsAreReadFromTheSecondCharacter) {
    EXPECT_EQ(ReadItemNumbers(Item("990510", 2, "食費", 3, "x", "+-300"))->amount, -300);
    EXPECT_EQ(ReadItemNumbers(Item("990510", 2, "食費", 3, "x", "-123456789"))->amount, 123456789);
    EXPECT_FALSE(ReadItemNumbers(Item("990510", 2, "食費", 3, "x", "+")));
}

}  // namespace
}  // namespace hanaki
