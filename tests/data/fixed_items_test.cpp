#include "data/formats/fixed_items.h"
#include "data/book/due_entry.h"
#include "data/book/due_items.h"
#include "data/history/history_store.h"
#include "data/history/undo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/formats/fixed_field.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;

// "2026/02/28>202603/03": the calendar date, then where it goes.
std::vector<std::string> DueText(const std::string& lineUtf8, int closingDay, CivilDate today) {
    FixedItems items = ParseFixedItems(Sjis(lineUtf8));
    std::vector<std::string> shown;
    for (const DueOccurrence& due : DueOccurrences(items, closingDay, today)) {
        std::string text = std::to_string(due.date.year) + "/" + TwoDigits(due.date.month) + "/" +
                           TwoDigits(due.date.day);
        text += due.inLedgerYears
                    ? ">" + std::to_string(due.accounting.year + 1900) +
                          TwoDigits(due.accounting.month) + "/" + TwoDigits(due.accountingDay)
                    : ">refused";
        shown.push_back(text);
    }
    return shown;
}

TEST(FixedItems, dueDatesFollowMonthEndsIntervalsLastMonthsAndClosingDays) {
    struct Case {
        std::string line;
        int closingDay;
        CivilDate today;
        std::vector<std::string> due;
    };
    const std::vector<Case> cases{
        // The 31st falls on the month's last day; 末 likewise.
        {"31,7,1,85000,1,202601,,,家賃",
         31,
         {2026, 4, 30},
         {"2026/01/31>202601/31", "2026/02/28>202602/28", "2026/03/31>202603/31",
          "2026/04/30>202604/30"}},
        {"末,7,1,85000,1,202401,,202401,家賃", 31, {2024, 3, 30}, {"2024/02/29>202402/29"}},
        {"29,7,1,85000,1,202502,,,", 31, {2025, 3, 1}, {"2025/02/28>202502/28"}},
        // Not yet due later today's month; every two months; a last month.
        {"25,1,1,300000,1,202611,,,給料", 31, {2026, 12, 24}, {"2026/11/25>202611/25"}},
        {"10,8,3,,2,202601,,,水道代",
         31,
         {2026, 7, 10},
         {"2026/01/10>202601/10", "2026/03/10>202603/10", "2026/05/10>202605/10",
          "2026/07/10>202607/10"}},
        {"5,7,2,30000,3,202601,202604,,ローン",
         31,
         {2026, 12, 31},
         {"2026/01/05>202601/05", "2026/04/05>202604/05"}},
        {"1,16,1,40000,12,202504,,202504,車", 31, {2027, 3, 31}, {"2026/04/01>202604/01"}},
        // Closing day 25: past it the item goes into the next month; day 1 and
        // closing day 1 likewise.
        {"27,7,1,85000,1,202612,,,家賃", 25, {2026, 12, 31}, {"2026/12/27>202701/02"}},
        {"25,7,1,85000,1,202612,,,家賃", 25, {2026, 12, 31}, {"2026/12/25>202612/30"}},
        {"1,7,1,85000,1,202603,,,家賃", 1, {2026, 3, 1}, {"2026/03/01>202603/28"}},
        {"2,7,1,85000,1,202603,,,家賃", 1, {2026, 3, 2}, {"2026/03/02>202604/01"}},
        // Past the ledgers' last month.
        {"27,7,1,85000,1,204912,,,家賃", 25, {2049, 12, 31}, {"2049/12/27>refused"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DueText(c.line, c.closingDay, c.today), c.due) << c.line;
}

TEST(FixedItems, handledOccurrencesAreNeverDueAgainAndTheLineStaysShort) {
    FixedItems items = ParseFixedItems(Sjis("10,8,3,,2,202601,,,水道代"));
    FixedItem& item = *items.lines[0].item;
    MarkHandled(item, MonthNumber(2026, 5));  // skipped first, the older ones still asked
    MarkHandled(item, MonthNumber(2026, 9));
    EXPECT_EQ(FixedItemLine(item), Sjis("10,8,3,,2,202601,,+202605+202609,水道代"));
    MarkHandled(item, MonthNumber(2026, 1));
    MarkHandled(item, MonthNumber(2026, 3));
    EXPECT_EQ(FixedItemLine(item), Sjis("10,8,3,,2,202601,,202605+202609,水道代"));
    const std::vector<DueOccurrence> due = DueOccurrences(items, 31, {2026, 11, 30});
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].month, MonthNumber(2026, 7));
    EXPECT_EQ(due[1].month, MonthNumber(2026, 11));
}

TEST(FixedItems, aSaveKeepsHandWrittenNotesAndUnreadableLinesByteForByte) {
    const std::string file = Sjis(
        "; 定期項目\r\n"
        " 27, 7,1 ,85000,1,202601,,202611,家賃, 駐車場込み\r\n"
        "32,7,1,85000,1,202601,,,日がない\r\n"
        "25,1,1,300000,1,194912,,,範囲外\r\n"
        "\r\n"
        "末,8,3,,2,202602,202912,202610+202612,水道代\r\n");
    FixedItems items = ParseFixedItems(file);
    EXPECT_EQ(SerializeFixedItems(items), file);
    EXPECT_EQ(items.UnreadableLines(), (std::vector<int>{2, 3}));
    ASSERT_TRUE(items.lines[1].item);
    EXPECT_EQ(items.lines[1].item->remark, Sjis("家賃, 駐車場込み"));
    EXPECT_TRUE(items.lines[5].item->monthEnd);

    items.lines[1].item->amount = 86000;
    const std::string saved = SerializeFixedItems(items);
    EXPECT_NE(saved.find(Sjis("27,7,1,86000,1,202601,,202611,家賃, 駐車場込み\r\n")),
              std::string::npos);
    EXPECT_NE(saved.find("32,7,1,85000,1,202601,,,"), std::string::npos);

    // Lines the reader refuses rather than guess at.
    for (const char* line : {"27,7,1,0,1,202601,,,", "27,7,1,85000,4,202601,,,",
                             "27,21,1,85000,1,202601,,,", "27,7,1,85000,1,202601,202512,,",
                             "27,7,1,85000,1,202601,,202611+202611,", "27,7,1,85000,1,202601,,"})
        EXPECT_FALSE(ParseFixedItemLine(line)) << line;
    EXPECT_FALSE(ParseFixedItemLine("27,7,1,85000,1,202601,,," + std::string(61, 'x')));
}

CategoryTable FixedItemsMaster() {
    CategoryTable categories;
    categories.names[1] = Sjis("給料");
    categories.descriptions[1][1] = Sjis("夫給料");
    categories.names[7] = Sjis("住居費");
    categories.kinds[7] = CategoryKind::Expense;
    categories.descriptions[7][1] = Sjis("家賃");
    categories.names[8] = Sjis("水道光熱");
    categories.kinds[8] = CategoryKind::Expense;
    categories.descriptions[8][3] = Sjis("水道代");
    return categories;
}

std::vector<DueChoice> EnterAll(const DataFolder& folder, int closingDay, CivilDate today) {
    FixedItems items;
    EXPECT_TRUE(LoadFixedItems(folder, items).ok());
    std::vector<DueChoice> choices;
    for (const DueOccurrence& due : DueOccurrences(items, closingDay, today))
        choices.push_back({due.line, due.month, false, 4321});
    return choices;
}

// Closing day 25: the rent of 27 October goes into 2026年11月度 after the
// items already on that day, the salary of 25 November into 11月度 too.
TEST(FixedItems, dueItemsAreEnteredOnceAfterTheirDaysItemsAndNeverLost) {
    testing::TempFolder temp;
    const DataFolder folder = temp.folder();
    const CategoryTable categories = FixedItemsMaster();
    temp.Write("202611.DAT",
               testing::LedgerFileBytes(
                   {{.date = "261027", .category = "07", .amount = "-500", .remark = "既存"}}));
    temp.Write(std::string(kFixedItemsFileName), Sjis("27,7,1,85000,1,202610,,,家賃\r\n"
                                                      "25,1,1,300000,1,202611,,,\r\n"
                                                      "10,8,3,,2,202611,,,水道代\r\n"
                                                      "5,9,1,3000,1,202612,,,消えた費目\r\n"));
    const CivilDate today{2026, 12, 8};
    std::vector<DueChoice> choices = EnterAll(folder, 25, today);
    ASSERT_EQ(choices.size(), 5u);  // rent ×2, salary, water, the deleted category
    choices[1].amount.reset();      // the water bill left blank

    // A run stopped after the months' files, before the marks: nothing twice.
    const std::string marksBefore = temp.Read(std::string(kFixedItemsFileName));
    DueEntry first = EnterDueItems(folder, categories, 25, today, choices);
    ASSERT_TRUE(first.io.ok());
    const std::string november = temp.Read("202611.DAT");
    const std::string december = temp.Read("202612.DAT");
    temp.Write(std::string(kFixedItemsFileName), marksBefore);
    DueEntry again = EnterDueItems(folder, categories, 25, today, choices);
    ASSERT_TRUE(again.io.ok());
    EXPECT_EQ(temp.Read("202611.DAT"), november);
    EXPECT_EQ(temp.Read("202612.DAT"), december);

    std::vector<std::string> refusals;
    for (const DueOutcome& outcome : first.outcomes)
        refusals.push_back(std::to_string(static_cast<int>(outcome.refusal)));
    EXPECT_EQ(refusals, (std::vector<std::string>{"0", "1", "0", "0", "2"}));
    EXPECT_EQ(november.size(), 3 * kLedgerRecordBytes);  // 既存, then the rent, the salary
    EXPECT_EQ(november.substr(kLedgerRecordBytes, 6), "261027");
    EXPECT_EQ(november.substr(kLedgerRecordBytes + 34, 10), "-85000    ");
    EXPECT_EQ(december.substr(0, 6), "261127");

    FixedItems items;
    ASSERT_TRUE(LoadFixedItems(folder, items).ok());
    const std::vector<DueOccurrence> left = DueOccurrences(items, 25, today);
    ASSERT_EQ(left.size(), 2u);  // the water bill without an amount, the deleted category
    EXPECT_EQ(left[0].line, 2);
    EXPECT_EQ(left[1].line, 3);
}

TEST(FixedItems, aFullMonthTakesNothingAndItsOccurrenceStaysDue) {
    testing::TempFolder temp;
    const DataFolder folder = temp.folder();
    std::vector<testing::ItemFields> full(kLedgerSlots, {.date = "261201"});
    temp.Write("202612.DAT", testing::LedgerFileBytes(full));
    temp.Write(std::string(kFixedItemsFileName), Sjis("1,7,1,85000,1,202612,,,家賃\r\n"));
    const CivilDate today{2026, 12, 8};
    DueEntry entry =
        EnterDueItems(folder, FixedItemsMaster(), 31, today, EnterAll(folder, 31, today));
    ASSERT_EQ(entry.outcomes.size(), 1u);
    EXPECT_EQ(entry.outcomes[0].refusal, DueRefusal::MonthFull);
    EXPECT_EQ(temp.Read("202612.DAT").size(), kLedgerSlots * kLedgerRecordBytes);
    EXPECT_EQ(EnterAll(folder, 31, today).size(), 1u);
}

TEST(FixedItems, oneUndoTakesBackTheWholeBatchAndAsksAgain) {
    testing::TempFolder temp;
    DataFolder folder = temp.folder();
    KeepHistory(folder, [] { return 1; });
    temp.Write(std::string(kFixedItemsFileName), Sjis("27,7,1,85000,1,202610,,,家賃\r\n"));
    const CivilDate today{2026, 12, 8};
    ASSERT_TRUE(
        EnterDueItems(folder, FixedItemsMaster(), 31, today, EnterAll(folder, 31, today)).io.ok());
    EXPECT_TRUE(temp.Exists("202610.DAT") && temp.Exists("202611.DAT"));
    EXPECT_TRUE(EnterAll(folder, 31, today).empty());

    const History history = ReadHistory(folder);
    const std::optional<ChangeGroup> batch = LastUndoableChange(history);
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->entries.size(), 3u);  // two months and the marks
    EXPECT_EQ(UndoChange(folder, history, *batch), "");
    EXPECT_FALSE(temp.Exists("202610.DAT") || temp.Exists("202611.DAT"));
    EXPECT_EQ(EnterAll(folder, 31, today).size(), 2u);
}

}  // namespace
}  // namespace hanaki
