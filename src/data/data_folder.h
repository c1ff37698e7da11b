#pragma once

#include <string>
#include <string_view>

#include "data/file_system.h"
#include "data/io_result.h"

// The folder that holds one household's files, and the only way the data core
// reads or writes them.
namespace hanaki {

class DataFolder {
  public:
    DataFolder(std::string path, FileSystem& fs);

    const std::string& path() const { return path_; }
    FileSystem& fs() const { return *fs_; }

    // The folder, then "/" unless it already ends in one, then the name.
    std::string PathOf(std::string_view fileName) const;
    bool Exists(std::string_view fileName) const;

    // The whole file; a missing file is reported as ENOENT.
    IoResult Read(std::string_view fileName, std::string& bytes) const;
    // Replaces the file whole, crash-safely (see safe_write.h).
    IoResult Replace(std::string_view fileName, std::string_view bytes) const;
    // Removes the file; a file that is already gone is no error.
    IoResult Remove(std::string_view fileName) const;

  private:
    std::string path_;
    FileSystem* fs_;
};

}  // namespace hanaki
