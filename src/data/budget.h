#pragma once

#include <string>
#include <string_view>

#include "data/category_table.h"
#include "data/settings.h"

// A category's budget as the settings file holds it, read the same way by
// every screen, graph and report. The stored text itself is never rewritten.
namespace hanaki {

struct BudgetReading {
    enum class Kind {
        None,      // empty or 0: no budget
        Amount,    // a number above 0: compared with the spending, ratios shown
        Unusable,  // text that is no number, or a number below 0: shown, marked, never compared
    };
    Kind kind = Kind::None;
    long long units = 0;  // the number × 10^decimals
    int decimals = 0;
    std::string shown;  // UTF-8: "5,000", "5,000.7", "-300", or the text as it stands

    bool usable() const { return kind == Kind::Amount; }
    bool marked() const { return kind == Kind::Unusable; }
    double value() const;
};

// Half-width or full-width digits, an optional sign, an optional decimal
// point; blanks around are ignored. `cp932` is the stored text.
BudgetReading ReadBudget(std::string_view cp932);

// The one over-budget rule: an expense category whose total is above a budget
// greater than 0. A total equal to the budget, an income category and a
// budget that is 0, negative or no number are never over.
bool IsOverBudget(const CategoryTable& categories, const Settings& settings, int category,
                  double total);

// The total's share of the budget, or "" when the budget is not usable.
std::string BudgetUseText(double total, const BudgetReading& budget);

}  // namespace hanaki
