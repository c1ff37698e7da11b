#include "data/formats/statement_fields.h"

#include <algorithm>
#include <array>

#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

constexpr int kLargestAmountDigits = 9;

struct EraStart {
    std::string_view name;
    char letter;
    int firstYear;  // the era's year 1
};
constexpr std::array<EraStart, 3> kEras = {{
    {"令和", 'R', 2019},
    {"平成", 'H', 1989},
    {"昭和", 'S', 1926},
}};

bool IsDigitByte(char c) {
    return c >= '0' && c <= '9';
}

bool Consume(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool ConsumeSuffix(std::string_view& text, std::string_view suffix) {
    if (!text.ends_with(suffix))
        return false;
    text.remove_suffix(suffix.size());
    return true;
}

// 1 to `maxDigits` digits.
std::optional<int> TakeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t n = 0;
    while (n < text.size() && IsDigitByte(text[n]))
        ++n;
    if (n == 0 || n > maxDigits)
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < n; ++i)
        value = value * 10 + (text[i] - '0');
    text.remove_prefix(n);
    return value;
}

// The mark between year and month (`unit` 年) or month and day (月).
bool TakeSeparator(std::string_view& text, std::string_view unit) {
    return Consume(text, "/") || Consume(text, "-") || Consume(text, ".") || Consume(text, unit);
}

std::optional<int> TakeEraYear(std::string_view& text, int& firstYear) {
    for (const EraStart& era : kEras) {
        if (Consume(text, era.name) ||
            (!text.empty() && (text[0] == era.letter || text[0] == era.letter + ('a' - 'A')) &&
             (text.remove_prefix(1), true))) {
            firstYear = era.firstYear;
            if (Consume(text, "元"))
                return 1;
            return TakeNumber(text, 2);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string FoldFullWidth(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xEF && i + 2 < utf8.size()) {
            // U+FF01 … U+FF5E: EF BC 81 … EF BD 9E.
            const unsigned char b1 = static_cast<unsigned char>(utf8[i + 1]);
            const unsigned char b2 = static_cast<unsigned char>(utf8[i + 2]);
            const unsigned code = 0xFF00 +
                                  (b1 == 0xBC   ? 0
                                   : b1 == 0xBD ? 0x40
                                                : 0x1000) +
                                  (b2 - 0x80);
            if ((b1 == 0xBC || b1 == 0xBD) && code >= 0xFF01 && code <= 0xFF5E) {
                folded += static_cast<char>(code - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        if (utf8.substr(i).starts_with("\xE3\x80\x80")) {  // U+3000
            folded += ' ';
            i += 2;
            continue;
        }
        folded += utf8[i];
    }
    return folded;
}

StatementValue ParseStatementDate(std::string_view cell, CivilDate& date) {
    const std::string folded = FoldFullWidth(cell);
    std::string_view text = TrimBlanks(folded);
    if (text.empty())
        return StatementValue::Empty;
    // "2026/12/08 10:23": the time is no part of an item.
    text = text.substr(0, text.find(' '));
    int firstYear = 0;
    std::optional<int> year, month, day;
    if (std::optional<int> eraYear = TakeEraYear(text, firstYear)) {
        year = firstYear + *eraYear - 1;
        if (!TakeSeparator(text, "年"))
            return StatementValue::Bad;
        month = TakeNumber(text, 2);
        if (!month || !TakeSeparator(text, "月"))
            return StatementValue::Bad;
        day = TakeNumber(text, 2);
    } else if (text.size() == 8 && std::all_of(text.begin(), text.end(), IsDigit)) {
        std::string_view y = text.substr(0, 4), m = text.substr(4, 2), d = text.substr(6, 2);
        year = TakeNumber(y, 4);
        month = TakeNumber(m, 2);
        day = TakeNumber(d, 2);
        text = {};
    } else {
        year = TakeNumber(text, 4);
        if (!year || *year < 1000 || !TakeSeparator(text, "年"))
            return StatementValue::Bad;
        month = TakeNumber(text, 2);
        if (!month || !TakeSeparator(text, "月"))
            return StatementValue::Bad;
        day = TakeNumber(text, 2);
    }
    Consume(text, "日");
    if (!year || !month || !day || !text.empty() || *month < 1 || *month > 12 || *day < 1)
        return StatementValue::Bad;
    if (*year < 1900 + kEarliestYear || *year > 1900 + kLatestYear)
        return StatementValue::OutsideYears;
    if (*day > DaysInAccountingMonth(kMonthEnd, *year - 1900, *month))
        return StatementValue::Bad;
    date = {*year, *month, *day};
    return StatementValue::Ok;
}

StatementValue ParseStatementAmount(std::string_view cell, long long& amount) {
    const std::string folded = FoldFullWidth(cell);
    std::string_view text = TrimBlanks(folded);
    if (text.empty())
        return StatementValue::Empty;
    bool negative = false;
    auto takeSign = [&] {
        if (Consume(text, "-") || Consume(text, "\xE2\x88\x92") /* − */ || Consume(text, "▲") ||
            Consume(text, "△"))
            negative = true;
        else
            Consume(text, "+");
    };
    takeSign();
    if (Consume(text, "\xEF\xBF\xA5") /* ￥ */ || Consume(text, "¥") || Consume(text, "\\"))
        takeSign();
    ConsumeSuffix(text, "円");
    text = TrimBlanks(text);
    std::string digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsDigitByte(text[i]))
            digits += text[i];
        else if (text[i] != ',' || i == 0 || i + 1 == text.size() || !IsDigitByte(text[i + 1]))
            return StatementValue::Bad;
    }
    if (digits.empty())
        return StatementValue::Bad;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return StatementValue::Zero;
    if (digits.size() - first > kLargestAmountDigits)
        return StatementValue::TooLarge;
    amount = std::stoll(digits.substr(first));
    if (negative)
        amount = -amount;
    return StatementValue::Ok;
}

bool IsStatementNoteLine(std::string_view line) {
    std::string_view trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed.front() == ';';
}

}  // namespace hanaki
