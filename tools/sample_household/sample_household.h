#pragma once

#include <cstdint>

#include "data/disk/data_folder.h"
#include "data/disk/io_result.h"
#include "data/formats/calendar.h"

// A believable family's book: categories and descriptions, closing day 25,
// carry-over, budgets and summary flags, fourteen accounting months of items
// ending with today's, and memos on some days.
namespace hanaki::sample {

constexpr int kSampleClosingDay = 25;
constexpr int kSampleMonths = 14;

// Writes the household into `folder` (which must exist). The same seed and
// today give the same bytes.
IoResult WriteSampleHousehold(const DataFolder& folder, const CivilDate& today, std::uint32_t seed);

}  // namespace hanaki::sample
