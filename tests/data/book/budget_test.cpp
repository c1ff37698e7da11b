#include "data/book/budget.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using Kind = BudgetReading::Kind;

TEST(Budgets, handEditedBudgetsReadAsWholeYenOrShowAsTheyStand) {
    const std::vector<std::tuple<std::string, Kind, long long, std::string, std::string>> cases{
        {"30000", Kind::Amount, 30000, "30000", "30,000"},
        {" +500 ", Kind::Amount, 500, "500", "500"},
        {"5000.7", Kind::Amount, 5000, "5000", "5,000"},
        {"12345.", Kind::Amount, 12345, "12345", "12,345"},
        {Sjis("５０００"), Kind::Amount, 5000, "5000", "5,000"},
        {Sjis("　１２３４．５"), Kind::Amount, 1234, "1234", "1,234"},
        {"", Kind::None, 0, "", ""},
        {"0", Kind::None, 0, "0", "0"},
        {".5", Kind::None, 0, "0", "0"},
        {"-0.9", Kind::None, 0, "0", "0"},
        {"-3000.5", Kind::Negative, -3000, "-3000", "-3,000"},
        {Sjis("1万"), Kind::NoNumber, 0, "1万", "1万"},
        {"1e5", Kind::NoNumber, 0, "1e5", "1e5"},
        {"1.2.3", Kind::NoNumber, 0, "1.2.3", "1.2.3"},
        {".", Kind::NoNumber, 0, ".", "."},
        {"1234567890123456", Kind::NoNumber, 0, "1234567890123456", "1234567890123456"},
    };
    for (const auto& [stored, kind, yen, plain, shown] : cases) {
        const BudgetReading budget = ReadBudget(stored);
        EXPECT_EQ(budget.kind, kind) << plain;
        EXPECT_EQ(budget.yen, yen) << plain;
        EXPECT_EQ(budget.plain, plain);
        EXPECT_EQ(budget.shown, shown);
    }
}

TEST(Budgets, overBudgetAndBudgetUseFollowOneRule) {
    CategoryTable categories;
    categories.names[1] = "salary";
    categories.names[2] = "food";
    categories.kinds[2] = CategoryKind::Expense;
    Settings settings;
    const std::vector<std::tuple<int, std::string, double, bool, std::string>> cases{
        {2, "30000", 30000, false, "100.00"},
        {2, "30000", 30001, true, "100.01"},  // over reads over, under reads under
        {2, "30000", 29999, false, "99.99"},
        {2, "5000.7", 5000, false, "100.00"},
        {2, "5000.7", 5001, true, "100.02"},
        {2, Sjis("５０００"), 5001, true, "100.02"},
        {2, "-300", 100, false, ""},  // a negative budget is no limit
        {2, "abc", 100, false, ""},
        {2, "0", 100, false, ""},
        {1, "100", 200, false, "200.00"},  // income is never over
    };
    for (const auto& [category, stored, total, over, use] : cases) {
        settings.budgets[category] = stored;
        EXPECT_EQ(IsOverBudget(categories, settings, category, total), over)
            << stored << " " << total;
        EXPECT_EQ(BudgetUseText(total, ReadBudget(stored)), use) << stored << " " << total;
    }
}

}  // namespace
}  // namespace hanaki
