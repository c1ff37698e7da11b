#pragma once

#include "data/book/amount_format.h"

namespace hanaki {

// A sum over twelve months averaged over the `months` that have items: the
// exact quotient, halves to even. Every screen, graph and report that shows
// an average takes it from here, so that one set of months has one average.
inline long long MonthlyAverage(double sum, int months) {
    return RoundHalfEven(sum / months);
}

}  // namespace hanaki
