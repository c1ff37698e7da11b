#pragma once

#include <ostream>
#include <string>

namespace hanaki {

// `hanaki --data-dir DATA --export-csv SRC DST`: the export without a window,
// kinds from DATA's category file. Messages are UTF-8. Returns the exit code:
// 0 done, 1 a folder or the category file cannot be read, a CSV file could
// not be written or a damaged record was left out (each named on `err`),
// 2 the same folder on both sides (nothing written).
int RunCsvExportCommand(const std::string& dataDir, const std::string& source,
                        const std::string& destination, std::ostream& out, std::ostream& err);

}  // namespace hanaki
