#pragma once

#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "data/disk/data_folder.h"
#include "support/file_bytes.h"

namespace hanaki::testing {

// A fresh folder under the system's temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("hanaki-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    DataFolder folder(FileSystem& fs = RealFileSystem()) const { return DataFolder(path(), fs); }

    void Write(const std::string& name, const std::string& bytes) const {
        WriteFile(path_ / name, bytes);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    std::string Read(const std::string& name) const { return ReadFile(path_ / name); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

  private:
    std::filesystem::path path_;
};

}  // namespace hanaki::testing
