#include "data/folder_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <ctime>

#include "data/data_folder.h"
#include "data/io_result.h"
#include "data/text_lines.h"

namespace hanaki {
namespace {

// Writing the three lines takes microseconds; a lock file still unreadable
// after this long was left by a program that died while writing it.
constexpr std::time_t kUnreadableLockSeconds = 10;

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
    return owner;
}

bool IsOlderThan(const std::string& path, std::time_t seconds) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && std::time(nullptr) - st.st_mtime > seconds;
}

// A lock nobody can still be using: its program is gone from this computer.
bool IsStale(const LockOwner& owner, const std::string& path) {
    if (owner.pid == 0)
        return IsOlderThan(path, kUnreadableLockSeconds);
    if (owner.host != HostName())
        return false;
    return ::kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH;
}

int WriteWhole(int fd, std::string_view bytes) {
    std::size_t written = 0;
    return RealFileSystem().Write(fd, bytes.data(), bytes.size(), written);
}

}  // namespace

FolderLock::FolderLock(std::string folder, std::string program)
    : folder_(std::move(folder)), path_(LockPathOf(folder_)) {
    content_ = std::to_string(::getpid()) + "\n" + HostName() + "\n" + program + "\n";
    // The superuser could create the lock in a folder whose bits forbid it.
    FileStatus status;
    if (RealFileSystem().Status(folder_, status) == 0 && S_ISDIR(status.mode) &&
        !status.writable()) {
        error_ = status.writeError;
        return;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            int err = WriteWhole(fd, content_);
            if (::close(fd) != 0 && err == 0)
                err = errno;
            if (err != 0) {
                ::unlink(path_.c_str());
                error_ = err;
                return;
            }
            state_ = State::Held;
            return;
        }
        if (errno != EEXIST) {
            error_ = errno;
            return;
        }
        std::string bytes;
        int err = RealFileSystem().ReadAll(path_, bytes);
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
        if (::unlink(path_.c_str()) != 0 && errno != ENOENT) {
            state_ = State::Failed;
            error_ = errno;
            return;
        }
    }
}

FolderLock::~FolderLock() {
    if (!held())
        return;
    std::string bytes;
    if (RealFileSystem().ReadAll(path_, bytes) == 0 && bytes == content_)
        ::unlink(path_.c_str());
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
