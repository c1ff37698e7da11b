#include "summary/summary_table.h"

#include <gtest/gtest.h>

namespace hanaki {
namespace {

TEST(SummaryFigures, sharesRoundTheExactQuotientHalvesAwayFromZero) {
    const std::vector<std::tuple<double, double, std::string>> cases{
        {1, 800, "0.13"},  // 0.125: a binary printf would give 0.12
        {-1, 800, "-0.13"},
        {-1, 30000, "0.00"},  // never "-0.00"
        {2, 3, "66.67"},
        {30001, 30000, "100.00"},
        {1300, -1000, "-130.00"},  // a refund month: negative total
        {123456789, 1, "12345678900.00"},
        {0, 5, "0.00"},
    };
    for (const auto& [part, whole, text] : cases)
        EXPECT_EQ(RatioText(part, whole), text) << part << " / " << whole;
}

TEST(SummaryFigures, theCursorFindsACategoryWhenOneBlockIsEmpty) {
    CategoryTable expensesOnly;
    expensesOnly.names[1] = "a";
    expensesOnly.kinds[1] = CategoryKind::Expense;
    expensesOnly.names[2] = "b";
    expensesOnly.kinds[2] = CategoryKind::Expense;
    const SummaryLayout noIncome = LayOutSummary(expensesOnly);
    EXPECT_EQ(noIncome.firstExpenseRow(), 3);
    EXPECT_EQ(noIncome.CursorRow(0), 3);
    EXPECT_EQ(noIncome.CursorRow(2), 3);  // up from the first expense row
    EXPECT_EQ(noIncome.CursorRow(5), 4);

    CategoryTable incomeOnly;
    incomeOnly.names[1] = "a";
    const SummaryLayout noExpense = LayOutSummary(incomeOnly);
    EXPECT_EQ(noExpense.CursorRow(2), 1);  // down from the last income row
    EXPECT_EQ(LayOutSummary(CategoryTable{}).CursorRow(1), 0);
}

TEST(SummaryFigures, deletedCategoriesTakeRowsAfterTheNamedOnesOfTheirSign) {
    CategoryTable categories;
    categories.names[1] = "a";
    categories.names[2] = "b";
    categories.kinds[2] = CategoryKind::Expense;
    MonthTotals month;
    month.AddDeletedItem(5, 300, true, true, "z");
    month.AddDeletedItem(3, 100, false, true, "x");
    month.AddDeletedItem(3, 200, true, true, "y");
    const SummaryLayout layout = LayOutSummary(categories, DeletedCategoryRows(month));
    const std::vector<std::tuple<int, SummaryRowKind, int, int>> rows{
        // row, kind, named category, deleted category
        {1, SummaryRowKind::Income, 1, 0},      {2, SummaryRowKind::Income, 0, 3},
        {3, SummaryRowKind::IncomeTotal, 0, 0}, {4, SummaryRowKind::Empty, 0, 0},
        {5, SummaryRowKind::Expense, 2, 0},     {6, SummaryRowKind::Expense, 0, 3},
        {7, SummaryRowKind::Expense, 0, 5},     {8, SummaryRowKind::ExpenseTotal, 0, 0},
        {24, SummaryRowKind::Balance, 0, 0},
    };
    for (const auto& [row, kind, named, deleted] : rows) {
        EXPECT_EQ(layout.KindOf(row), kind) << row;
        EXPECT_EQ(layout.categoryAt[row], named) << row;
        const DeletedCategoryRow* gone = layout.DeletedAt(row);
        EXPECT_EQ(gone ? gone->category : 0, deleted) << row;
    }
    EXPECT_EQ(DeletedCategoryLabel(*layout.DeletedAt(6)), "y（削除済み）");
    EXPECT_EQ(DeletedCategoryLine(month, *layout.DeletedAt(7)).share, "60.00");
    EXPECT_EQ(layout.CursorRow(2), 5);  // down from the last named income row
    EXPECT_EQ(layout.CursorRow(4), 1);  // up from the first expense row
    EXPECT_EQ(layout.CursorRow(6), 5);  // down from the last named expense row

    // Every number of both signs, nothing named: the balance moves below.
    MonthTotals crowded;
    for (int c = 1; c <= kMaxCategories; ++c) {
        crowded.AddDeletedItem(c, 1, false, true, "i");
        crowded.AddDeletedItem(c, 1, true, true, "e");
    }
    const SummaryLayout tall = LayOutSummary(CategoryTable{}, DeletedCategoryRows(crowded));
    EXPECT_EQ(tall.expenseTotalRow(), 43);
    EXPECT_EQ(tall.KindOf(44), SummaryRowKind::Balance);
    EXPECT_EQ(tall.KindOf(24), SummaryRowKind::Expense);
    EXPECT_EQ(tall.categoryAt.size(), 45u);

    // Over twelve months the oldest month with the item names the row.
    TrendTotals trend;
    trend.months[7].AddDeletedItem(3, 1, true, true, "new");
    trend.months[2].AddDeletedItem(3, 1, true, true, "old");
    trend.months[9].AddDeletedItem(1, 1, false, true, "in");
    EXPECT_EQ(DeletedCategoryRows(trend),
              (std::vector<DeletedCategoryRow>{{1, false, "in"}, {3, true, "old"}}));
}

}  // namespace
}  // namespace hanaki
