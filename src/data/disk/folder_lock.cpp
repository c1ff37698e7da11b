#include "data/disk/folder_lock.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <ctime>
#include <fstream>
#include <sstream>

#include "data/disk/data_folder.h"
#include "data/disk/io_result.h"
#include "data/disk/text_lines.h"

namespace hanaki {
namespace {

// Writing the lines takes microseconds; a lock file still unreadable
// after this long was left by a program that died while writing it.
constexpr std::time_t kUnreadableLockSeconds = 10;

// A removal that failed (a passing input/output error) is tried again.
constexpr int kReleaseAttempts = 3;

std::string LockPathOf(const std::string& folder) {
    return DataFolder(folder, RealFileSystem()).PathOf(kLockFileName);
}

LockOwner ParseOwner(std::string_view bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    LockOwner owner;
    if (lines.size() < 3)
        return owner;
    const std::string& pid = lines[0];
    auto [end, error] = std::from_chars(pid.data(), pid.data() + pid.size(), owner.pid);
    if (error != std::errc() || end != pid.data() + pid.size() || owner.pid <= 0) {
        owner.pid = 0;
        return owner;
    }
    owner.host = lines[1];
    owner.program = lines[2];
    if (lines.size() > 3)
        owner.started = lines[3];
    return owner;
}

std::string FirstLineOf(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

bool IsOlderThan(const std::string& path, std::time_t seconds) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && std::time(nullptr) - st.st_mtime > seconds;
}

// A lock nobody can still be using: its program is gone from this computer,
// or the process that now has its number started at another time (after a
// restart of the computer, or once the numbers came round again).
bool IsStale(const LockOwner& owner, const std::string& path) {
    if (owner.pid == 0)
        return IsOlderThan(path, kUnreadableLockSeconds);
    if (owner.host != HostName())
        return false;
    if (::kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH)
        return true;
    if (owner.started.empty())
        return false;
    const std::string now = ProcessStart(owner.pid);
    return !now.empty() && now != owner.started;
}

}  // namespace

std::string ProcessStart(long pid) {
    const std::string boot = FirstLineOf("/proc/sys/kernel/random/boot_id");
    const std::string stat = FirstLineOf("/proc/" + std::to_string(pid) + "/stat");
    // The name in parentheses may hold blanks; the start time is the 20th field after it.
    const std::size_t name = stat.rfind(')');
    if (boot.empty() || name == std::string::npos)
        return {};
    std::istringstream fields(stat.substr(name + 1));
    std::string field;
    for (int n = 1; n <= 20; ++n)
        fields >> field;
    if (!fields || field.find_first_not_of("0123456789") != std::string::npos)
        return {};
    return boot + " " + field;
}

FolderLock::FolderLock(std::string folder, std::string program, FileSystem& fs)
    : fs_(&fs), folder_(std::move(folder)), path_(LockPathOf(folder_)) {
    content_ = std::to_string(::getpid()) + "\n" + HostName() + "\n" + program + "\n";
    if (std::string started = ProcessStart(::getpid()); !started.empty())
        content_ += started + "\n";
    // The superuser could create the lock in a folder whose bits forbid it.
    FileStatus status;
    if (fs.Status(folder_, status) == 0 && S_ISDIR(status.mode) && !status.writable()) {
        error_ = status.writeError;
        return;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = -1;
        int err = fs.CreateExclusive(path_, 0666, fd);
        if (err == 0) {
            std::size_t written = 0;
            err = fs.Write(fd, content_.data(), content_.size(), written);
            if (err == 0 && written != content_.size())
                err = ENOSPC;
            if (int closed = fs.Close(fd); err == 0)
                err = closed;
            if (err != 0) {
                RemoveLockFile();
                error_ = err;
                return;
            }
            state_ = State::Held;
            return;
        }
        if (err != EEXIST) {
            error_ = err;
            return;
        }
        std::string bytes;
        err = fs.ReadAll(path_, bytes);
        if (err == ENOENT)
            continue;  // released in the meantime
        if (err != 0) {
            error_ = err;
            return;
        }
        owner_ = ParseOwner(bytes);
        state_ = State::HeldByOther;
        if (!IsStale(owner_, path_))
            return;
        // Two programs recovering the same stale lock at the same instant
        // could both succeed; starting twice within microseconds is not a
        // case a household meets.
        if (err = fs.Remove(path_); err != 0 && err != ENOENT) {
            state_ = State::Failed;
            error_ = err;
            return;
        }
    }
}

FolderLock::~FolderLock() {
    if (!held())
        return;
    // Only a program that took the file over as stale writes another lock
    // there, and then it reads. One this program cannot read is still its
    // own: nobody takes over the lock of a running program.
    std::string bytes;
    const int err = fs_->ReadAll(path_, bytes);
    if (err == ENOENT || (err == 0 && bytes != content_))
        return;
    RemoveLockFile();
}

bool FolderLock::RemoveLockFile() {
    for (int attempt = 0; attempt < kReleaseAttempts; ++attempt) {
        const int err = fs_->Remove(path_);
        if (err == 0 || err == ENOENT)
            return true;
    }
    return false;
}

bool FolderLock::writeRefused() const {
    return state_ == State::Failed && (error_ == EROFS || error_ == EACCES || error_ == EPERM);
}

std::string LockRefusalTitle(const FolderLock& lock) {
    if (lock.state() == FolderLock::State::HeldByOther)
        return "データフォルダ使用中";
    return lock.error() == ENOENT ? "データフォルダがありません" : "データフォルダに書き込めません";
}

std::string DescribeLockRefusal(const FolderLock& lock, LockAsker asker) {
    const std::string& folder = lock.folder();
    // A window is started again; a command line is run again.
    const std::string again =
        asker == LockAsker::Window ? "もう一度起動してください。" : "もう一度実行してください。";
    if (lock.state() == FolderLock::State::Failed) {
        if (lock.error() == ENOENT)
            return "データフォルダ " + folder + " がありません。\nフォルダを確かめてから、" + again;
        return "データフォルダ " + folder +
               " に書き込めません。\n理由: " + DescribeErrno(lock.error(), IoStep::Create) +
               "。\nファイルは何も変更していません。";
    }
    const LockOwner& owner = lock.owner();
    if (owner.pid == 0)
        return "データフォルダ " + folder +
               " は、別のプログラムが使用中です。\n使用中のプログラムを終了してから、" + again;
    std::string program = owner.program.empty() ? "別のプログラム" : owner.program;
    std::string who = program + " (プロセス番号 " + std::to_string(owner.pid) + ")";
    if (owner.host == HostName())
        return "データフォルダ " + folder + " は、このコンピュータの " + who +
               " が使用中です。\n使用中のプログラムを終了してから、" + again;
    return "データフォルダ " + folder + " は、コンピュータ " + owner.host + " の " + who +
           " が使用中です。\nそのプログラムを終了してから、" + again +
           "\n"
           "どのプログラムも使っていないことが確かなときは、ファイル " +
           LockPathOf(folder) + " を削除してください。";
}

}  // namespace hanaki
