#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The narrow set of operating-system calls every data write goes through, so
// that a test can make any one of them fail.
namespace hanaki {

// What a write needs to know of the file or folder it replaces or writes into.
struct FileStatus {
    unsigned mode = 0;  // type and permission bits, as st_mode
    unsigned uid = 0;
    unsigned gid = 0;
    // 0 when this process may change it, else why not (EACCES, EROFS). The
    // superuser passes every permission check, so for it a file counts as
    // writable only while some write bit is set.
    int writeError = 0;
    bool writable() const { return writeError == 0; }
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Each returns 0 on success or an errno value.
    // A new file; `mode` is narrowed by the umask as for any new file.
    virtual int CreateExclusive(const std::string& path, unsigned mode, int& fd) = 0;
    virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
    virtual int Sync(int fd) = 0;
    // Every file's pending bytes and names on the file system that holds
    // `fd`: one sync where a save has two files to make durable together.
    virtual int SyncFileSystem(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    virtual int SyncDirectory(const std::string& dir) = 0;
    // ENOENT when nothing has that name.
    virtual int Status(const std::string& path, FileStatus& status) = 0;
    // Permission bits as given, whatever the umask.
    virtual int SetMode(int fd, unsigned mode) = 0;
    // kKeepId leaves that id as it is.
    virtual int SetOwner(int fd, unsigned uid, unsigned gid) = 0;
    // Reads a whole regular file into `bytes` (left empty on failure); ENOENT
    // when it does not exist, EISDIR for a folder, kNotRegularFile for a FIFO
    // or a device (opened without blocking, never read), EFBIG past
    // kLargestDataFile.
    virtual int ReadAll(const std::string& path, std::string& bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // A second name for an existing file (EXDEV, EPERM … where the file system has none).
    virtual int Link(const std::string& existing, const std::string& newName) = 0;
    // Opens for appending, making the file with `mode` (less the umask) when missing.
    virtual int OpenForAppend(const std::string& path, unsigned mode, int& fd) = 0;
    // EEXIST when it is already there.
    virtual int MakeFolder(const std::string& path, unsigned mode) = 0;
    // An empty folder; ENOTEMPTY when it still holds a name.
    virtual int RemoveFolder(const std::string& path) = 0;
};

inline constexpr unsigned kKeepId = static_cast<unsigned>(-1);

// Not an errno: the name is a FIFO or a device, where a regular file belongs.
inline constexpr int kNotRegularFile = -1;

// Far above any file of a household (a month of 1000 items is 104 KB); a
// larger file is not one of ours, and reading it would only exhaust memory.
inline constexpr std::size_t kLargestDataFile = 8 * 1024 * 1024;

// The file a write to `path` lands in: symbolic links followed, each relative
// one from its own folder, up to the first name that is not a link (which
// may not exist yet). Returns 0 or an errno (ELOOP for a cycle).
int FollowLinks(const std::string& path, std::string& target);

// `name` in `folder`: the folder, then "/" unless it already ends in one, then the name.
std::string PathIn(std::string_view folder, std::string_view name);

// This computer's name, as temporary files and the folder lock record it.
std::string HostName();

// The real calls (POSIX).
class PosixFileSystem : public FileSystem {
  public:
    int CreateExclusive(const std::string& path, unsigned mode, int& fd) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override;
    int SyncFileSystem(int fd) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int SyncDirectory(const std::string& dir) override;
    int Status(const std::string& path, FileStatus& status) override;
    int SetMode(int fd, unsigned mode) override;
    int SetOwner(int fd, unsigned uid, unsigned gid) override;
    int ReadAll(const std::string& path, std::string& bytes) override;
    bool Exists(const std::string& path) override;
    int Link(const std::string& existing, const std::string& newName) override;
    int OpenForAppend(const std::string& path, unsigned mode, int& fd) override;
    int MakeFolder(const std::string& path, unsigned mode) override;
    int RemoveFolder(const std::string& path) override;
};

// One shared instance for code that has not been handed another.
FileSystem& RealFileSystem();

}  // namespace hanaki
