#include "data/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "data/history_store.h"
#include "data/safe_write.h"

namespace hanaki {

DataFolder::DataFolder(std::string path, FileSystem& fs, Access access)
    : path_(std::move(path)), fs_(&fs), access_(access) {}

std::string DataFolder::PathOf(std::string_view fileName) const {
    std::string full = path_;
    if (full.empty() || full.back() != '/')
        full += '/';
    full += fileName;
    return full;
}

bool DataFolder::Exists(std::string_view fileName) const {
    return fs_->Exists(PathOf(fileName));
}

IoResult DataFolder::Read(std::string_view fileName, std::string& bytes) const {
    std::string path = PathOf(fileName);
    int err = fs_->ReadAll(path, bytes);
    return err == 0 ? IoResult::Ok() : IoResult::Fail(IoStep::Read, err, path);
}

IoResult DataFolder::Replace(std::string_view fileName, std::string_view bytes,
                             const ChangeNote& note) const {
    if (readOnly())
        return IoResult::Refuse(IoStep::Create, IoRefusal::ReadOnlyFolder, EROFS, PathOf(fileName));
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
    bool lineUnsynced = false;
    const IoResult kept = RecordBefore(fileName, std::nullopt, note, true, lineUnsynced);
    if (!kept.ok() && kept.error->step != IoStep::SyncFolder)
        return kept;
    const IoResult removed = RemoveFileDurably(*fs_, PathOf(fileName));
    return removed.ok() ? kept : removed;
}

void DataFolder::KeepHistory(std::function<std::int64_t()> clock) {
    clock_ = std::move(clock);
}

void DataFolder::KeepHistory() {
    KeepHistory([] { return static_cast<std::int64_t>(std::time(nullptr)); });
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
    IoResult result = RecordChange(*this, fileName, after, told, clock_(), syncLine, kept);
    // The group is named after its first change.
    if (group_ == 0 && kept.change != 0)
        group_ = kept.change;
    lineUnsynced = kept.lineUnsynced;
    return result;
}

bool IsReadOnlyFolder(FileSystem& fs, const std::string& path) {
    FileStatus status;
    return fs.Status(path, status) == 0 && S_ISDIR(status.mode) && !status.writable();
}

}  // namespace hanaki
