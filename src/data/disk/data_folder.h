#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/disk/change_note.h"
#include "data/disk/file_system.h"
#include "data/disk/io_result.h"

// The folder that holds one household's files, and the only way the data core
// reads or writes them.
namespace hanaki {

class DataFolder;

// What the folder's history kept of one change: its number (0: nothing, the
// bytes stayed the same), and whether its index line still waits for the
// folder's own sync of the new bytes.
struct KeptChange {
    long change = 0;
    bool lineUnsynced = false;
};

// Keeps the bytes of `fileName` before the folder makes them `after`
// (nullopt: removes the file); a failure means the change must not be made.
// The history, which knows the household's formats, is handed in from above.
using ChangeKeeper =
    std::function<IoResult(const DataFolder& folder, std::string_view fileName,
                           const std::optional<std::string_view>& after, const ChangeNote& note,
                           bool syncLine, KeptChange& kept)>;

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

    // From now on the folder is watched for going away (moved, a USB stick
    // pulled out) or being replaced (an empty mount point where the stick
    // was: `expectedFile`, one that stays in the folder as long as this
    // program works on it, such as its lock, is missing). Then nothing is
    // written and a failed read does not pass for a missing file (a month
    // without items): each answers kFolderMissing, with the folder's path.
    void WatchPresence(std::string_view expectedFile = {});
    // Whether the watched folder is still there; an unwatched one always is.
    bool Present() const;

    // From now on `keeper` keeps the bytes every Replace and Remove changes
    // first. Call it only while holding the folder lock.
    void KeepChangesWith(ChangeKeeper keeper);
    bool keepsHistory() const { return static_cast<bool>(keeper_); }

    // Between the two, every file this folder changes is part of one change
    // of the history: each keeps its own line, and one undo takes back all
    // (a conversion of many months, an undo of many files).
    void BeginChangeGroup() const;
    void EndChangeGroup() const;

  private:
    IoResult Missing(IoStep step) const;
    IoResult RecordBefore(std::string_view fileName, const std::optional<std::string_view>& after,
                          const ChangeNote& note, bool syncLine, bool& lineUnsynced) const;

    std::string path_;
    FileSystem* fs_;
    Access access_;
    bool watched_ = false;
    std::string expected_;
    ChangeKeeper keeper_;
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

// The whole file, or no bytes when it does not exist (a file the household
// has not made yet, such as its rules).
IoResult ReadOptionalFile(const DataFolder& folder, std::string_view fileName, std::string& bytes);

// True when `path` is a folder this process may read but not write, so that
// the program opens it for reading only.
bool IsReadOnlyFolder(FileSystem& fs, const std::string& path);

// RemoveStaleTemporaryFiles (stale_temporaries.h) in this folder.
int RemoveStaleTemporaryFiles(const DataFolder& folder);

}  // namespace hanaki
