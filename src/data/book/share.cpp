#include "data/book/share.h"

#include <cmath>

namespace hanaki {
namespace {

// A total times 10^4, with room to spare.
__extension__ using Wide = __int128;

Wide Abs(Wide value) {
    return value < 0 ? -value : value;
}

enum class Rounding { HalfAway, TowardZero, Up };

std::string HundredthsText(Wide numerator, Wide denominator, Rounding rounding) {
    Wide hundredths = numerator / denominator;
    const Wide rest = numerator % denominator;
    const bool positive = (numerator < 0) == (denominator < 0);
    if (rounding == Rounding::HalfAway && Abs(rest) * 2 >= Abs(denominator))
        hundredths += positive ? 1 : -1;
    else if (rounding == Rounding::Up && rest != 0 && positive)
        hundredths += 1;
    const long long units = static_cast<long long>(Abs(hundredths));
    std::string cents = std::to_string(units % 100);
    if (cents.size() < 2)
        cents.insert(cents.begin(), '0');
    return (hundredths < 0 ? "-" : "") + std::to_string(units / 100) + "." + cents;
}

}  // namespace

std::string RatioText(double part, double whole) {
    return HundredthsText(Wide(std::llround(part)) * 10000, std::llround(whole),
                          Rounding::HalfAway);
}

std::string RatioTextCut(double part, double whole, bool up) {
    return HundredthsText(Wide(std::llround(part)) * 10000, std::llround(whole),
                          up ? Rounding::Up : Rounding::TowardZero);
}

}  // namespace hanaki
