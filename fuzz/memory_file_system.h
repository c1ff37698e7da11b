#pragma once

#include <cerrno>
#include <map>
#include <string>

#include "data/disk/file_system.h"

namespace hanaki::fuzzing {

// Files held in memory, so that a fuzz run spends its time in the readers.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;

    int CreateExclusive(const std::string& path, unsigned, int& fd) override {
        if (files.count(path))
            return EEXIST;
        files[path];
        fd = nextFd_++;
        open_[fd] = path;
        return 0;
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        files[open_.at(fd)].append(data, size);
        written = size;
        return 0;
    }
    int Sync(int) override { return 0; }
    int SyncFileSystem(int) override { return 0; }
    int Close(int fd) override { return open_.erase(fd) ? 0 : EBADF; }
    int Rename(const std::string& from, const std::string& to) override {
        auto found = files.find(from);
        if (found == files.end())
            return ENOENT;
        files[to] = std::move(found->second);
        files.erase(from);
        return 0;
    }
    int Remove(const std::string& path) override { return files.erase(path) ? 0 : ENOENT; }
    int SyncDirectory(const std::string&) override { return 0; }
    // A name without a dot that holds no file is a folder.
    int Status(const std::string& path, FileStatus& status) override {
        if (files.count(path)) {
            status = FileStatus{0100644, 0, 0, 0};
            return 0;
        }
        if (path.find('.') != std::string::npos)
            return ENOENT;
        status = FileStatus{040755, 0, 0, 0};
        return 0;
    }
    int SetMode(int, unsigned) override { return 0; }
    int SetOwner(int, unsigned, unsigned) override { return 0; }
    int ReadAll(const std::string& path, std::string& bytes) override {
        auto found = files.find(path);
        if (found == files.end())
            return ENOENT;
        bytes = found->second;
        return 0;
    }
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    int Link(const std::string&, const std::string&) override { return EPERM; }
    int OpenForAppend(const std::string& path, unsigned, int& fd) override {
        fd = nextFd_++;
        open_[fd] = path;
        return 0;
    }
    int MakeFolder(const std::string&, unsigned) override { return 0; }
    int RemoveFolder(const std::string&) override { return 0; }

  private:
    std::map<int, std::string> open_;
    int nextFd_ = 3;
};

}  // namespace hanaki::fuzzing
