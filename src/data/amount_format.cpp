#include "data/amount_format.h"

#include <cmath>
#include <cstdio>

namespace hanaki {
namespace {

std::string Group(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0)
            out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++count;
    }
    return value < 0 ? "-" + out : out;
}

}  // namespace

long long RoundHalfAway(double value) {
    return std::llround(value);
}

long long RoundHalfEven(double value) {
    return static_cast<long long>(std::nearbyint(value));
}

std::string FormatGrouped(double value) {
    return Group(RoundHalfAway(value));
}

std::string FormatGroupedBlankZero(double value) {
    long long rounded = RoundHalfAway(value);
    return rounded == 0 ? std::string() : Group(rounded);
}

std::string FormatPlain(double value) {
    return std::to_string(RoundHalfAway(value));
}

std::string FormatPlainBlankZero(double value) {
    long long rounded = RoundHalfAway(value);
    return rounded == 0 ? std::string() : std::to_string(rounded);
}

std::string FormatFixed(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

}  // namespace hanaki
