#pragma once

#include <ostream>
#include <string>

#include "data/formats/calendar.h"

// `hanaki --due [--csv]` lists the fixed items due up to today; `hanaki
// --enter-due` enters those that have an amount, for a timer or a script.
namespace hanaki {

struct DueRequest {
    bool enter = false;
    bool csv = false;
};

// Returns the exit code: 0 every due item was listed (or entered); 1 some
// could not be (an item without an amount, a full month, a deleted category,
// a line of the fixed items that cannot be read, a write that failed), each
// named on `err`; 3 the folder is in use by another program.
int RunDueCommand(const std::string& dataDir, const DueRequest& request, const CivilDate& today,
                  std::ostream& out, std::ostream& err);

}  // namespace hanaki
