#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "data/formats/calendar.h"

// The history, restore and backup commands of `hanaki`, run without a display.
// Each returns the exit status: 0 done, 1 refused or failed (the reason on
// `err`), 2 a time that is none (the options refuse it first).
namespace hanaki {

// `--history [--since YYYY-MM-DD] [--csv]`: the kept changes, newest first.
int RunHistoryCommand(const std::string& dataDir, const std::optional<CivilDate>& since, bool csv,
                      std::ostream& out, std::ostream& err);
// `--restore-as-of 'YYYY-MM-DD HH:MM' --to NEWDIR`: the folder as it was then, in a new folder.
int RunRestoreAsOfCommand(const std::string& dataDir, const std::string& moment,
                          const std::string& to, std::ostream& out, std::ostream& err);
// `--backup DEST`: the live folder, under its lock, copied into a new folder.
int RunBackupCommand(const std::string& dataDir, const std::string& destination, std::ostream& out,
                     std::ostream& err);

}  // namespace hanaki
