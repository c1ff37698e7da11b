#pragma once

#include <string>

#include "data/disk/file_system.h"

// The crash-safe writer (safe_write.h) writes a hidden temporary file beside
// its target, and the folder copy (folder_copy.h) a temporary folder, named
// ".<target>.hanaki~<host>~<pid>-<n>.tmp": a form no user file has, that says
// which computer and which process made it.
namespace hanaki {

std::string TemporaryFileName(const std::string& targetName, const std::string& host, long pid,
                              int attempt);

// A writer killed between creating its temporary file and renaming it over
// the target leaves that file behind; a copy of a household killed before it
// was whole leaves a folder of that name. This removes, in `folder`, the
// temporaries this computer's writers left whose process no longer runs, and
// nothing else (a user's file, another computer's temporary); it returns how
// many it removed.
int RemoveStaleTemporaryFiles(FileSystem& fs, const std::string& folder);

}  // namespace hanaki
