#include "data/disk/safe_write.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "data/disk/stale_temporaries.h"

namespace hanaki {
namespace {

// A name in the target's own folder (so the rename stays on one file system)
// that no other writer picks and the sweep knows for ours.
std::string TemporaryNameFor(const std::string& path, const std::string& host, int attempt) {
    std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    return folder + TemporaryFileName(name, host, ::getpid(), attempt);
}

// The old file's owner where this process may give it (the superuser may;
// anyone else only a group they belong to); a failure leaves the file ours.
void KeepOwner(FileSystem& fs, int fd, const FileStatus& old) {
    if (fs.SetOwner(fd, old.uid, old.gid) != 0)
        fs.SetOwner(fd, kKeepId, old.gid);
}

// Checks, before anything changes, that this process may change `path`: a
// file there must be one its permissions let it write, and its folder one
// that takes new names. `existing` gets the file, when there is one.
IoResult CheckMayChange(FileSystem& fs, const std::string& path, IoStep step,
                        std::optional<FileStatus>& existing) {
    FileStatus file;
    int err = fs.Status(path, file);
    // A FIFO, a device or a folder is never replaced by a regular file.
    if (err == 0 && !S_ISREG(file.mode))
        return IoResult::Fail(step, S_ISDIR(file.mode) ? EISDIR : kNotRegularFile, path);
    if (err == 0 && file.writeError == EROFS)
        return IoResult::Fail(step, EROFS, path);  // the medium, not the file
    if (err == 0 && !file.writable())
        return IoResult::Refuse(step, IoRefusal::ReadOnlyFile, file.writeError, path);
    if (err != 0 && err != ENOENT)
        return IoResult::Fail(step, err, path);
    if (err == 0)
        existing = file;
    else if (step == IoStep::Remove)
        return IoResult::Ok();  // nothing to remove
    FileStatus folder;
    err = fs.Status(FolderOf(path), folder);
    if (err == 0)
        err = folder.writeError;
    if (err == 0)
        return IoResult::Ok();
    IoResult refused = IoResult::Fail(step, err, path);
    refused.error->targetExisted = existing.has_value();
    return refused;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

IoResult WriteFileAtomically(FileSystem& fs, const std::string& named, std::string_view bytes,
                             SyncScope scope) {
    // A link stays a link: the file it leads to is the one replaced, in its own folder.
    std::string path;
    if (int err = FollowLinks(named, path); err != 0)
        return IoResult::Fail(IoStep::Create, err, named);
    std::optional<FileStatus> old;
    if (IoResult allowed = CheckMayChange(fs, path, IoStep::Create, old); !allowed.ok()) {
        allowed.error->path = named;
        return allowed;
    }
    const bool replacing = old.has_value();
    auto fail = [&](IoStep step, int code) {
        IoResult failed = IoResult::Fail(step, code, named);
        failed.error->targetExisted = replacing;
        return failed;
    };

    // A replacement is born private and takes the old file's owner and mode
    // before a byte is written; a new file gets what the umask allows.
    std::string temporary;
    const std::string host = HostName();
    int fd = -1;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        temporary = TemporaryNameFor(path, host, attempt);
        err = fs.CreateExclusive(temporary, replacing ? 0600 : 0666, fd);
    }
    if (err != 0)
        return fail(IoStep::Create, err);

    auto abandon = [&](IoStep step, int code, bool open) {
        if (open)
            fs.Close(fd);
        fs.Remove(temporary);
        return fail(step, code);
    };

    if (replacing) {
        KeepOwner(fs, fd, *old);
        // After the owner: a change of owner clears the set-id bits.
        if ((err = fs.SetMode(fd, old->mode & 07777)) != 0)
            return abandon(IoStep::Create, err, true);
    }

    std::size_t written = 0;
    err = fs.Write(fd, bytes.data(), bytes.size(), written);
    if (err == 0 && written != bytes.size())
        err = ENOSPC;
    if (err != 0)
        return abandon(IoStep::Write, err, true);
    err = scope == SyncScope::File ? fs.Sync(fd) : fs.SyncFileSystem(fd);
    if (err != 0)
        return abandon(IoStep::Sync, err, true);
    if ((err = fs.Close(fd)) != 0)
        return abandon(IoStep::Write, err, false);
    if ((err = fs.Rename(temporary, path)) != 0)
        return abandon(IoStep::Rename, err, false);
    // The new file is in place, but until the folder is synced a power cut
    // could bring the old one back: the user is told the save is unconfirmed.
    if ((err = fs.SyncDirectory(FolderOf(path))) != 0)
        return fail(IoStep::SyncFolder, err);
    return IoResult::Ok();
}

IoResult RemoveFileDurably(FileSystem& fs, const std::string& path) {
    // The folder's permissions would allow the removal; a file marked
    // read-only is still the user's word that it stays.
    std::optional<FileStatus> existing;
    if (IoResult allowed = CheckMayChange(fs, path, IoStep::Remove, existing); !allowed.ok())
        return allowed;
    if (!existing)
        return IoResult::Ok();
    int err = fs.Remove(path);
    if (err != 0 && err != ENOENT)
        return IoResult::Fail(IoStep::Remove, err, path);
    if ((err = fs.SyncDirectory(FolderOf(path))) != 0)
        return IoResult::Fail(IoStep::SyncFolder, err, path);
    return IoResult::Ok();
}

}  // namespace hanaki
