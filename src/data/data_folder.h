#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/change_note.h"
#include "data/file_system.h"
#include "data/io_result.h"

// The folder that holds one household's files, and the only way the data core
// reads or writes them.
namespace hanaki {

class DataFolder {
  public:
    // ReadOnly: a backup on read-only media, or a folder this process may not
    // write. Every write is then refused before it reaches the disk.
    enum class Access { ReadWrite, ReadOnly };

    DataFolder(std::string path, FileSystem& fs, Access access = Access::ReadWrite);

    const std::string& path() const { return path_; }
    FileSystem& fs() const { return *fs_; }
    bool readOnly() const { return access_ == Access::ReadOnly; }

    // The folder, then "/" unless it already ends in one, then the name.
    std::string PathOf(std::string_view fileName) const;
    bool Exists(std::string_view fileName) const;

    // The whole file; a missing file is reported as ENOENT.
    IoResult Read(std::string_view fileName, std::string& bytes) const;
    // Replaces the file whole, crash-safely (see safe_write.h).
    IoResult Replace(std::string_view fileName, std::string_view bytes,
                     const ChangeNote& note = {}) const;
    // Removes the file; a file that is already gone is no error.
    IoResult Remove(std::string_view fileName, const ChangeNote& note = {}) const;

    // From now on the bytes every Replace and Remove changes are kept first
    // in the folder's history (see history_store.h); `clock` gives the time
    // in seconds since the epoch. Call it only while holding the folder lock.
    void KeepHistory(std::function<std::int64_t()> clock);
    void KeepHistory();
    bool keepsHistory() const { return static_cast<bool>(clock_); }

    // Between the two, every file this folder changes is part of one change
    // of the history: each keeps its own line, and one undo takes back all
    // (a conversion of many months, an undo of many files).
    void BeginChangeGroup() const;
    void EndChangeGroup() const;

  private:
    IoResult RecordBefore(std::string_view fileName, const std::optional<std::string_view>& after,
                          const ChangeNote& note, bool syncLine, bool& lineUnsynced) const;

    std::string path_;
    FileSystem* fs_;
    Access access_;
    std::function<std::int64_t()> clock_;
    // The open group: -1 none, 0 opened with nothing kept yet, else its first change.
    mutable long group_ = -1;
};

// Begins a change group for the life of a scope.
class ChangeGroupScope {
  public:
    explicit ChangeGroupScope(const DataFolder& folder) : folder_(folder) {
        folder_.BeginChangeGroup();
    }
    ~ChangeGroupScope() { folder_.EndChangeGroup(); }
    ChangeGroupScope(const ChangeGroupScope&) = delete;
    ChangeGroupScope& operator=(const ChangeGroupScope&) = delete;

  private:
    const DataFolder& folder_;
};

// True when `path` is a folder this process may read but not write, so that
// the program opens it for reading only.
bool IsReadOnlyFolder(FileSystem& fs, const std::string& path);

}  // namespace hanaki
