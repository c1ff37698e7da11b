#include "data/history/history_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>

#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/history/change_description.h"

namespace hanaki {
namespace {

constexpr ChangeKind kKinds[] = {
    ChangeKind::Add,        ChangeKind::Correct,    ChangeKind::Delete,    ChangeKind::Memo,
    ChangeKind::Categories, ChangeKind::Settings,   ChangeKind::CarryOver, ChangeKind::Conversion,
    ChangeKind::Undo,       ChangeKind::FixedItems, ChangeKind::Statement};
constexpr const char* kKindCodes[] = {"add",        "correct",  "delete",    "memo",
                                      "categories", "settings", "carryover", "conversion",
                                      "undo",       "fixed",    "statement"};

const char* KindCode(ChangeKind kind) {
    return kKindCodes[static_cast<int>(kind)];
}

std::optional<ChangeKind> KindOfCode(std::string_view code) {
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        if (code == kKindCodes[i])
            return kKinds[i];
    }
    return std::nullopt;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
    hash ^= word;
    hash *= 0x100000001b3ULL;
    return hash ^ (hash >> 29);
}

std::string VersionName(long change, std::string_view fileName) {
    char number[24];
    std::snprintf(number, sizeof number, "%08ld-", change);
    return number + std::string(fileName);
}

// The file system keeps no second names (FAT, some network shares): copy.
bool HasNoHardLinks(int err) {
    return err == EPERM || err == EXDEV || err == ENOTSUP || err == EOPNOTSUPP || err == EMLINK ||
           err == ENOSYS;
}

// Unsynced (`sync` false) only where the caller's own sync covers it.
int CopyVersion(FileSystem& fs, const std::string& to, std::string_view bytes,
                const FileStatus& from, bool sync = true) {
    int fd = -1;
    int err = fs.CreateExclusive(to, 0600, fd);
    if (err != 0)
        return err;
    if (fs.SetOwner(fd, from.uid, from.gid) != 0)
        fs.SetOwner(fd, kKeepId, from.gid);
    std::size_t written = 0;
    err = fs.SetMode(fd, from.mode & 0777);
    if (err == 0)
        err = fs.Write(fd, bytes.data(), bytes.size(), written);
    if (err == 0 && written != bytes.size())
        err = ENOSPC;
    if (err == 0 && sync)
        err = fs.Sync(fd);
    const int closed = fs.Close(fd);
    if (err == 0)
        err = closed;
    if (err != 0)
        fs.Remove(to);
    return err;
}

}  // namespace

bool IsDelta(std::string_view version) {
    return version.starts_with('~') || version.ends_with(kDeltaSuffix);
}

std::string InlineVersion(std::string_view delta) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "~";
    for (unsigned char c : delta) {
        text += kDigits[c >> 4];
        text += kDigits[c & 15];
    }
    return text;
}

int ReadVersion(const DataFolder& folder, const std::string& version, std::string& bytes) {
    if (!version.starts_with('~'))
        return folder.fs().ReadAll(HistoryPath(folder, version), bytes);
    bytes.clear();
    auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    for (std::size_t i = 1; i + 1 < version.size(); i += 2)
        bytes += static_cast<char>(digit(version[i]) << 4 | digit(version[i + 1]));
    return 0;
}

int WriteVersionFile(FileSystem& fs, const std::string& to, std::string_view bytes,
                     const FileStatus& from) {
    int err = CopyVersion(fs, to, bytes, from);
    // A name left by a change a crash cut short was never indexed.
    if (err == EEXIST) {
        err = fs.Remove(to);
        if (err == 0 || err == ENOENT)
            err = CopyVersion(fs, to, bytes, from);
    }
    return err;
}

namespace {

int AppendLine(FileSystem& fs, const std::string& index, const std::string& line, unsigned mode,
               bool sync) {
    int fd = -1;
    int err = fs.OpenForAppend(index, mode, fd);
    if (err != 0)
        return err;
    std::size_t written = 0;
    err = fs.Write(fd, line.data(), line.size(), written);
    if (err == 0 && written != line.size())
        err = ENOSPC;
    if (err == 0 && sync)
        err = fs.Sync(fd);
    const int closed = fs.Close(fd);
    return err != 0 ? err : closed;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A field of digits alone.
std::optional<long long> Number(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return ParseInteger(text);
}

// A file name as a data file has it, and never a path.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
}

struct IndexLines {
    std::vector<HistoryEntry> entries;
    int unreadable = 0;
};

std::optional<HistoryEntry> ParseIndexLine(std::string_view line, Cp932Decoder* decoder);

IndexLines ParseIndex(std::string_view bytes) {
    IndexLines index;
    // A year's lines name a few hundred distinct characters.
    Cp932Decoder decoder;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            ++index.unreadable;  // cut short
            break;
        }
        if (std::optional<HistoryEntry> entry =
                ParseIndexLine(bytes.substr(start, end - start), &decoder)) {
            index.entries.push_back(std::move(*entry));
        } else if (end > start) {
            ++index.unreadable;
        }
        start = end + 1;
    }
    return index;
}

struct IndexTail {
    long lastChange = 0;
    std::optional<HistoryEntry> lastOfFile;
};

// Changes are numbered in the order of the index, so its last readable line
// has the highest; the last line of a file is most often that one too.
IndexTail ReadIndexTail(std::string_view index, std::string_view fileName) {
    IndexTail tail;
    std::size_t end = index.rfind('\n');
    while (end != std::string_view::npos && end > 0 && !tail.lastOfFile) {
        const std::size_t start = index.rfind('\n', end - 1);
        const std::size_t from = start == std::string_view::npos ? 0 : start + 1;
        if (std::optional<HistoryEntry> entry =
                ParseIndexLine(index.substr(from, end - from), nullptr)) {
            tail.lastChange = std::max(tail.lastChange, entry->change);
            if (entry->file == fileName)
                tail.lastOfFile = std::move(entry);
        }
        end = start;
    }
    return tail;
}

std::string FingerprintOf(const std::optional<std::string>& bytes) {
    return bytes ? Fingerprint(*bytes) : "-";
}

// A second name for the bytes a replacement takes away (the file a link
// leads to, not the link), or a copy where the file system keeps no second
// names; the live file's sync makes it durable with the rest.
int KeepAnchor(FileSystem& fs, const std::string& live, const std::string& anchor,
               std::string_view bytes, const FileStatus& status) {
    std::string target;
    int err = FollowLinks(live, target);
    if (err == 0) {
        err = fs.Link(target, anchor);
        if (err == EEXIST && (err = fs.Remove(anchor)) == 0)
            err = fs.Link(target, anchor);
    }
    if (err != 0 && HasNoHardLinks(err))
        err = CopyVersion(fs, anchor, bytes, status, false);
    return err;
}

}  // namespace

std::string Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = Mix(hash, word);
    }
    for (; i < bytes.size(); ++i)
        hash = Mix(hash, static_cast<unsigned char>(bytes[i]));
    return Hex(hash);
}

std::string HistoryPath(const DataFolder& folder, std::string_view name) {
    std::string path = folder.PathOf(kHistoryFolderName);
    if (!name.empty())
        path += "/" + std::string(name);
    return path;
}

std::string FormatIndexLine(const HistoryEntry& entry) {
    std::string line = std::to_string(entry.change) + "\t" + std::to_string(entry.time) + "\t" +
                       entry.file + "\t" + KindCode(entry.kind) + "\t" +
                       std::to_string(entry.group) + "\t" + std::to_string(entry.undoes) + "\t" +
                       (entry.version.empty() ? "-" : entry.version) + "\t" + entry.before + "\t" +
                       entry.after + "\t";
    for (char c : Utf8ToCp932Lossy(entry.text))
        line += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    return line + "\t" + Fingerprint(line) + "\n";
}

std::optional<HistoryEntry> ParseIndexLine(std::string_view line) {
    return ParseIndexLine(line, nullptr);
}

namespace {

// With a decoder for the texts, when many lines are read at once.
std::optional<HistoryEntry> ParseIndexLine(std::string_view line, Cp932Decoder* decoder) {
    std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 11)
        return std::nullopt;
    if (Fingerprint(line.substr(0, line.size() - fields[10].size() - 1)) != fields[10])
        return std::nullopt;
    HistoryEntry entry;
    std::optional<long long> change = Number(fields[0]), time = Number(fields[1]),
                             group = Number(fields[4]), undoes = Number(fields[5]);
    std::optional<ChangeKind> kind = KindOfCode(fields[3]);
    if (!change || !time || !group || !undoes || !kind || !IsPlainName(fields[2]) ||
        !IsPlainName(fields[6]))
        return std::nullopt;
    entry.change = static_cast<long>(*change);
    entry.time = *time;
    entry.file = fields[2];
    entry.kind = *kind;
    entry.group = static_cast<long>(*group);
    entry.undoes = static_cast<long>(*undoes);
    entry.version = fields[6] == "-" ? "" : std::string(fields[6]);
    entry.before = fields[7];
    entry.after = fields[8];
    entry.text = decoder ? std::string(decoder->Decode(fields[9])) : Cp932ToUtf8(fields[9]);
    if (entry.version.empty() != (entry.before == "-"))
        return std::nullopt;
    return entry;
}

}  // namespace

IoResult RecordChange(const DataFolder& folder, std::string_view fileName,
                      const std::optional<std::string_view>& after, const ChangeNote& note,
                      std::int64_t now, bool syncLine, KeptChange& kept) {
    kept = {};
    FileSystem& fs = folder.fs();
    const std::string live = folder.PathOf(fileName);
    auto fail = [&](IoStep step, int err) { return IoResult::Fail(step, err, live); };

    std::optional<std::string> before;
    std::string bytes;
    if (int err = fs.ReadAll(live, bytes); err == 0)
        before = std::move(bytes);
    else if (err != ENOENT)
        return fail(IoStep::Read, err);
    if (before == after)
        return IoResult::Ok();

    FileStatus folderStatus, fileStatus;
    if (int err = fs.Status(folder.path(), folderStatus); err != 0)
        return fail(IoStep::Create, err);
    const unsigned folderMode = folderStatus.mode & 0777;
    const std::string history = HistoryPath(folder, "");
    if (int err = fs.MakeFolder(history, folderMode); err != 0 && err != EEXIST)
        return fail(IoStep::Create, err);

    const std::string indexPath = HistoryPath(folder, kHistoryIndexName);
    std::string indexBytes;
    if (int err = fs.ReadAll(indexPath, indexBytes); err != 0 && err != ENOENT)
        return fail(IoStep::Read, err);
    IndexTail tail = ReadIndexTail(indexBytes, fileName);
    const long change = tail.lastChange + 1;

    HistoryEntry entry;
    entry.change = change;
    entry.time = now;
    entry.file = fileName;
    entry.group = note.group != 0 ? note.group : change;
    entry.undoes = note.undoes;
    entry.before = before ? Fingerprint(*before) : "-";
    entry.after = after ? Fingerprint(*after) : "-";
    ChangeNote told = note;
    if (!told.kind || told.text.empty()) {
        ChangeNote described = DescribeChange(fileName, before, after);
        told.kind = told.kind.value_or(*described.kind);
        if (told.text.empty())
            told.text = described.text;
    }
    entry.kind = *told.kind;
    entry.text = told.text;

    if (before) {
        // A replaced file keeps only what the change took out of it, told
        // from the new bytes; a removed one keeps its whole self.
        entry.version = VersionName(change, fileName) + (after ? std::string(kDeltaSuffix) : "");
        const std::string version = HistoryPath(folder, entry.version);
        int err = fs.Status(live, fileStatus);
        if (err == 0 && after) {
            // A small difference rides in the index line: one file synced, not two.
            const std::string delta = EncodeDelta(*before, *after);
            if (delta.size() <= kInlineDeltaBytes)
                entry.version = InlineVersion(delta);
            else
                err = WriteVersionFile(fs, version, delta, fileStatus);
        } else if (err == 0) {
            err = fs.Link(live, version);
            if (err == EEXIST && (err = fs.Remove(version)) == 0)
                err = fs.Link(live, version);
            if (err != 0 && HasNoHardLinks(err))
                err = WriteVersionFile(fs, version, *before, fileStatus);
        }
        if (err == 0 && after)
            err = KeepAnchor(fs, live, HistoryPath(folder, AnchorName(entry)), *before, fileStatus);
        if (err != 0)
            return fail(IoStep::Create, err);
    }
    // A line cut short by a crash stays a line of its own.
    const std::string separator =
        !indexBytes.empty() && indexBytes.back() != '\n' ? std::string("\n") : std::string();
    if (int err = AppendLine(fs, indexPath, separator + FormatIndexLine(entry), folderMode & 0666,
                             syncLine);
        err != 0)
        return fail(IoStep::Write, err);
    kept = {change, !syncLine};
    // The file's last change needs its anchor no more when the file went on
    // from it (or never reached it): nothing else wrote the file in between.
    if (const std::optional<HistoryEntry>& previous = tail.lastOfFile;
        previous && !previous->version.empty() && previous->after != "-" &&
        (entry.before == previous->after || entry.before == previous->before))
        fs.Remove(HistoryPath(folder, AnchorName(*previous)));
    // A new name (the index, a version file) must outlast a power cut that
    // keeps the live file's new one.
    // If that sync fails the version is written all the same: the change goes
    // on, and is reported as not confirmed on disk, like a live file's own.
    if (indexBytes.empty() || !entry.version.starts_with('~')) {
        if (int err = fs.SyncDirectory(history); err != 0)
            return fail(IoStep::SyncFolder, err);
    }
    return IoResult::Ok();
}

void KeepHistory(DataFolder& folder, std::function<std::int64_t()> clock) {
    folder.KeepChangesWith(
        [clock = std::move(clock)](const DataFolder& changed, std::string_view fileName,
                                   const std::optional<std::string_view>& after,
                                   const ChangeNote& note, bool syncLine, KeptChange& kept) {
            return RecordChange(changed, fileName, after, note, clock(), syncLine, kept);
        });
}

void KeepHistory(DataFolder& folder) {
    KeepHistory(folder, [] { return static_cast<std::int64_t>(std::time(nullptr)); });
}

History ReadHistory(const DataFolder& folder) {
    History history;
    std::string bytes;
    int err = folder.fs().ReadAll(HistoryPath(folder, kHistoryIndexName), bytes);
    if (err != 0) {
        if (err != ENOENT)
            history.error = IoError{IoStep::Read, err, HistoryPath(folder, kHistoryIndexName)};
        else if (!folder.Present())  // not an empty history: none can be seen
            history.error = IoError{IoStep::Read, kFolderMissing, folder.path()};
        return history;
    }
    IndexLines index = ParseIndex(bytes);
    history.unreadableLines = index.unreadable;

    // Walking back from the live files: a change whose file went on from its
    // "after" took place; one whose file still held its "before" never
    // reached it (a crash between the line and the file); any other bytes
    // mean another program rewrote the file after it.
    std::map<std::string, std::string> reached;  // where each file went on from
    std::vector<bool> tookPlace(index.entries.size());
    for (std::size_t i = index.entries.size(); i-- > 0;) {
        HistoryEntry& entry = index.entries[i];
        auto next = reached.find(entry.file);
        if (next == reached.end()) {
            const WalkedBytes live = LiveBytes(folder, entry.file);
            // A live file that cannot be read is no sign of anything.
            next = reached.emplace(entry.file, live.known ? live.fingerprint : entry.after).first;
        }
        tookPlace[i] = next->second != entry.before;
        if (tookPlace[i]) {
            entry.changedOutsideAfter = next->second != entry.after;
            next->second = entry.before;
        }
    }
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        if (tookPlace[i])
            history.entries.push_back(std::move(index.entries[i]));
    }
    return history;
}

WalkedBytes LiveBytes(const DataFolder& folder, std::string_view fileName) {
    WalkedBytes walked;
    std::string bytes;
    const std::string path = folder.PathOf(fileName);
    if (int err = folder.fs().ReadAll(path, bytes); err == 0) {
        walked.bytes = std::move(bytes);
    } else if (err != ENOENT) {
        walked.known = false;
        walked.unreadable = DescribeIoError({IoStep::Read, err, path});
        return walked;
    }
    walked.fingerprint = FingerprintOf(walked.bytes);
    return walked;
}

std::string StepBack(const DataFolder& folder, const HistoryEntry& entry, WalkedBytes& walked) {
    if (entry.version.empty()) {  // the change made the file
        walked = {true, std::nullopt, "-", {}};
        return {};
    }
    const bool whole = !IsDelta(entry.version);
    if (!whole && !(walked.known && walked.fingerprint == entry.after)) {
        // Another program rewrote the file after the change: its anchor, if kept.
        std::string anchor;
        if (folder.fs().ReadAll(HistoryPath(folder, AnchorName(entry)), anchor) == 0 &&
            Fingerprint(anchor) == entry.before)
            walked = {true, std::move(anchor), entry.before, {}};
        else
            walked.known = false;
        return {};
    }
    const std::string path = HistoryPath(
        folder, entry.version.starts_with('~') ? std::string(kHistoryIndexName) : entry.version);
    std::string kept;
    if (int err = ReadVersion(folder, entry.version, kept); err != 0)
        return "履歴の " + path + " を読めません。\n理由: " + DescribeErrno(err, IoStep::Read) +
               "。";
    std::optional<std::string> earlier =
        whole ? std::optional<std::string>(std::move(kept))
              : (walked.bytes ? ApplyDelta(kept, *walked.bytes) : std::nullopt);
    if (!earlier || Fingerprint(*earlier) != entry.before)
        return "履歴の " + path + " は記録したときと内容が違います。履歴が壊れています。";
    walked = {true, std::move(earlier), entry.before, {}};
    return {};
}

std::string AnchorName(const HistoryEntry& entry) {
    return VersionName(entry.change, entry.file) + ".anchor";
}

std::optional<std::string> BytesBefore(const DataFolder& folder, const History& history,
                                       const HistoryEntry& entry, std::string& problem) {
    problem.clear();
    // From the live file back through every later change of the file.
    WalkedBytes walked = LiveBytes(folder, entry.file);
    for (auto it = history.entries.rbegin(); it != history.entries.rend(); ++it) {
        if (it->file != entry.file || it->change < entry.change)
            continue;
        if (problem = StepBack(folder, *it, walked); !problem.empty())
            return std::nullopt;
    }
    if (!walked.known) {
        problem = !walked.unreadable.empty()
                      ? walked.unreadable
                      : DataFileInWords(entry.file) +
                            "は別のプログラムが書き換えたため、それより前の内容を履歴から作り直せ"
                            "ません。";
        return std::nullopt;
    }
    return walked.bytes;
}

std::string EncodeDelta(std::string_view before, std::string_view after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    // A block at a time while they agree: a correction changes a few bytes of 104 KB.
    constexpr std::size_t kBlock = 256;
    std::size_t prefix = 0;
    while (prefix + kBlock <= shorter &&
           std::memcmp(before.data() + prefix, after.data() + prefix, kBlock) == 0)
        prefix += kBlock;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix + kBlock <= shorter - prefix &&
           std::memcmp(before.data() + before.size() - suffix - kBlock,
                       after.data() + after.size() - suffix - kBlock, kBlock) == 0)
        suffix += kBlock;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return std::to_string(prefix) + " " + std::to_string(suffix) + "\n" +
           std::string(before.substr(prefix, before.size() - prefix - suffix));
}

std::optional<std::string> ApplyDelta(std::string_view delta, std::string_view after) {
    const std::size_t lineEnd = delta.find('\n');
    const std::size_t blank = delta.find(' ');
    if (lineEnd == std::string_view::npos || blank > lineEnd)
        return std::nullopt;
    std::optional<long long> prefix = Number(delta.substr(0, blank));
    std::optional<long long> suffix = Number(delta.substr(blank + 1, lineEnd - blank - 1));
    if (!prefix || !suffix || std::size_t(*prefix + *suffix) > after.size())
        return std::nullopt;
    std::string bytes(after.substr(0, std::size_t(*prefix)));
    bytes += delta.substr(lineEnd + 1);
    bytes += after.substr(after.size() - std::size_t(*suffix));
    return bytes;
}

std::uintmax_t HistorySpace(const DataFolder& folder) {
    std::uintmax_t total = 0;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(HistoryPath(folder, ""), error)) {
        std::error_code sizeError;
        const std::uintmax_t size = file.file_size(sizeError);
        if (!sizeError)
            total += size;
    }
    return total;
}

}  // namespace hanaki
