#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/change_note.h"
#include "data/disk/data_folder.h"

// Every data file a folder replaces or removes first leaves its bytes in the
// hidden folder ".hanaki-history" (which no "??????.DAT" pattern matches), as
// a version named "<change>-<file>", with one line in "index.txt" telling when
// and what changed it. A replaced file keeps only the bytes the change took
// out ("….delta", rebuilt from the newer bytes), a removed one its whole self
// (a second name, or a copy where the file system has none). The version and
// its line are on the disk before the live file is replaced (a replacement's
// line by the same sync as the new bytes); a crash between the two leaves a
// line whose file still holds its "before", which the reader leaves out.
//
// Another program may rewrite a data file too. A version kept as a difference
// is rebuilt from the bytes after it, which such a program takes away: so a
// replacement also keeps the whole bytes it replaced under a second name (an
// "anchor", a hard link where the file system has them) until the file's
// next change shows that nothing else wrote it in between.
namespace hanaki {

inline constexpr std::string_view kHistoryFolderName = ".hanaki-history";
inline constexpr std::string_view kHistoryIndexName = "index.txt";

struct HistoryEntry {
    long change = 0;        // numbered from 1 in the order they were made
    std::int64_t time = 0;  // seconds since the epoch
    std::string file;       // "202611.DAT"
    ChangeKind kind = ChangeKind::Correct;
    std::string text;     // UTF-8
    long group = 0;       // the change whose writes this one shares (itself alone: its own number)
    long undoes = 0;      // the change an undo took back, else 0
    std::string version;  // the bytes before, in the history folder; empty: there was no file
    std::string before;   // fingerprint of the bytes before ("-": no file)
    std::string after;    // fingerprint of the bytes after ("-": removed)
    // Told by the reader, not kept: another program changed the file after
    // this change, before its next change was kept (or since, for the newest).
    bool changedOutsideAfter = false;
};

struct History {
    std::vector<HistoryEntry> entries;  // the changes that took place, oldest first
    // Lines that cannot be read: damaged by hand, or cut short by a crash.
    int unreadableLines = 0;
    std::optional<IoError> error;  // the index itself could not be read
};

// A short fingerprint of file bytes, as the index records them.
std::string Fingerprint(std::string_view bytes);

// Keeps the bytes of `fileName` before the folder makes it `after` (nullopt:
// removes it). Nothing is kept when the bytes stay the same. A failure (a full
// disk) means the change must not be made. The index line is synced here
// unless `syncLine` is false: then `kept.lineUnsynced` tells that the
// caller's own sync must cover it before the live file is replaced.
IoResult RecordChange(const DataFolder& folder, std::string_view fileName,
                      const std::optional<std::string_view>& after, const ChangeNote& note,
                      std::int64_t now, bool syncLine, KeptChange& kept);

// From now on `folder` keeps the bytes every change takes out in its own
// history, `clock` giving the time in seconds since the epoch (by default the
// system's). Call it only while holding the folder lock.
void KeepHistory(DataFolder& folder, std::function<std::int64_t()> clock);
void KeepHistory(DataFolder& folder);

// The kept changes; a missing history is an empty one. A change whose file
// another program rewrote since stays, marked changedOutsideAfter.
History ReadHistory(const DataFolder& folder);

// The file's bytes just before `entry` (nullopt: it did not exist), rebuilt
// from the live file back through the later changes of `history`. Nullopt
// with `problem` set (in Japanese) when a version is missing or no longer
// holds what was kept (the history is damaged), or when another program
// rewrote the file and nothing kept tells what it held.
std::optional<std::string> BytesBefore(const DataFolder& folder, const History& history,
                                       const HistoryEntry& entry, std::string& problem);

// A file's bytes at one point of its history, as a walk back from the live
// file rebuilds them: `bytes` nullopt where the file did not exist; `known`
// false where another program rewrote it and nothing kept tells what it held
// (or the live file could not be read: `unreadable` says why).
struct WalkedBytes {
    bool known = true;
    std::optional<std::string> bytes;
    std::string fingerprint;  // of `bytes` ("-": no file)
    std::string unreadable;
};
WalkedBytes LiveBytes(const DataFolder& folder, std::string_view fileName);
// One step back through `entry`, from the bytes after it to the bytes before
// it. Empty, or a message when the history's own files are damaged.
std::string StepBack(const DataFolder& folder, const HistoryEntry& entry, WalkedBytes& walked);

// The name of a replacement's anchor in the history folder (see above).
std::string AnchorName(const HistoryEntry& entry);

inline constexpr std::string_view kDeltaSuffix = ".delta";
// True for a version kept as a difference from the bytes that followed it.
bool IsDelta(std::string_view version);
// A difference this small is kept in the index line itself ("~" and hex).
inline constexpr std::size_t kInlineDeltaBytes = 2048;
std::string InlineVersion(std::string_view delta);
// The kept bytes of a version, from its file or its line.
int ReadVersion(const DataFolder& folder, const std::string& version, std::string& bytes);
// Writes a new version file, synced, with the mode and owner of `from`.
int WriteVersionFile(FileSystem& fs, const std::string& to, std::string_view bytes,
                     const FileStatus& from);

// A version as what a change took out of the file: the bytes `before` had
// where they differ from `after`, and back.
std::string EncodeDelta(std::string_view before, std::string_view after);
std::optional<std::string> ApplyDelta(std::string_view delta, std::string_view after);

// Bytes the history folder takes on the disk.
std::uintmax_t HistorySpace(const DataFolder& folder);

// The path of a name in the history folder.
std::string HistoryPath(const DataFolder& folder, std::string_view name);

// The text of one index line and back (exposed for pruning, which rewrites the index).
std::string FormatIndexLine(const HistoryEntry& entry);
std::optional<HistoryEntry> ParseIndexLine(std::string_view line);

}  // namespace hanaki
