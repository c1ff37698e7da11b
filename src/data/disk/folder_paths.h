#pragma once

#include <string>

namespace hanaki {

// True when both paths name the same folder however they are spelled: relative
// or absolute, with a trailing slash, through ".." or a symbolic link. Folders
// that do not exist yet are compared by their spelling alone.
bool IsSameFolder(const std::string& a, const std::string& b);
// True when `path` lies somewhere below `folder`, spelled in any of those ways.
bool IsInsideFolder(const std::string& path, const std::string& folder);

// Where hanaki keeps its files when no --data-dir is given.
struct DataFolderChoice {
    std::string path;
    // The user's own folder ($XDG_DATA_HOME/hanaki): made, private, when missing.
    bool inUserDataHome = false;
};

// --data-dir wins. A portable copy of the program (in a folder the user may
// write, outside the system's folders, that already holds a VERADIV.DAT)
// keeps the data beside the program;
// an installed program uses $XDG_DATA_HOME/hanaki, by default
// ~/.local/share/hanaki. `xdgDataHome` and `home` are the environment's values
// (null when unset).
DataFolderChoice ChooseDataFolder(const std::string& dataDirOption,
                                  const std::string& programFolder, bool installed,
                                  const char* xdgDataHome, const char* home);
// The same from this process's own program folder and environment.
DataFolderChoice ChooseDataFolder(const std::string& dataDirOption);

// The folder that holds the running program; empty when it cannot be told.
std::string ProgramFolder();

// Makes `path` readable by its owner alone (0700) when it does not exist yet,
// its missing parents as usual. Returns 0 or the errno of the failed step.
int MakePrivateFolder(const std::string& path);

}  // namespace hanaki
