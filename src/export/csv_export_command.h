#pragma once

#include <ostream>
#include <string>

namespace hanaki {

// `hanaki --data-dir DATA --export-csv SRC DST`: the export without a window.
// Returns the exit code: 0 done, 1 unreadable source, 2 same folder.
int RunCsvExportCommand(const std::string& dataDir, const std::string& source,
                        const std::string& destination, std::ostream& out, std::ostream& err);

}  // namespace hanaki
