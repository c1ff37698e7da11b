#pragma once

#include <string>
#include <string_view>

#include "data/disk/file_system.h"
#include "data/disk/io_result.h"

namespace hanaki {

// Writes `bytes` to a new temporary file beside `path`, flushes and syncs it,
// renames it over `path` and syncs the folder. A crash or failure at any step
// leaves either the old file or the new one, never a mix; on failure the
// temporary file is removed. The new file keeps the mode of the one it
// replaces (and its owner and group where this process may set them); a file
// its permissions do not let this process write is refused and left as it is,
// and so is anything there that is not a regular file (a FIFO, a device). A
// symbolic link is followed: the file it leads to is replaced and the link
// stays. A failed sync of the folder after the rename is reported with
// IoStep::SyncFolder: the new file is in place but not yet sure to survive a
// power cut. With SyncScope::FileSystem the new bytes are made durable by
// one sync of the whole file system, which also covers what was written
// before them and not yet synced (the history's line for this change).
enum class SyncScope { File, FileSystem };
IoResult WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view bytes,
                             SyncScope scope = SyncScope::File);

// The folder part of `path`: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);

// Removes `path` and syncs its folder; a missing file is no error, a file
// its permissions do not let this process write is refused.
IoResult RemoveFileDurably(FileSystem& fs, const std::string& path);

}  // namespace hanaki
