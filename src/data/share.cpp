#include "data/share.h"

#include <cmath>

namespace hanaki {
namespace {

// Sums of a thousand nine-digit amounts times 10^4 times a budget's decimal
// scale leave the range of long long.
__extension__ using Wide = __int128;

Wide Abs(Wide value) {
    return value < 0 ? -value : value;
}

std::string HundredthsText(Wide numerator, Wide denominator) {
    Wide hundredths = numerator / denominator;
    if (Abs(numerator % denominator) * 2 >= Abs(denominator))
        hundredths += (numerator < 0) == (denominator < 0) ? 1 : -1;
    const long long units = static_cast<long long>(Abs(hundredths));
    std::string cents = std::to_string(units % 100);
    if (cents.size() < 2)
        cents.insert(cents.begin(), '0');
    return (hundredths < 0 ? "-" : "") + std::to_string(units / 100) + "." + cents;
}

}  // namespace

std::string RatioText(double part, double whole) {
    return RatioText(part, std::llround(whole), 0);
}

std::string RatioText(double part, long long wholeUnits, int wholeDecimals) {
    Wide numerator = Wide(std::llround(part)) * 10000;
    for (int i = 0; i < wholeDecimals; ++i)
        numerator *= 10;
    return HundredthsText(numerator, wholeUnits);
}

}  // namespace hanaki
