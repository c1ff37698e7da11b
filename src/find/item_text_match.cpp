#include "find/item_text_match.h"

#include <algorithm>
#include <cstring>

namespace hanaki {
namespace {

std::optional<long long> DigitsValue(const std::u32string& text) {
    if (text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
        return std::nullopt;
    long long value = 0;
    for (char32_t c : text)
        value = value * 10 + (c - U'0');
    return value;
}

}  // namespace

ItemTextMatch::ItemTextMatch(std::string_view utf8Text)
    : text_(FoldText(utf8Text)), amount_(text_.empty() ? std::nullopt : DigitsValue(text_)) {}

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
