#pragma once

#include <string>

// Shares in per cent, one rule for every screen, graph and report.
namespace hanaki {

// "fixed" of part × 100 / whole from the exact quotient: two decimals, halves
// away from zero, never "-0.00". Both are whole yen; the whole must not be 0.
std::string RatioText(double part, double whole);
// The same, cut towards zero or raised to the next hundredth when `up`: a
// share of a budget reads 100.00 only when the part is the whole.
std::string RatioTextCut(double part, double whole, bool up);

}  // namespace hanaki
