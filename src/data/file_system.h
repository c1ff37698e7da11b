#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The narrow set of operating-system calls every data write goes through, so
// that a test can make any one of them fail.
namespace hanaki {

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Each returns 0 on success or an errno value.
    virtual int CreateExclusive(const std::string& path, int& fd) = 0;
    virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    virtual int SyncDirectory(const std::string& dir) = 0;
    // Reads a whole file into `bytes` (left empty on failure); ENOENT when it does not exist.
    virtual int ReadAll(const std::string& path, std::string& bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

// The real calls (POSIX).
class PosixFileSystem : public FileSystem {
  public:
    int CreateExclusive(const std::string& path, int& fd) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int SyncDirectory(const std::string& dir) override;
    int ReadAll(const std::string& path, std::string& bytes) override;
    bool Exists(const std::string& path) override;
};

// One shared instance for code that has not been handed another.
FileSystem& RealFileSystem();

}  // namespace hanaki
