#pragma once

#include <string>

// Shares in per cent, one rule for every screen, graph and report.
namespace hanaki {

// "fixed" of part × 100 / whole from the exact quotient: two decimals, halves
// away from zero, never "-0.00". Both are whole yen; the whole must not be 0.
std::string RatioText(double part, double whole);
// The same against a whole of wholeUnits / 10^wholeDecimals (a budget with
// decimals); wholeUnits must not be 0.
std::string RatioText(double part, long long wholeUnits, int wholeDecimals);

}  // namespace hanaki
