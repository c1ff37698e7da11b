#include "data/book/budget.h"

#include <optional>

#include "data/book/amount_format.h"
#include "data/book/share.h"
#include "data/formats/cp932.h"

namespace hanaki {
namespace {

constexpr int kMaxDigits = 15;  // whole yen kept exact in a double

// The ASCII form of the characters a number may be written with in code page
// 932, full-width ones included; nullopt at any other character.
std::optional<std::string> HalfWidth(std::string_view cp932) {
    std::string ascii;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        if (lead < 0x80) {
            ascii += cp932[i];
            continue;
        }
        if (i + 1 == cp932.size())
            return std::nullopt;
        const auto trail = static_cast<unsigned char>(cp932[++i]);
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
            ascii += char('0' + (trail - 0x4F));  // "０" … "９"
        else if (lead == 0x81 && trail == 0x40)
            ascii += ' ';  // ideographic space
        else if (lead == 0x81 && trail == 0x44)
            ascii += '.';
        else if (lead == 0x81 && trail == 0x7B)
            ascii += '+';
        else if (lead == 0x81 && trail == 0x7C)
            ascii += '-';
        else
            return std::nullopt;
    }
    return ascii;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A sign, digits and at most one decimal point with a digit somewhere.
bool ReadNumber(std::string_view text, BudgetReading& budget) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || whole.size() > kMaxDigits)
        return false;
    for (std::string_view digits : {whole, fraction}) {
        for (char c : digits) {
            if (c < '0' || c > '9')
                return false;
        }
    }
    const long long yen = whole.empty() ? 0 : std::stoll(std::string(whole));
    budget.yen = negative ? -yen : yen;
    budget.plain = std::to_string(budget.yen);
    budget.shown = FormatGrouped(double(budget.yen));
    if (budget.yen > 0)
        budget.kind = BudgetReading::Kind::Amount;
    else if (budget.yen < 0)
        budget.kind = BudgetReading::Kind::Negative;
    return true;
}

}  // namespace

BudgetReading ReadBudget(std::string_view cp932) {
    BudgetReading budget;
    const std::optional<std::string> ascii = HalfWidth(cp932);
    if (ascii && (TrimBlanks(*ascii).empty() || ReadNumber(TrimBlanks(*ascii), budget)))
        return budget;
    budget.kind = BudgetReading::Kind::NoNumber;
    budget.yen = 0;
    budget.plain = budget.shown = Cp932ToUtf8(cp932);
    return budget;
}

bool IsOverBudget(const CategoryTable& categories, const Settings& settings, int category,
                  double total) {
    if (!categories.IsExpense(category))
        return false;
    const BudgetReading budget = ReadBudget(settings.budgets[category]);
    return budget.usable() && RoundHalfAway(total) > budget.yen;
}

std::string BudgetUseText(double total, const BudgetReading& budget) {
    if (!budget.usable())
        return {};
    const long long spent = RoundHalfAway(total);
    const std::string nearest = RatioText(total, double(budget.yen));
    // Rounded to 100.00, a total a little over or under would read as the budget spent exactly.
    if (nearest != "100.00" || spent == budget.yen)
        return nearest;
    return RatioTextCut(total, double(budget.yen), spent > budget.yen);
}

long long ProratedBudget(long long monthBudget, int days, int day) {
    return RoundHalfEven(static_cast<double>(monthBudget) / days * day) / 100 * 100;
}

}  // namespace hanaki
