#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "data/file_system.h"

namespace hanaki {

struct TsugiteOptions {
    bool help = false;
    bool version = false;
    bool commandLine = false;  // false: open the window
    std::string source;
    std::string destination;
    std::optional<int> closingDay;
    std::string error;  // UTF-8; set when the arguments cannot be used
};

TsugiteOptions ParseTsugiteOptions(const std::vector<std::string>& args);
std::string TsugiteUsage();

// `tsugite --source SRC --dest DST --closing-day N`: the conversion without a
// window, replacing existing files without asking. Messages go to `out`.
// Returns the exit code: 0 ran (even with failed files), 1 no category file in
// the source, 2 same folder or unusable arguments, 3 the destination is held
// by a running hanaki or cannot be written.
int RunTsugiteCommand(const TsugiteOptions& options, FileSystem& fs, std::ostream& out,
                      std::ostream& err);

}  // namespace hanaki
