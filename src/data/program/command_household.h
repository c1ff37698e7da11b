#pragma once

#include <ostream>

#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/settings.h"

namespace hanaki {

// What every command reads before its work, with the same words in each: a
// folder that does not exist, a folder without a category master, a master
// that cannot be read or holds no category. A missing settings file is no
// refusal: the defaults (closing day at month end, no budgets, every category
// counted) are used and `err` says so. False, with the message on `err`, when
// the command cannot go on.
bool LoadHouseholdForCommand(const DataFolder& folder, CategoryTable& categories,
                             Settings& settings, std::ostream& err);
// The same for a command that needs the category master alone.
bool LoadCategoriesForCommand(const DataFolder& folder, CategoryTable& categories,
                              std::ostream& err);
// The first of those checks, for a command that needs the folder alone.
bool DataFolderFoundForCommand(const DataFolder& folder, std::ostream& err);

}  // namespace hanaki
