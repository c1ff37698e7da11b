#pragma once

#include <string>
#include <string_view>

#include "data/disk/file_system.h"

// One writer per data folder. The program that works on a folder keeps the
// file ".hanaki.lock" in it, holding its process id, computer name, program
// name and when its process started, so that a second hanaki or tsugite on the
// same folder can be refused before it touches a file. A lock whose program
// died on this computer is taken over, also when its process number has since
// gone to another program; one from another computer is never judged stale.
namespace hanaki {

inline constexpr std::string_view kLockFileName = ".hanaki.lock";

struct LockOwner {
    long pid = 0;  // 0: the lock file could not be read
    std::string host;
    std::string program;
    // "<boot id> <clock ticks from boot>"; empty in a lock of an older version.
    std::string started;
};

// When process `pid` of this computer started, as a lock records it; empty
// when that cannot be told (no such process, no /proc).
std::string ProcessStart(long pid);

class FolderLock {
  public:
    enum class State {
        Held,         // this program holds the lock
        HeldByOther,  // see owner()
        Failed,       // the folder is missing or cannot be written; see error()
    };

    // Tries once to take the lock of `folder`.
    FolderLock(std::string folder, std::string program, FileSystem& fs = RealFileSystem());
    // Removes the lock file when this program holds it, trying again after a
    // failed step: a lock left behind would turn the next start away.
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    const std::string& folder() const { return folder_; }
    const LockOwner& owner() const { return owner_; }
    int error() const { return error_; }
    // Failed because the folder is there but no file may be created in it.
    bool writeRefused() const;

  private:
    // True when the lock file is gone.
    bool RemoveLockFile();

    FileSystem* fs_;
    std::string folder_;
    std::string path_;
    std::string content_;
    State state_ = State::Failed;
    LockOwner owner_;
    int error_ = 0;
};

// Who is told of the refusal: a window asks to be started again, a command
// line to be run again.
enum class LockAsker { Window, Command };

// The Japanese title and message (UTF-8) for a lock that was not taken.
std::string LockRefusalTitle(const FolderLock& lock);
std::string DescribeLockRefusal(const FolderLock& lock, LockAsker asker = LockAsker::Window);

}  // namespace hanaki
