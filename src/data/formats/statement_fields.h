#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/formats/calendar.h"

// The dates and amounts of a statement's cells (UTF-8), in the forms banks,
// card companies and household books write them.
namespace hanaki {

// Full-width letters, digits and signs (Ａ, ０, －, ／) as their ASCII
// twins, the ideographic space as a blank.
std::string FoldFullWidth(std::string_view utf8);

enum class StatementValue { Ok, Empty, Bad, OutsideYears, Zero, TooLarge };

// 2026/12/08, 2026-12-08, 2026.12.08, 2026年12月8日, 20261208, R8.12.8,
// 令和8年12月8日 (平成 H and 昭和 S too, 元年 as year 1); a time after a
// blank is left aside. Years 1950 … 2049.
StatementValue ParseStatementDate(std::string_view cell, CivilDate& date);

// 1234, 1,234, ￥1,234, \1,234, 1,234円, -1,234, −1,234, ▲1,234, full-width
// digits: the amount with its sign. At most 9 digits, never 0.
StatementValue ParseStatementAmount(std::string_view cell, long long& amount);

// A blank line, or a note beginning with ';', in the hand-edited rules and
// layouts files.
bool IsStatementNoteLine(std::string_view line);

}  // namespace hanaki
