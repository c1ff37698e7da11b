#pragma once

#include <string>

// The number pictures used on screen, in files and on paper.
namespace hanaki {

// "##,###,##0": grouped, zero shows as "0".
std::string FormatGrouped(double value);
// "##,###,###": grouped, zero shows as nothing.
std::string FormatGroupedBlankZero(double value);
// "#########0": plain digits, zero shows as "0".
std::string FormatPlain(double value);
// "#": plain digits, zero shows as nothing.
std::string FormatPlainBlankZero(double value);
// "fixed": two decimals.
std::string FormatFixed(double value);

// Rounds half away from zero, as the pictures do.
long long RoundHalfAway(double value);
// Rounds half to even, as conversions to whole numbers do.
long long RoundHalfEven(double value);

}  // namespace hanaki
