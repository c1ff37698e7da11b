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

}  // namespace
}  // namespace hanaki
