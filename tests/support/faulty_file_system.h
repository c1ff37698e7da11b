#pragma once

#include <array>
#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

#include "data/disk/file_system.h"

namespace hanaki::testing {

enum class FsCall {
    CreateExclusive,
    Write,
    Sync,
    SyncFileSystem,
    Close,
    Rename,
    Remove,
    SyncDirectory,
    ReadAll,
    Status,
    SetMode,
    SetOwner,
    Link,
    OpenForAppend,
    MakeFolder,
    RemoveFolder,
};
inline constexpr std::array kAllFsCalls{FsCall::CreateExclusive,
                                        FsCall::Write,
                                        FsCall::Sync,
                                        FsCall::SyncFileSystem,
                                        FsCall::Close,
                                        FsCall::Rename,
                                        FsCall::Remove,
                                        FsCall::SyncDirectory,
                                        FsCall::ReadAll,
                                        FsCall::Status,
                                        FsCall::SetMode,
                                        FsCall::SetOwner,
                                        FsCall::Link,
                                        FsCall::OpenForAppend,
                                        FsCall::MakeFolder,
                                        FsCall::RemoveFolder};

inline const char* NameOf(FsCall call) {
    switch (call) {
        case FsCall::CreateExclusive:
            return "create";
        case FsCall::Write:
            return "write";
        case FsCall::Sync:
            return "fsync";
        case FsCall::SyncFileSystem:
            return "syncfs";
        case FsCall::Close:
            return "close";
        case FsCall::Rename:
            return "rename";
        case FsCall::Remove:
            return "remove";
        case FsCall::SyncDirectory:
            return "folder sync";
        case FsCall::ReadAll:
            return "read";
        case FsCall::Status:
            return "stat";
        case FsCall::SetMode:
            return "chmod";
        case FsCall::SetOwner:
            return "chown";
        case FsCall::Link:
            return "link";
        case FsCall::OpenForAppend:
            return "open for append";
        case FsCall::MakeFolder:
            return "mkdir";
        case FsCall::RemoveFolder:
            return "rmdir";
    }
    return "?";
}

// How the chosen call fails.
enum class FaultKind {
    Error,             // nothing happens, the call returns the errno
    ShortWrite,        // half the bytes reach the file, the call reports success
    PartialThenError,  // half the bytes reach the file, then the errno
};

struct Fault {
    FsCall call = FsCall::Write;
    int nth = 1;  // 1-based count of that call
    int error = EIO;
    FaultKind kind = FaultKind::Error;
};

// The real file system with one call made to fail the way a full disk, a bad
// sector or a yanked USB stick would. Calls are counted whether or not a
// fault is armed, so a clean run tells how many fault points an action has.
class FaultyFileSystem : public FileSystem {
  public:
    void Arm(const Fault& fault) {
        fault_ = fault;
        armed_ = true;
        fired_ = false;
        counts_.fill(0);
    }
    void Disarm() {
        armed_ = false;
        counts_.fill(0);
    }
    bool fired() const { return fired_; }
    int CallCount(FsCall call) const { return counts_[static_cast<std::size_t>(call)]; }

    // Files whose permissions say this process may not write them, as for
    // another user's file, whatever the real bits and user are.
    void PretendReadOnly(const std::string& path) { readOnly_.push_back(path); }

    int CreateExclusive(const std::string& path, unsigned mode, int& fd) override {
        if (Hit(FsCall::CreateExclusive))
            return fault_.error;
        return real_.CreateExclusive(path, mode, fd);
    }
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        // Cutting short a write of nothing is no fault.
        bool applies = size > 0 || fault_.kind != FaultKind::ShortWrite;
        if (!Hit(FsCall::Write, applies))
            return real_.Write(fd, data, size, written);
        if (fault_.kind == FaultKind::Error) {
            written = 0;
            return fault_.error;
        }
        int err = real_.Write(fd, data, size / 2, written);
        if (err != 0)
            return err;
        return fault_.kind == FaultKind::ShortWrite ? 0 : fault_.error;
    }
    int Sync(int fd) override { return Hit(FsCall::Sync) ? fault_.error : real_.Sync(fd); }
    int SyncFileSystem(int fd) override {
        return Hit(FsCall::SyncFileSystem) ? fault_.error : real_.SyncFileSystem(fd);
    }
    int Close(int fd) override {
        // Linux releases the descriptor even when close reports an error.
        int err = real_.Close(fd);
        return Hit(FsCall::Close) ? fault_.error : err;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return Hit(FsCall::Rename) ? fault_.error : real_.Rename(from, to);
    }
    int Remove(const std::string& path) override {
        return Hit(FsCall::Remove) ? fault_.error : real_.Remove(path);
    }
    int SyncDirectory(const std::string& dir) override {
        return Hit(FsCall::SyncDirectory) ? fault_.error : real_.SyncDirectory(dir);
    }
    int Status(const std::string& path, FileStatus& status) override {
        if (Hit(FsCall::Status))
            return fault_.error;
        int err = real_.Status(path, status);
        for (const std::string& readOnly : readOnly_) {
            if (path == readOnly)
                status.writeError = EACCES;
        }
        return err;
    }
    int SetMode(int fd, unsigned mode) override {
        return Hit(FsCall::SetMode) ? fault_.error : real_.SetMode(fd, mode);
    }
    int SetOwner(int fd, unsigned uid, unsigned gid) override {
        return Hit(FsCall::SetOwner) ? fault_.error : real_.SetOwner(fd, uid, gid);
    }
    int ReadAll(const std::string& path, std::string& bytes) override {
        return Hit(FsCall::ReadAll) ? fault_.error : real_.ReadAll(path, bytes);
    }
    bool Exists(const std::string& path) override { return real_.Exists(path); }
    int Link(const std::string& existing, const std::string& newName) override {
        return Hit(FsCall::Link) ? fault_.error : real_.Link(existing, newName);
    }
    int OpenForAppend(const std::string& path, unsigned mode, int& fd) override {
        return Hit(FsCall::OpenForAppend) ? fault_.error : real_.OpenForAppend(path, mode, fd);
    }
    int MakeFolder(const std::string& path, unsigned mode) override {
        return Hit(FsCall::MakeFolder) ? fault_.error : real_.MakeFolder(path, mode);
    }
    int RemoveFolder(const std::string& path) override {
        return Hit(FsCall::RemoveFolder) ? fault_.error : real_.RemoveFolder(path);
    }

  private:
    bool Hit(FsCall call, bool applies = true) {
        int count = ++counts_[static_cast<std::size_t>(call)];
        if (!applies || !armed_ || fired_ || call != fault_.call || count != fault_.nth)
            return false;
        fired_ = true;
        return true;
    }

    PosixFileSystem real_;
    Fault fault_;
    bool armed_ = false;
    bool fired_ = false;
    std::array<int, kAllFsCalls.size()> counts_{};
    std::vector<std::string> readOnly_;
};

}  // namespace hanaki::testing
