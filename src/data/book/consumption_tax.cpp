#include "data/book/consumption_tax.h"

#include <array>

#include "data/book/amount_format.h"

namespace hanaki {
namespace {

struct RateStart {
    CivilDate from;
    int percent;
};

// Every rate the tax has had, oldest first.
constexpr std::array<RateStart, 4> kRates{{
    {{1989, 4, 1}, 3},
    {{1997, 4, 1}, 5},
    {{2014, 4, 1}, 8},
    {{2019, 10, 1}, 10},
}};

bool NotBefore(const CivilDate& date, const CivilDate& from) {
    if (date.year != from.year)
        return date.year > from.year;
    if (date.month != from.month)
        return date.month > from.month;
    return date.day >= from.day;
}

}  // namespace

int ConsumptionTaxPercent(const CivilDate& date) {
    int percent = 0;
    for (const RateStart& rate : kRates) {
        if (NotBefore(date, rate.from))
            percent = rate.percent;
    }
    return percent;
}

long long AddConsumptionTax(long long amount, const CivilDate& date) {
    return RoundHalfAway(static_cast<double>(amount) * (100 + ConsumptionTaxPercent(date)) / 100.0);
}

long long RemoveConsumptionTax(long long amount, const CivilDate& date) {
    return RoundHalfAway(static_cast<double>(amount) /
                         ((100 + ConsumptionTaxPercent(date)) / 100.0));
}

}  // namespace hanaki
