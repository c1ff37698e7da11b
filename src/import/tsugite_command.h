#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/file_system.h"

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

// The options of a conversion without a window; each takes a value.
inline constexpr std::array<std::string_view, 3> kTsugiteCommandOptions = {"--source", "--dest",
                                                                           "--closing-day"};

TsugiteOptions ParseTsugiteOptions(const std::vector<std::string>& args);
std::string TsugiteUsage();

// `tsugite --source SRC --dest DST --closing-day N`: the conversion without a
// window, replacing existing files without asking. The counts go to `out`,
// every file that failed and every refusal to `err`. Returns the exit code:
// 0 every file converted, 1 a file could not be read, converted or written (or
// the source has no category file, or the destination cannot be written),
// 2 same folder or unusable arguments, 3 the destination is held by a running
// hanaki.
int RunTsugiteCommand(const TsugiteOptions& options, FileSystem& fs, std::ostream& out,
                      std::ostream& err);

}  // namespace hanaki
