#include "data/undo.h"

#include <set>

#include "data/io_result.h"

namespace hanaki {
namespace {

long NextChange(const History& history) {
    return history.entries.empty() ? 1 : history.entries.back().change + 1;
}

std::string Failure(const IoResult& result) {
    return result.ok() ? std::string() : DescribeIoError(*result.error);
}

// Writes `bytes` (nullopt: removes the file) as part of the kept change `note`.
std::string PutBack(const DataFolder& folder, const std::string& file,
                    const std::optional<std::string>& bytes, const ChangeNote& note) {
    return Failure(bytes ? folder.Replace(file, *bytes, note) : folder.Remove(file, note));
}

std::string Refusal(const DataFolder& folder) {
    if (folder.readOnly())
        return "データフォルダを読み取り専用で開いているため、取り消しも復元もできません。";
    if (!folder.keepsHistory())
        return "このフォルダでは変更の履歴を記録していません。";
    // Its versions are gone with it: the history is not damaged.
    if (!folder.Present())
        return DescribeIoError({IoStep::Read, kFolderMissing, folder.path()});
    return {};
}

// The first of the `included` changes of each file: it holds what the file
// was before all of them.
std::vector<const HistoryEntry*> FirstChangeOfEachFile(const History& history, auto&& included) {
    std::vector<const HistoryEntry*> first;
    std::set<std::string> seen;
    for (const HistoryEntry& entry : history.entries) {
        if (included(entry) && seen.insert(entry.file).second)
            first.push_back(&entry);
    }
    return first;
}

std::string BytesOrDamage(const DataFolder& folder, const History& history,
                          const HistoryEntry& entry, std::optional<std::string>& bytes) {
    std::string damage;
    bytes = BytesBefore(folder, history, entry, damage);
    return damage;
}

// Puts each file of the `included` changes back as it was before the first
// of them, all as the one kept change `note`.
std::string PutBackBefore(const DataFolder& folder, const History& history, const ChangeNote& note,
                          auto&& included) {
    for (const HistoryEntry* entry : FirstChangeOfEachFile(history, included)) {
        std::optional<std::string> bytes;
        if (std::string damage = BytesOrDamage(folder, history, *entry, bytes); !damage.empty())
            return damage;
        if (std::string failed = PutBack(folder, entry->file, bytes, note); !failed.empty())
            return failed;
    }
    return {};
}

}  // namespace

std::optional<ChangeGroup> LastUndoableChange(const History& history) {
    std::set<long> undone;
    for (const HistoryEntry& entry : history.entries) {
        if (entry.undoes != 0)
            undone.insert(entry.undoes);
    }
    for (auto it = history.entries.rbegin(); it != history.entries.rend(); ++it) {
        if (it->undoes != 0 || undone.count(it->group))
            continue;
        ChangeGroup change{it->group, {}};
        for (const HistoryEntry& entry : history.entries) {
            if (entry.group == change.id)
                change.entries.push_back(entry);
        }
        return change;
    }
    return std::nullopt;
}

std::string DescribeEntry(const HistoryEntry& entry) {
    switch (entry.kind) {
        case ChangeKind::Add:
        case ChangeKind::Correct:
        case ChangeKind::Delete:
            return entry.text + " の" + std::string(ChangeKindWord(entry.kind));
        default:
            return entry.text;
    }
}

std::string UndoQuestion(const ChangeGroup& change) {
    return DescribeEntry(change.entries.front()) + "を取り消しますか？";
}

std::string UndoChange(const DataFolder& folder, const History& history,
                       const ChangeGroup& change) {
    if (std::string refused = Refusal(folder); !refused.empty())
        return refused;
    ChangeNote note(ChangeKind::Undo, DescribeEntry(change.entries.front()) + "の取り消し");
    note.group = NextChange(history);
    note.undoes = change.id;
    return PutBackBefore(folder, history, note,
                         [&](const HistoryEntry& e) { return e.group == change.id; });
}

std::string RestoreBefore(const DataFolder& folder, const History& history, long change) {
    if (std::string refused = Refusal(folder); !refused.empty())
        return refused;
    std::string when;
    for (const HistoryEntry& entry : history.entries) {
        if (entry.change == change)
            when = DescribeEntry(entry);
    }
    ChangeNote note(ChangeKind::Undo, when + "の前に戻す");
    note.group = NextChange(history);
    return PutBackBefore(folder, history, note,
                         [&](const HistoryEntry& e) { return e.change >= change; });
}

std::string StatesAt(const DataFolder& folder, const History& history, std::int64_t moment,
                     std::vector<FileState>& states) {
    states.clear();
    for (const HistoryEntry* entry :
         FirstChangeOfEachFile(history, [&](const HistoryEntry& e) { return e.time > moment; })) {
        std::optional<std::string> bytes;
        if (std::string damage = BytesOrDamage(folder, history, *entry, bytes); !damage.empty())
            return damage;
        states.push_back({entry->file, std::move(bytes)});
    }
    return {};
}

}  // namespace hanaki
