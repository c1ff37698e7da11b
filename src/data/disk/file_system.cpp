#include "data/disk/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdint>

namespace hanaki {

int PosixFileSystem::CreateExclusive(const std::string& path, unsigned mode, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    return fd < 0 ? errno : 0;
}

int PosixFileSystem::Write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    while (written < size) {
        ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

int PosixFileSystem::Sync(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int PosixFileSystem::SyncFileSystem(int fd) {
    return ::syncfs(fd) == 0 ? 0 : errno;
}

int PosixFileSystem::Close(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int rc = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return rc;
}

int PosixFileSystem::Status(const std::string& path, FileStatus& status) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno;
    status.mode = st.st_mode;
    status.uid = st.st_uid;
    status.gid = st.st_gid;
    // A folder is written by creating names in it, which also needs search.
    int wanted = S_ISDIR(st.st_mode) ? W_OK | X_OK : W_OK;
    status.writeError = ::faccessat(AT_FDCWD, path.c_str(), wanted, AT_EACCESS) == 0 ? 0 : errno;
    if (status.writeError == 0 && ::geteuid() == 0 && (st.st_mode & 0222) == 0)
        status.writeError = EACCES;
    return 0;
}

int PosixFileSystem::SetMode(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int PosixFileSystem::SetOwner(int fd, unsigned uid, unsigned gid) {
    return ::fchown(fd, static_cast<uid_t>(uid), static_cast<gid_t>(gid)) == 0 ? 0 : errno;
}

int PosixFileSystem::ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Without blocking: opening a FIFO for reading would wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st;
    int err = ::fstat(fd, &st) != 0 ? errno : 0;
    if (err == 0 && !S_ISREG(st.st_mode))
        err = S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    else if (err == 0 && static_cast<std::uintmax_t>(st.st_size) > kLargestDataFile)
        err = EFBIG;
    if (err != 0) {
        ::close(fd);
        return err;
    }
    // Read straight into `bytes`, sized by the file (one more byte tells a file
    // that grew meanwhile) and keeping its capacity: the summaries read twelve
    // files per key into one buffer.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (filled > kLargestDataFile) {
                err = EFBIG;
                break;
            }
            bytes.resize(bytes.size() * 2);
        }
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (err != 0) {
        bytes.clear();
        return err;
    }
    bytes.resize(filled);
    return 0;
}

bool PosixFileSystem::Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int FollowLinks(const std::string& path, std::string& target) {
    target = path;
    // As many hops as the system itself follows before it gives up with ELOOP.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::string link(PATH_MAX, '\0');
        ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n <= 0)
            return n < 0 ? errno : ENOENT;
        link.resize(static_cast<std::size_t>(n));
        std::size_t slash = target.find_last_of('/');
        if (link.front() != '/' && slash != std::string::npos)
            link = target.substr(0, slash + 1) + link;
        target = link;
    }
    return ELOOP;
}

std::string PathIn(std::string_view folder, std::string_view name) {
    std::string full(folder);
    if (full.empty() || full.back() != '/')
        full += '/';
    full += name;
    return full;
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

int PosixFileSystem::Link(const std::string& existing, const std::string& newName) {
    return ::link(existing.c_str(), newName.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::OpenForAppend(const std::string& path, unsigned mode, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, static_cast<mode_t>(mode));
    return fd < 0 ? errno : 0;
}

int PosixFileSystem::MakeFolder(const std::string& path, unsigned mode) {
    return ::mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int PosixFileSystem::RemoveFolder(const std::string& path) {
    return ::rmdir(path.c_str()) == 0 ? 0 : errno;
}

FileSystem& RealFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace hanaki
