#include "data/budget.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::Sjis;
using Kind = BudgetReading::Kind;

TEST(Budgets, handEditedBudgetsReadAsTheirNumberOrShowAsTheyStand) {
    const std::vector<std::tuple<std::string, Kind, std::string, double>> cases{
        {"30000", Kind::Amount, "30,000", 30000},
        {" +500 ", Kind::Amount, "500", 500},
        {"5000.7", Kind::Amount, "5,000.7", 5000.7},
        {Sjis("５０００"), Kind::Amount, "5,000", 5000},
        {Sjis("　１２３４．５"), Kind::Amount, "1,234.5", 1234.5},
        {"", Kind::None, "", 0},
        {"0", Kind::None, "0", 0},
        {"-300", Kind::Unusable, "-300", -300},
        {Sjis("1万"), Kind::Unusable, "1万", 0},
        {"abc", Kind::Unusable, "abc", 0},
        {"1.2.3", Kind::Unusable, "1.2.3", 0},
        {".", Kind::Unusable, ".", 0},
        {"1234567890123456", Kind::Unusable, "1234567890123456", 0},
    };
    for (const auto& [stored, kind, shown, value] : cases) {
        const BudgetReading budget = ReadBudget(stored);
        EXPECT_EQ(budget.kind, kind) << shown;
        EXPECT_EQ(budget.shown, shown);
        if (kind != Kind::Unusable || value != 0) {
            EXPECT_DOUBLE_EQ(budget.value(), value) << shown;
        }
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
        {2, "30000", 30001, true, "100.00"},
        {2, "5000.7", 5000, false, "99.99"},
        {2, "5000.7", 5001, true, "100.01"},
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
