#include "data/data_folder.h"

#include <sys/stat.h>

#include <cerrno>

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

IoResult DataFolder::Replace(std::string_view fileName, std::string_view bytes) const {
    if (readOnly())
        return IoResult::Refuse(IoStep::Create, IoRefusal::ReadOnlyFolder, EROFS, PathOf(fileName));
    return WriteFileAtomically(*fs_, PathOf(fileName), bytes);
}

IoResult DataFolder::Remove(std::string_view fileName) const {
    if (readOnly())
        return IoResult::Refuse(IoStep::Remove, IoRefusal::ReadOnlyFolder, EROFS, PathOf(fileName));
    return RemoveFileDurably(*fs_, PathOf(fileName));
}

bool IsReadOnlyFolder(FileSystem& fs, const std::string& path) {
    FileStatus status;
    return fs.Status(path, status) == 0 && S_ISDIR(status.mode) && !status.writable();
}

}  // namespace hanaki
