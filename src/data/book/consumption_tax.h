#pragma once

#include "data/formats/calendar.h"

namespace hanaki {

// Consumption-tax rate in percent in force on a calendar date (0 before 1989-04-01).
int ConsumptionTaxPercent(const CivilDate& date);

// Amount with tax added or removed, rounded to whole yen (picture "#").
long long AddConsumptionTax(long long amount, const CivilDate& date);
long long RemoveConsumptionTax(long long amount, const CivilDate& date);

}  // namespace hanaki
