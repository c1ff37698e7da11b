#pragma once

#include <string>

// Shares in per cent, one rule for every screen, graph and report.
namespace hanaki {

// "fixed" of part × 100 / whole from the exact quotient: two decimals, halves
// away from zero, never "-0.00". Both are whole yen; the whole must not be 0.
std::string RatioText(double part, double whole);

}  // namespace hanaki
