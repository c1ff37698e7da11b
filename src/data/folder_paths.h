#pragma once

#include <string>

namespace hanaki {

// True when both paths name the same folder however they are spelled: relative
// or absolute, with a trailing slash, through ".." or a symbolic link. Folders
// that do not exist yet are compared by their spelling alone.
bool IsSameFolder(const std::string& a, const std::string& b);

}  // namespace hanaki
