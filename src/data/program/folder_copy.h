#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/history/history_store.h"

// Whole copies of a household's files into a new folder, for a backup on
// another disk or a look at an earlier day; the live folder is only read.
// A copy is built under a temporary name beside its destination and renamed
// into place when whole: a file that cannot be read, a full disk or a kill
// leaves no folder under the destination's name, and the sweep of stale
// temporaries (stale_temporaries.h) removes what a killed copy left.
namespace hanaki {

// Ledgers and memos ("202611.DAT", "202611.MEM"), the two master files and
// the statement rules and layouts the household wrote by hand or learnt.
bool IsDataFileName(std::string_view name);
// The names in the folder that a data file has, sorted, whatever they lead
// to: a FIFO or a folder under a month file's name is its reader's to name.
// Returns 0 or the errno of listing the folder.
int ListDataFiles(const std::string& folderPath, std::vector<std::string>& names);
// The same, empty when the folder cannot be listed.
std::vector<std::string> DataFileNames(const std::string& folderPath);

// Writes the live folder's data files into `destination`, a folder that must
// be new or empty and outside the live folder. Takes the folder lock, so no
// change is half in the copy (a folder no program may write needs none).
// Empty on success, else a Japanese message naming each file that could not
// be read or written.
std::string BackUpFolder(const DataFolder& folder, const std::string& destination);

// Writes the folder as it was at `moment` (seconds since the epoch) into
// `destination`, as for a backup, from the live files and the history. A
// program may be saving meanwhile: what disagrees is read again before it is
// reported.
std::string RestoreFolderAsOf(const DataFolder& folder, std::int64_t moment,
                              const std::string& destination);
// The history, read again while it looks damaged, for a reader without the
// folder lock: a running program may be halfway through an index line.
History ReadHistoryWhileInUse(const DataFolder& folder);

}  // namespace hanaki
