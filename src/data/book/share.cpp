#include "data/book/share.h"

#include <cmath>

namespace hanaki {
namespace {

// A total times 10^4, with room to spare.
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
    return HundredthsText(Wide(std::llround(part)) * 10000, std::llround(whole));
}

}  // namespace hanaki
