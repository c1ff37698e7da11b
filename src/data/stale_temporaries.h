#pragma once

#include "data/data_folder.h"

namespace hanaki {

// A writer killed between creating its temporary file and renaming it over
// the target leaves "<target>.tmp<pid>-<n>" behind (see safe_write.h). This
// removes those whose process no longer runs on this computer and returns how
// many it removed. Call it while holding the folder's FolderLock, so that a
// temporary file of a live writer on another computer cannot be taken for one.
int RemoveStaleTemporaryFiles(const DataFolder& folder);

}  // namespace hanaki
