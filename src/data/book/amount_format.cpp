#include "data/book/amount_format.h"

#include <cmath>
#include <cstdio>

namespace hanaki {
namespace {

std::string Group(long long value) {
    // Written from the last digit back: a century of found items groups a million amounts.
    char text[32];
    char* start = text + sizeof text;
    unsigned long long rest = value < 0 ? 0 - static_cast<unsigned long long>(value)
                                        : static_cast<unsigned long long>(value);
    int count = 0;
    do {
        if (count > 0 && count % 3 == 0)
            *--start = ',';
        *--start = static_cast<char>('0' + rest % 10);
        rest /= 10;
        ++count;
    } while (rest > 0);
    if (value < 0)
        *--start = '-';
    return std::string(start, text + sizeof text);
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
