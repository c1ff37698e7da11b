#include "data/disk/data_folder.h"

#include <sys/stat.h>

#include <cerrno>

#include "data/disk/safe_write.h"
#include "data/disk/stale_temporaries.h"

namespace hanaki {

DataFolder::DataFolder(std::string path, FileSystem& fs, Access access)
    : path_(std::move(path)), fs_(&fs), access_(access) {}

std::string DataFolder::PathOf(std::string_view fileName) const {
    return PathIn(path_, fileName);
}

bool DataFolder::Exists(std::string_view fileName) const {
    return fs_->Exists(PathOf(fileName));
}

void DataFolder::WatchPresence(std::string_view expectedFile) {
    watched_ = true;
    expected_ = expectedFile;
}

bool DataFolder::Present() const {
    if (!watched_)
        return true;
    FileStatus status;
    const int err = fs_->Status(path_, status);
    // Another error (EIO, EACCES) is left to the call that meets it.
    if (err == ENOENT || err == ENOTDIR || (err == 0 && !S_ISDIR(status.mode)))
        return false;
    return expected_.empty() || fs_->Exists(PathOf(expected_));
}

IoResult DataFolder::Missing(IoStep step) const {
    return IoResult::Fail(step, kFolderMissing, path_);
}

IoResult DataFolder::Read(std::string_view fileName, std::string& bytes) const {
    std::string path = PathOf(fileName);
    int err = fs_->ReadAll(path, bytes);
    if (err == 0)
        return IoResult::Ok();
    // A file missing from a missing folder is not a month without items.
    return Present() ? IoResult::Fail(IoStep::Read, err, path) : Missing(IoStep::Read);
}

IoResult DataFolder::Replace(std::string_view fileName, std::string_view bytes,
                             const ChangeNote& note) const {
    if (readOnly())
        return IoResult::Refuse(IoStep::Create, IoRefusal::ReadOnlyFolder, EROFS, PathOf(fileName));
    // In an empty mount point a new file would hide under the stick once it is back.
    if (!Present())
        return Missing(IoStep::Create);
    // The history's line and the new bytes are made durable by one sync.
    bool lineUnsynced = false;
    const IoResult kept = RecordBefore(fileName, bytes, note, false, lineUnsynced);
    if (!kept.ok() && kept.error->step != IoStep::SyncFolder)
        return kept;
    const IoResult written = WriteFileAtomically(
        *fs_, PathOf(fileName), bytes, lineUnsynced ? SyncScope::FileSystem : SyncScope::File);
    return written.ok() ? kept : written;
}

IoResult DataFolder::Remove(std::string_view fileName, const ChangeNote& note) const {
    if (readOnly())
        return IoResult::Refuse(IoStep::Remove, IoRefusal::ReadOnlyFolder, EROFS, PathOf(fileName));
    if (!Present())
        return Missing(IoStep::Remove);
    bool lineUnsynced = false;
    const IoResult kept = RecordBefore(fileName, std::nullopt, note, true, lineUnsynced);
    if (!kept.ok() && kept.error->step != IoStep::SyncFolder)
        return kept;
    const IoResult removed = RemoveFileDurably(*fs_, PathOf(fileName));
    return removed.ok() ? kept : removed;
}

void DataFolder::KeepChangesWith(ChangeKeeper keeper) {
    keeper_ = std::move(keeper);
}

void DataFolder::BeginChangeGroup() const {
    group_ = 0;
}

void DataFolder::EndChangeGroup() const {
    group_ = -1;
}

IoResult DataFolder::RecordBefore(std::string_view fileName,
                                  const std::optional<std::string_view>& after,
                                  const ChangeNote& note, bool syncLine, bool& lineUnsynced) const {
    lineUnsynced = false;
    if (!keepsHistory())
        return IoResult::Ok();
    ChangeNote told = note;
    if (group_ > 0)
        told.group = group_;
    KeptChange kept;
    IoResult result = keeper_(*this, fileName, after, told, syncLine, kept);
    // The group is named after its first change.
    if (group_ == 0 && kept.change != 0)
        group_ = kept.change;
    lineUnsynced = kept.lineUnsynced;
    return result;
}

IoResult ReadOptionalFile(const DataFolder& folder, std::string_view fileName, std::string& bytes) {
    IoResult result = folder.Read(fileName, bytes);
    if (!result.ok() && result.error->code == ENOENT && result.error->refusal == IoRefusal::None) {
        bytes.clear();
        return IoResult::Ok();
    }
    return result;
}

bool IsReadOnlyFolder(FileSystem& fs, const std::string& path) {
    FileStatus status;
    return fs.Status(path, status) == 0 && S_ISDIR(status.mode) && !status.writable();
}

int RemoveStaleTemporaryFiles(const DataFolder& folder) {
    return RemoveStaleTemporaryFiles(folder.fs(), folder.path());
}

}  // namespace hanaki
