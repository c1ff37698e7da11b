#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_folder.h"
#include "data/history_store.h"

// Whole copies of a household's files into a new folder, for a backup on
// another disk or a look at an earlier day; the live folder is only read.
namespace hanaki {

// Ledgers and memos ("202611.DAT", "202611.MEM") and the two master files.
bool IsDataFileName(std::string_view name);
// The data files of the folder, sorted by name.
std::vector<std::string> DataFileNames(const std::string& folderPath);

// Writes the live folder's data files into `destination`, a folder that must
// be new or empty. Call it holding the folder lock, so no change is half in
// the copy. Empty on success, else a Japanese message.
std::string BackUpFolder(const DataFolder& folder, const std::string& destination);

// Writes the folder as it was at `moment` (seconds since the epoch) into
// `destination`, new or empty, from the live files and the history. A program
// may be saving meanwhile: what disagrees is read again before it is reported.
std::string RestoreFolderAsOf(const DataFolder& folder, std::int64_t moment,
                              const std::string& destination);
// The history, read again while it looks damaged, for a reader without the
// folder lock: a running program may be halfway through an index line.
History ReadHistoryWhileInUse(const DataFolder& folder);

}  // namespace hanaki
