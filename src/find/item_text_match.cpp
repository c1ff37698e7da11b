#include "find/item_text_match.h"

#include <algorithm>
#include <cstring>

namespace hanaki {
namespace {

// An amount as the program prints it or a user writes it: digits, grouped by
// commas or not, after a yen sign (folded to \) or before 円.
std::optional<long long> AmountValue(std::u32string_view text) {
    if (!text.empty() && text.front() == U'\\')
        text.remove_prefix(1);
    else if (!text.empty() && text.back() == U'円')
        text.remove_suffix(1);
    const std::size_t firstComma = text.find(U',');
    const std::size_t lead = firstComma == std::u32string_view::npos ? text.size() : firstComma;
    if (lead == 0 || (firstComma != std::u32string_view::npos && lead > 3))
        return std::nullopt;
    long long value = 0;
    int digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool commaPlace = i >= lead && (i - lead) % 4 == 0;
        if (commaPlace ? text[i] != U',' : text[i] < U'0' || text[i] > U'9')
            return std::nullopt;
        if (!commaPlace && ++digits <= 18)
            value = value * 10 + (text[i] - U'0');
    }
    // Every group after a comma is whole.
    return digits <= 18 && (text.size() - lead) % 4 == 0 ? std::optional(value) : std::nullopt;
}

}  // namespace

ItemTextMatch::ItemTextMatch(std::string_view utf8Text)
    : text_(FoldText(utf8Text)), amount_(text_.empty() ? std::nullopt : AmountValue(text_)) {}

bool ItemTextMatch::Contains(std::string_view cp932Field) {
    const std::string_view field = WithoutTrailingBlanks(cp932Field);
    if (field.empty())
        return false;
    folding_.Fold(field, folded_);
    return folded_.find(text_) != std::u32string::npos;
}

bool ItemTextMatch::NamesMatch(const RecordFields& fields) {
    NameMemo& memo = names_[fields.numbers.category][fields.numbers.description];
    const std::string_view category = fields.categoryName();
    const std::string_view description = fields.descriptionName();
    if (!memo.known || std::memcmp(memo.names.data(), category.data(), 12) != 0 ||
        std::memcmp(memo.names.data() + 12, description.data(), 12) != 0) {
        std::memcpy(memo.names.data(), category.data(), 12);
        std::memcpy(memo.names.data() + 12, description.data(), 12);
        memo.known = true;
        memo.matches = Contains(category) || Contains(description);
    }
    return memo.matches;
}

bool ItemTextMatch::operator()(const RecordFields& fields) {
    if (text_.empty())
        return false;
    if (amount_ && fields.numbers.amount == *amount_)
        return true;
    return NamesMatch(fields) || Contains(fields.remark());
}

}  // namespace hanaki
