#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "data/book/aggregation.h"
#include "data/book/day_view.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::TempFolder;

std::string Record(int category, int description, const std::string& amount) {
    return testing::RecordBytes({.date = "990510",
                                 .category = TwoDigits(category),
                                 .description = TwoDigits(description),
                                 .amount = amount});
}

std::string NamedRecord(int category, const std::string& name, const std::string& amount) {
    return testing::RecordBytes({.date = "990510",
                                 .category = TwoDigits(category),
                                 .categoryName = name,
                                 .amount = amount});
}

class Aggregation : public ::testing::Test {
  protected:
    Aggregation() {
        categories.names[1] = "salary";
        categories.kinds[1] = CategoryKind::Income;
        categories.names[2] = "food";
        categories.kinds[2] = CategoryKind::Expense;
        categories.names[3] = "hobby";
        categories.kinds[3] = CategoryKind::Expense;
        settings.summaryFlags[3] = 0;
    }
    TempFolder dir;
    CategoryTable categories;
    Settings settings;
    MonthTotals totals;
};

TEST_F(Aggregation, sumsByCategoryDescriptionKindAndSummaryFlag) {
    dir.Write("199905.DAT", Record(1, 1, "+250000") + Record(2, 1, "-800") + Record(2, 2, "-1200") +
                                Record(3, 1, "-5000") + Record(1, 2, "+-300") + Record(2, 1, "-x"));
    AggregationReport report = AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(report.unreadableRecords, 1);
    EXPECT_EQ(totals.at(1, 0), 249700);
    EXPECT_EQ(totals.at(1, 2), -300);
    EXPECT_EQ(totals.at(2, 1), 800);
    EXPECT_EQ(totals.at(2, 0), 2000);
    EXPECT_EQ(totals.income(), 249700);
    EXPECT_EQ(totals.expense(), 7000);
    EXPECT_EQ(totals.flaggedIncome(), 249700);
    EXPECT_EQ(totals.flaggedExpense(), 2000);
    EXPECT_TRUE(totals.hasItems());
}

TEST_F(Aggregation, theCurrentKindDecidesNotTheStoredSign) {
    dir.Write("199905.DAT", Record(2, 1, "-800"));
    categories.kinds[2] = CategoryKind::Income;
    AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(totals.income(), 800);
    EXPECT_EQ(totals.expense(), 0);
}

TEST_F(Aggregation, theOpenMonthSumsLikeItsFileWithoutTheFlaggedCells) {
    dir.Write("199905.DAT", Record(1, 1, "+250000") + Record(2, 0, "-800") + Record(3, 1, "-5000") +
                                Record(2, 1, "-x"));
    AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(totals.at(2, 0), 800);  // description 00 counts once

    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    MonthTotals open;
    open.at(4, 4) = 9;
    SumMonthLedger(ledger, categories, open);
    MonthTotals expected = totals;
    expected.cells[0][2] = expected.cells[0][3] = expected.cells[0][20] = 0;
    EXPECT_EQ(open.cells, expected.cells);
}

// Category 4 is not in the master (deleted): its items count by their stored
// sign, under the name of the month's first such record of each sign.
TEST_F(Aggregation, itemsOfADeletedCategoryCountByTheirStoredSign) {
    dir.Write("199905.DAT", Record(1, 1, "+400000") + NamedRecord(4, "car", "-3500000") +
                                NamedRecord(4, "tax", "-1000") + NamedRecord(4, "sold", "+200") +
                                NamedRecord(4, "car", " 77") + NamedRecord(4, "car", "-x"));
    const AggregationReport report =
        AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(report.unreadableRecords, 2);  // no sign, no amount
    EXPECT_EQ(totals.income(), 400200);
    EXPECT_EQ(totals.flaggedIncome(), 400200);
    EXPECT_EQ(totals.expense(), 3501000);
    EXPECT_EQ(totals.flaggedExpense(), 3501000);
    EXPECT_EQ(totals.at(4, 0), 0);
    const DeletedCategorySum& expense = totals.deleted[4][1];
    EXPECT_EQ(std::tuple(expense.present, expense.amount, expense.name),
              std::tuple(true, 3501000.0, std::string("car")));
    const DeletedCategorySum& income = totals.deleted[4][0];
    EXPECT_EQ(std::tuple(income.present, income.amount, income.name),
              std::tuple(true, 200.0, std::string("sold")));
    EXPECT_FALSE(totals.deleted[5][1].present);

    MonthLedger ledger;
    ASSERT_TRUE(LoadMonthLedger(dir.folder(), 31, 99, 5, ledger).ok());
    MonthTotals open;
    SumMonthLedger(ledger, categories, open);
    EXPECT_EQ(std::pair(open.income(), open.expense()), std::pair(400200.0, 3501000.0));
    const DayView day = BuildDayView(ledger, categories, "990510");
    ASSERT_GE(day.rows.size(), 4u);
    EXPECT_EQ(std::vector<bool>({day.rows[0].expense, day.rows[1].expense, day.rows[2].expense,
                                 day.rows[3].expense}),
              std::vector<bool>({false, true, true, false}));
}

TEST_F(Aggregation, missingAndEmptyFilesGiveZeros) {
    totals.at(4, 4) = 9;
    AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(totals.cells, MonthTotals{}.cells);
    dir.Write("199905.DAT", "");
    AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_FALSE(totals.hasItems());
}

TEST_F(Aggregation, twelveMonthsEndWithTheMonthAskedFor) {
    dir.Write("199904.DAT", Record(2, 1, "-4"));
    dir.Write("200003.DAT", Record(2, 1, "-3"));
    dir.Write("199903.DAT", Record(2, 1, "-99"));
    TrendTotals trend;
    AggregateTwelveMonths(dir.folder(), categories, settings, 100, 3, trend);
    EXPECT_EQ(trend.months[0].at(2, 1), 4);
    EXPECT_EQ(trend.months[11].at(2, 1), 3);
    for (int k = 1; k < 11; ++k)
        EXPECT_FALSE(trend.months[k].hasItems());

    dir.Write("199912.DAT", Record(2, 1, "-12"));
    dir.Write("199901.DAT", Record(2, 1, "-1"));
    AggregateTwelveMonths(dir.folder(), categories, settings, 99, 12, trend);
    EXPECT_EQ(trend.months[0].at(2, 1), 1);
    EXPECT_EQ(trend.months[2].at(2, 1), 99);
    EXPECT_EQ(trend.months[11].at(2, 1), 12);
}

// Hand-edited and damaged number fields are read exactly as the record reader
// reads them: the same items summed, the same ones counted unreadable.
TEST_F(Aggregation, damagedNumberFieldsCountAsTheRecordReaderReadsThem) {
    const std::vector<std::tuple<std::string, std::string, std::string>> fields{
        {"02", "01", "-800"}, {" 2", "1 ", "- 800"},      {"2 ", " 1", "-  800  "},
        {"2", "1", "-800"},   {"02", "01", "+-300"},      {"02", "01", "-1.5"},
        {"02", "01", "-"},    {"02", "01", "-123456789"}, {"21", "01", "-5"},
        {"00", "01", "-5"},   {"-1", "01", "-5"},         {"02", "21", "-5"},
        {"02", "00", "-7"},   {"ab", "01", "-5"},         {"02", "01", "-12 34"},
        {"  ", "01", "-5"},   {"02", "01", "-0009"},      {"03", "02", "+ -40 "},
    };
    std::string file;
    MonthTotals expected;
    int unreadable = 0;
    for (const auto& [category, description, amount] : fields) {
        file += testing::RecordBytes(
            {.date = "990510", .category = category, .description = description, .amount = amount});
        std::optional<ItemNumbers> item =
            ReadItemNumbers(DecodeLedgerRecord(file.substr(file.size() - 104)));
        if (!item || item->category < 1) {
            ++unreadable;
            continue;
        }
        expected.AddItem(item->category, item->description, double(item->amount),
                         categories.IsExpense(item->category),
                         settings.summaryFlags[item->category] != 0);
    }
    file += "0205";  // a record cut short
    ++unreadable;
    expected.MarkHasItems();
    dir.Write("199905.DAT", file);

    AggregationReport report = AggregateMonth(dir.folder(), categories, settings, 99, 5, totals);
    EXPECT_EQ(report.unreadableRecords, unreadable);
    EXPECT_EQ(totals.cells, expected.cells);
    // Four readings of 800, "+-300", "-0009", the nine digits, and "00" once in (2, 0).
    EXPECT_EQ(totals.at(2, 0), 800 * 4 - 300 + 9 + 123456789 + 7);
}

}  // namespace
}  // namespace hanaki
