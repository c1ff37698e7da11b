#pragma once

#include <cstdint>

#include "data/disk/data_folder.h"

namespace hanaki {

// Thins out the folder's history: every change of the last 31 days stays;
// older ones keep the first change of each file per day for a year, and per
// month after that; the newest change of each file always stays. Versions no
// line of the index names (cut off by a crash, or left by an earlier pruning)
// are removed. The index is replaced whole before any version goes, so a crash
// at any step leaves a history that restores only right bytes. Call it at
// start, holding the folder lock. Returns the number of changes let go.
int PruneHistory(const DataFolder& folder, std::int64_t now);

}  // namespace hanaki
