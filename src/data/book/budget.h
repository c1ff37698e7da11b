#pragma once

#include <string>
#include <string_view>

#include "data/formats/category_table.h"
#include "data/formats/settings.h"

// A category's budget as the settings file holds it, read the same way by the
// main window, every summary, graph and report. The stored text itself is
// never rewritten.
namespace hanaki {

struct BudgetReading {
    enum class Kind {
        None,      // empty, or a number under 1 yen: no budget
        Amount,    // 1 yen or more: compared with the spending, ratios shown
        Negative,  // a number below 0: shown and marked, never compared
        NoNumber,  // any other text: shown as it stands and marked
    };
    Kind kind = Kind::None;
    // A number in whole yen, its fraction cut off: with whole-yen totals a
    // total is over 5000.7 exactly when it is over 5000. 0 for NoNumber.
    long long yen = 0;
    std::string plain;  // UTF-8: "12000", "-300", "1万"; "" when empty
    std::string shown;  // UTF-8, grouped: "12,000", "-300", "1万"

    bool usable() const { return kind == Kind::Amount; }
    bool marked() const { return kind == Kind::Negative || kind == Kind::NoNumber; }
    bool number() const { return kind != Kind::NoNumber && !plain.empty(); }
};

// After a marked budget wherever it is shown, on screen, on paper and in CSV.
inline constexpr const char* kUnusableBudgetMark = "?";
inline constexpr const char* kUnusableBudgetMeaning =
    "数値でない予算・負の予算（予算比率に使わない）";

// Half-width or full-width digits, an optional sign, an optional decimal
// point; blanks around are ignored. `cp932` is the stored text.
BudgetReading ReadBudget(std::string_view cp932);

// The one over-budget rule: an expense category whose total is above a budget
// of 1 yen or more. A total equal to the budget, an income category and a
// budget that is none, negative or no number are never over.
bool IsOverBudget(const CategoryTable& categories, const Settings& settings, int category,
                  double total);

// The total's share of the budget, or "" when the budget is not usable; only
// a total equal to the budget reads 100.00, one over it never less.
std::string BudgetUseText(double total, const BudgetReading& budget);

// The month's budget shown against day `day`: spread evenly over the month's
// `days` days up to that day, in whole hundreds of yen cut off.
long long ProratedBudget(long long monthBudget, int days, int day);

}  // namespace hanaki
