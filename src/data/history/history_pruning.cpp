#include "data/history/history_pruning.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/disk/safe_write.h"
#include "data/history/history_store.h"

namespace hanaki {
namespace {

constexpr std::int64_t kDay = 24 * 60 * 60;

// The local day or month a change falls in, as a number that sorts.
int Period(std::int64_t time, bool byMonth) {
    std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local.tm_year * 10000 + (local.tm_mon + 1) * 100 + (byMonth ? 0 : local.tm_mday);
}

std::vector<bool> ChangesToKeep(const std::vector<HistoryEntry>& entries, std::int64_t now) {
    std::vector<bool> keep(entries.size(), true);
    std::map<std::string, std::size_t> newest;
    std::set<std::pair<std::string, int>> periodsSeen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const HistoryEntry& entry = entries[i];
        newest[entry.file] = i;
        const std::int64_t age = now - entry.time;
        if (age <= 31 * kDay)
            continue;
        const int period = Period(entry.time, age > 365 * kDay);
        keep[i] = periodsSeen.insert({entry.file, period}).second;
    }
    for (const auto& [file, i] : newest)
        keep[i] = true;
    return keep;
}

void RemoveUnnamedVersions(const DataFolder& folder, const std::vector<HistoryEntry>& kept) {
    // Anchors stay where another program rewrote the file, and for each file's newest change.
    std::set<std::string> named{std::string(kHistoryIndexName)};
    std::map<std::string, const HistoryEntry*> newest;
    for (const HistoryEntry& entry : kept) {
        named.insert(entry.version);
        newest[entry.file] = &entry;
        if (entry.changedOutsideAfter)
            named.insert(AnchorName(entry));
    }
    for (const auto& [file, entry] : newest)
        named.insert(AnchorName(*entry));
    std::vector<std::string> unnamed;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(HistoryPath(folder, ""), error)) {
        std::string name = file.path().filename().string();
        if (!named.count(name))
            unnamed.push_back(std::move(name));
    }
    for (const std::string& name : unnamed)
        folder.fs().Remove(HistoryPath(folder, name));
    if (!unnamed.empty())
        folder.fs().SyncDirectory(HistoryPath(folder, ""));
}

// Walks each file's changes from the live bytes back, and gives every kept
// change kept as a difference whose next change goes a new difference from
// the next kept one. A file whose versions cannot all be rebuilt (a damaged
// history, or bytes another program took away) keeps every change.
void RedoDifferences(const DataFolder& folder, const std::vector<HistoryEntry>& entries,
                     std::vector<bool>& keep, std::int64_t now,
                     std::vector<std::string>& versions) {
    struct Walk {
        WalkedBytes bytes;      // before the change last walked
        WalkedBytes keptAfter;  // before the kept change last walked
        bool gap = false;       // a change let go since then
        bool failed = false;
        FileStatus status;
    };
    // Only the files that let a change go are walked, each down to the kept
    // change that closes its oldest gap: a start that lets go of one day's
    // changes rebuilds one month's file, not the year.
    std::map<std::string, std::size_t> oldestLetGo;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (!keep[i])
            oldestLetGo[entries[i].file] = i;
    }
    std::map<std::string, Walk> files;
    bool wroteVersion = false;
    versions.resize(entries.size());
    for (std::size_t i = entries.size(); i-- > 0;) {
        const HistoryEntry& entry = entries[i];
        versions[i] = entry.version;
        const auto letGo = oldestLetGo.find(entry.file);
        if (letGo == oldestLetGo.end())
            continue;
        auto [found, first] = files.try_emplace(entry.file);
        Walk& walk = found->second;
        if (walk.failed || (i < letGo->second && !walk.gap))
            continue;
        if (first) {
            walk.bytes = LiveBytes(folder, entry.file);
            // New versions are as private as the file, or as its folder when it is gone.
            if (folder.fs().Status(folder.PathOf(entry.file), walk.status) != 0) {
                walk.failed = folder.fs().Status(folder.path(), walk.status) != 0;
                walk.status.mode &= 0666;
            }
        }
        walk.failed = walk.failed || !StepBack(folder, entry, walk.bytes).empty();
        if (walk.failed || !keep[i]) {
            walk.gap = !walk.failed;
            continue;
        }
        if (walk.gap && IsDelta(entry.version)) {
            if (!walk.bytes.known || !walk.keptAfter.known) {
                walk.failed = true;
                continue;
            }
            const std::string& before = *walk.bytes.bytes;
            const std::optional<std::string>& keptAfter = walk.keptAfter.bytes;
            const std::string bytes = keptAfter ? EncodeDelta(before, *keptAfter) : before;
            const std::string name = entry.file + "." + std::to_string(entry.change) + ".p" +
                                     std::to_string(now) +
                                     (keptAfter ? std::string(kDeltaSuffix) : std::string());
            versions[i] =
                keptAfter && bytes.size() <= kInlineDeltaBytes ? InlineVersion(bytes) : name;
            if (versions[i] == name) {
                if (WriteVersionFile(folder.fs(), HistoryPath(folder, name), bytes, walk.status) !=
                    0) {
                    walk.failed = true;
                    continue;
                }
                wroteVersion = true;
            }
        }
        walk.keptAfter = walk.bytes;
        walk.gap = false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto walked = files.find(entries[i].file);
        if (walked != files.end() && walked->second.failed) {
            keep[i] = true;
            versions[i] = entries[i].version;
        }
    }
    if (wroteVersion)
        folder.fs().SyncDirectory(HistoryPath(folder, ""));
}

}  // namespace

int PruneHistory(const DataFolder& folder, std::int64_t now) {
    if (folder.readOnly())
        return 0;
    History history = ReadHistory(folder);
    // A damaged index is left for the user to see; its versions may still matter.
    if (history.error || history.unreadableLines > 0)
        return 0;
    std::vector<bool> keep = ChangesToKeep(history.entries, now);
    // Most starts find nothing to let go: then nothing is rebuilt or rewritten.
    if (std::find(keep.begin(), keep.end(), false) == keep.end()) {
        RemoveUnnamedVersions(folder, history.entries);
        return 0;
    }
    std::vector<std::string> versions;
    RedoDifferences(folder, history.entries, keep, now, versions);
    std::vector<HistoryEntry> kept;
    std::map<std::string, std::size_t> lastKept;
    std::set<std::string> letGoSince;  // files with changes let go since their last kept one
    for (std::size_t i = 0; i < history.entries.size(); ++i) {
        HistoryEntry& entry = history.entries[i];
        if (!keep[i]) {
            letGoSince.insert(entry.file);
            continue;
        }
        entry.version = versions[i];
        // The changes let go in between now lie inside the one before.
        auto previous = lastKept.find(entry.file);
        if (letGoSince.erase(entry.file) > 0 && previous != lastKept.end())
            kept[previous->second].after = entry.before;
        lastKept[entry.file] = kept.size();
        kept.push_back(std::move(entry));
    }
    const int letGo = static_cast<int>(history.entries.size() - kept.size());
    if (letGo > 0) {
        std::string index;
        for (const HistoryEntry& entry : kept)
            index += FormatIndexLine(entry);
        if (!WriteFileAtomically(folder.fs(), HistoryPath(folder, kHistoryIndexName), index).ok())
            return 0;
    }
    RemoveUnnamedVersions(folder, kept);
    return letGo;
}

}  // namespace hanaki
