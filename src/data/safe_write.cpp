#include "data/safe_write.h"

#include <unistd.h>

#include <cerrno>
#include <string>

namespace hanaki {
namespace {

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A name in the target's own folder (so the rename stays on one file system)
// that no other writer picks.
std::string TemporaryNameFor(const std::string& path, int attempt) {
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
}

}  // namespace

IoResult WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view bytes) {
    std::string temporary;
    int fd = -1;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        temporary = TemporaryNameFor(path, attempt);
        err = fs.CreateExclusive(temporary, fd);
    }
    if (err != 0)
        return IoResult::Fail(IoStep::Create, err, path);

    auto abandon = [&](IoStep step, int code, bool open) {
        if (open)
            fs.Close(fd);
        fs.Remove(temporary);
        return IoResult::Fail(step, code, path);
    };

    std::size_t written = 0;
    err = fs.Write(fd, bytes.data(), bytes.size(), written);
    if (err == 0 && written != bytes.size())
        err = ENOSPC;
    if (err != 0)
        return abandon(IoStep::Write, err, true);
    if ((err = fs.Sync(fd)) != 0)
        return abandon(IoStep::Sync, err, true);
    if ((err = fs.Close(fd)) != 0)
        return abandon(IoStep::Write, err, false);
    if ((err = fs.Rename(temporary, path)) != 0)
        return abandon(IoStep::Rename, err, false);
    // The new name is in place; a failed folder sync only widens the window in
    // which a power cut could bring the old file back, so it is not an error.
    fs.SyncDirectory(FolderOf(path));
    return IoResult::Ok();
}

IoResult RemoveFileDurably(FileSystem& fs, const std::string& path) {
    int err = fs.Remove(path);
    if (err != 0 && err != ENOENT)
        return IoResult::Fail(IoStep::Remove, err, path);
    fs.SyncDirectory(FolderOf(path));
    return IoResult::Ok();
}

}  // namespace hanaki
